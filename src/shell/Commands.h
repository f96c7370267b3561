#pragma once
// Every command of the main window with its texts: the menu text (with its
// mnemonic and, after a tab, the shortcut as the menu shows it), the tooltip of
// its toolbar button, the prompt shown in the status bar and its icon; its
// stable ASCII object name (for tests and the accessibility tree) and when it
// is available.

#include <QKeySequence>
#include <QString>

#include <vector>

namespace kurvex {

enum class Command {
    // File
    Open,
    Close,
    Export,
    Print,
    PrintSetup,
    NewRunDefaults,
    ResetState,
    Exit,
    // View
    ToolBar,
    StatusBar,
    ResetColumnLayout,
    RepositionBars,
    // Settings (no handler in this program)
    RunSettings,
    ComparisonRuns,
    EditComments,
    EditHeaderData,
    InsertFreeText,
    EditFreeTexts,
    InsertRangeText,
    EditRangeTexts,
    EditHeadings,
    ShownMeasuringPoints,
    CalibrationValue,
    // Exceedances
    EditSections,
    ShowEvaluation,
    PreviewEvaluation,
    PrintEvaluation,
    AutomaticDetection,
    ReportHeaderFooter,
    // Window
    NewWindow,
    Cascade,
    TileSideBySide,
    TileStacked,
    ArrangeIcons,
    // Help
    About,
    // Toolbar and keys only
    PreviewChart,
    PrintChart,
    ToolComments,
    ToolHeaderData,
    ToolInsertFreeText,
    ToolEditFreeTexts,
    ToolInsertRangeText,
    ToolEditRangeTexts,
    ToggleFileViewer,
    Zoom,
    PageBack,
    PageForward,
    TwoMetreGrid,
    ToggleStrips,
    ExcludeRange,
    EditSideFile,
    NewDocument,
    // Beside the original commands
    GoToStation,
    Reload,
    SaveChartPdf,
    SaveReportPdf,
    AskFirstLoadAgain,
    // Working through a long run
    NextExceedance,
    PreviousExceedance,
    ToggleOverview,
    ToggleExceedanceList,
    // Keys of the chart window only
    FirstPage,
    LastPage,
};

// When a command can be used.
enum class CommandScope {
    MainWindow,    // always
    ChartWindow,   // with an active chart window that is not printing
    AnyWindow,     // with at least one window (arranging them)
    NotAvailable,  // shown but disabled: the command has no handler in this program
};

struct CommandInfo {
    Command command;
    const char* objectName;  // "file_open": lower-case ASCII, unique
    CommandScope scope;
    QString text;     // menu text, or the tooltip for toolbar-only commands
    QString toolTip;  // empty: none
    QString statusTip;
    QString icon;     // resource name below :/icons/, empty: none
    QKeySequence shortcut;
    bool checkable = false;
};

const std::vector<CommandInfo>& CommandTable();
const CommandInfo& InfoOf(Command command);

// Whether a command of this scope is enabled, by what the main window has.
bool CommandEnabled(CommandScope scope, bool hasActiveChart, bool printing, bool hasWindows);

}  // namespace kurvex
