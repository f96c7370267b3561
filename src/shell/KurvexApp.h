#pragma once
// The application: start-up (single instance, settings, per-user folder with
// its list file, label file, main window, command line) and what lives as long
// as the program: the global settings that every fresh side-file state copies,
// the label table of the printed pages, the printer settings and the version.

#include "chart/ChartPainter.h"
#include "chart/LabelTable.h"
#include "chart/ui/ViewContext.h"
#include "document/Einstellungen.h"
#include "shell/RecentVerwaltung.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QPrinter;

namespace kurvex {

class CMainFrame;
class SettingsStore;
class SingleInstance;

// "Kurvex 4.5.49": the frame title; " Class" appended names the running copy.
QString FrameTitle();
QString InstanceKey();
// "Kurvex-Viewer 4.5.49": the main window's caption.
QString MainWindowCaption();

struct StartOptions {
    QStringList filesToOpen;  // absolute paths given after --open
    QString instanceFolder;   // where the single-instance lock lies (tests); empty: temporary folder
    QString userFolder;       // the per-user data folder (tests); empty: the platform's
};

// The command line: "--open FILE..." opens the files; a plain file argument opens nothing.
StartOptions ParseCommandLine(const QStringList& arguments);
// What the command line asks that needs no window: --help, --version or a
// wrong option, answered with the exit code; none when the program starts. It
// runs before the GUI application exists, so it works without a display.
std::optional<int> AnswerWithoutWindow(const QStringList& arguments);

class CKurvexApp {
public:
    CKurvexApp();
    ~CKurvexApp();
    CKurvexApp(const CKurvexApp&) = delete;
    CKurvexApp& operator=(const CKurvexApp&) = delete;

    // The start-up steps. False: end the program at once (another copy took over).
    bool InitInstance(const StartOptions& options);

    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    SettingsStore& Settings() { return *m_settings; }
    const CEinstellungen& GlobalSettings() const { return m_globalSettings; }
    const CLabelTable& Labels() const { return m_labels; }
    ExceedancePageFlag& PageFlag() { return m_pageFlag; }
    QPrinter& Printer() { return *m_printer; }
    const std::string& VersionText() const { return m_versionText; }
    const CRecentVerwaltung& RecentList() const { return m_recent; }
    // The per-user folder "Kurvex4"; empty when the platform has none.
    const QString& UserFolder() const { return m_userFolder; }
    ViewContext MakeViewContext();
    // Adjusts the context of every chart window made from now on (tests put
    // recorders in place of the editor and of the print dialogs here).
    void SetViewContextHook(std::function<void(ViewContext&)> hook) { m_viewContextHook = std::move(hook); }

private:
    void PrepareUserFolder(const QString& baseFolder);
    void ReadGlobalSettings();

    std::unique_ptr<SettingsStore> m_settings;
    CEinstellungen m_globalSettings;
    CLabelTable m_labels;
    ExceedancePageFlag m_pageFlag;
    std::unique_ptr<QPrinter> m_printer;
    std::string m_versionText;
    CRecentVerwaltung m_recent;
    QString m_userFolder;
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<CMainFrame> m_mainFrame;
    std::function<void(ViewContext&)> m_viewContextHook;
};

}  // namespace kurvex
