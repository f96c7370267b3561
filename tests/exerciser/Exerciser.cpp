// kurvex_exerciser: the real main window on the offscreen platform under a
// long random sequence of user actions drawn from a seed: opening good and
// broken files in every way the program offers, switching, arranging and
// closing windows, every command through its action, toolbar button or
// shortcut, keys, clicks, wheel, print, preview, the dialogs, restarts. Modal
// windows are answered by a ModalAnswerer. A watchdog turns a hang into a
// failure. After the run, the folders it opened files from must be exactly as
// before and the only files written must be the exports and PDF files it asked
// for. A failure prints the seed and the action, and how to replay them.
//
//   kurvex_exerciser --seed N --actions M [--watchdog SECONDS] [--trace] [--keep]

#include "BrokenInputs.h"
#include "FolderSnapshot.h"
#include "ModalAnswerer.h"
#include "Random.h"
#include "Watchdog.h"

#include "chart/ChartReadout.h"
#include "chart/ui/KurvexView.h"
#include "common/ui/QtPath.h"
#include "document/KurvexDoc.h"
#include "evaluation/BereichOhneErkennung.h"
#include "measurement/ui/FileTextModel.h"
#include "measurement/ui/NMDateiDlg.h"
#include "shell/Commands.h"
#include "shell/KurvexApp.h"
#include "shell/MainFrame.h"
#include "shell/ExceedanceDock.h"
#include "shell/OverviewDock.h"
#include "shell/SingleInstance.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QLibraryInfo>
#include <QTableView>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScrollBar>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QToolBar>
#include <QTreeView>
#include <QLineEdit>
#include <QCheckBox>
#include <QMouseEvent>
#include <QTranslator>
#include <QUrl>
#include <QWheelEvent>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace kurvex::exerciser {

namespace {

const QString kSourceFolder = QStringLiteral(KURVEX_SOURCE_DIR);
const QString kRecentStatusTip = QString::fromUtf8("Öffnet diese Datei.");
constexpr int kManyViews = 12;

}  // namespace

struct Options {
    uint64_t seed = 1;
    int actions = 500;
    int watchdogSeconds = 120;
    bool trace = false;
    bool keep = false;
};

// What the run is doing: for the watchdog, a sanitizer's report and a failure.
class RunState {
public:
    void Begin(const Options& options)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_seed = options.seed;
        m_actions = options.actions;
    }
    void Set(int index, const QString& action)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_index = index;
        m_action = action.toStdString();
    }
    std::string Describe() const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        char text[1024];
        std::snprintf(text, sizeof text,
                      "kurvex_exerciser: seed %llu, action %d of %d: %s\n"
                      "replay: kurvex_exerciser --seed %llu --actions %d --trace",
                      static_cast<unsigned long long>(m_seed), m_index, m_actions, m_action.c_str(),
                      static_cast<unsigned long long>(m_seed), m_actions);
        return text;
    }

private:
    mutable std::mutex m_mutex;
    uint64_t m_seed = 0;
    int m_actions = 0;
    int m_index = -1;
    std::string m_action = "start";
};

RunState g_state;

namespace {

void PrintLastWords()
{
    const std::string text = g_state.Describe();
    std::fprintf(stderr, "\n%s\n", text.c_str());
    std::fflush(stderr);
}

#if !defined(__SANITIZE_ADDRESS__)
void OnFatalSignal(int signal)
{
    PrintLastWords();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}
#endif

}  // namespace

// Links the desktop would open (the About box's addresses, a side file
// without an editor function) are only counted: nothing outside starts.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    int count = 0;

public Q_SLOTS:
    void Open(const QUrl&) { ++count; }
};

class Exerciser {
public:
    explicit Exerciser(const Options& options)
        : m_options(options),
          m_random(options.seed, kActionStream),
          m_printRandom(options.seed, kPrintStream)
    {
    }

    int Run();

private:
    // ---- set-up and checks
    bool Prepare();
    void StartProgram();
    void EndProgram();
    void Settle();
    bool CheckState();
    bool CheckFiles();
    bool Fail(const QString& why);
    void Trace(const QString& line) const;
    void Count(const QString& what) { ++m_counts[what.toStdString()]; }
    void PrintSummary() const;

    CMainFrame& Frame() const { return *m_app->MainFrame(); }
    CKurvexView* ActiveView() const { return Frame().ActiveView(); }
    QMdiSubWindow* RandomSubWindow();
    void ActivateFrame();
    QWidget* KeyTarget();

    // ---- hooks of the program
    void AdjustViewContext(ViewContext& context);
    bool AnswerPrint(QPrinter& printer, int minPage, int maxPage);
    void AnswerPreview(QPrintPreviewDialog& dialog);
    QString PickOpenFile();
    QString PickSavePath(const QString& suffix);
    QString NewOutput(const QString& name);

    // ---- actions
    using Action = void (Exerciser::*)();
    struct ActionKind {
        const char* name;
        double weight;
        Action run;
        bool needsView;
    };
    static const std::vector<ActionKind>& Actions();
    static const ActionKind& ActionRunning(Action run);

    void OpenByDialog();
    void DropFiles();
    void OpenRecent();
    void HandOverFiles();
    void RunCommand();
    void PressKey();
    void ClickChart();
    void AimedClick();
    void TurnWheel();
    void SwitchWindow();
    void CloseWindow();
    void ChangeWindowState();
    void ResizeWindows();
    void Scroll();
    void UseFileViewer();
    void Restart();
    void SpoilSettings();
    void Grab();
    void UseOverview();
    void UseExceedanceList();
    // The mouse over the chart: moves with their readout, the context menu, Ctrl+wheel about a point.
    void MoveMouse();
    void UseContextMenu();
    void ZoomAtMouse();

    void TriggerCommand(Command command);
    QStringList RandomPaths(int count, bool includeUnopenable);
    void HandOver(const QStringList& files);

    Options m_options;
    Random m_random;
    Random m_printRandom;
    QTemporaryDir m_work;
    QString m_inputFolder;
    QString m_outFolder;
    QString m_userFolder;
    QString m_instanceFolder;
    QString m_currentFolder;
    Inputs m_inputs;
    QStringList m_watchedFolders;
    std::map<QString, FolderSnapshot> m_before;
    QSet<QString> m_asked;  // outputs the run asked for
    int m_outputNumber = 0;

    std::unique_ptr<CKurvexApp> m_app;
    std::unique_ptr<ModalAnswerer> m_answerer;
    UrlRecorder m_urls;
    std::unique_ptr<Watchdog> m_watchdog;
    std::map<std::string, int> m_counts;
    QString m_action;
    int m_index = 0;
    bool m_failed = false;
    bool m_handingOver = false;
};

// ------------------------------------------------------------------ set-up

bool Exerciser::Prepare()
{
    if (!m_work.isValid())
        return Fail(QStringLiteral("no temporary folder"));
    m_work.setAutoRemove(!m_options.keep);
    const QDir work(m_work.path());
    for (const char* name : {"inputs", "out", "settings", "user", "instance", "current"})
        work.mkdir(QString::fromLatin1(name));  // the only entries the work folder may have
    m_inputFolder = work.filePath(QStringLiteral("inputs"));
    m_outFolder = work.filePath(QStringLiteral("out"));
    m_userFolder = work.filePath(QStringLiteral("user"));
    m_instanceFolder = work.filePath(QStringLiteral("instance"));
    m_currentFolder = work.filePath(QStringLiteral("current"));

    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, work.filePath(QStringLiteral("settings")));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, work.filePath(QStringLiteral("settings")));

    // The originals: samples and the tests' fixtures, opened where they lie.
    QStringList originals;
    QStringList folders = {kSourceFolder + QStringLiteral("/samples")};
    for (const QFileInfo& test : QDir(kSourceFolder + QStringLiteral("/tests")).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (QFileInfo(test.filePath() + QStringLiteral("/fixtures")).isDir())
            folders << test.filePath() + QStringLiteral("/fixtures");
    }
    for (const QString& folder : folders) {
        for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files, QDir::Name))
            originals << file.absoluteFilePath();
    }
    if (originals.isEmpty())
        return Fail(QStringLiteral("no samples below ") + kSourceFolder);
    Random inputRandom(m_options.seed, kInputStream);
    m_inputs = MakeInputs(m_inputFolder, originals, inputRandom);

    // A label file in the current folder, sometimes one of noise or of printf patterns.
    const int labels = inputRandom.Int(0, 2);
    if (labels > 0) {
        QFile file(QDir(m_currentFolder).filePath(QStringLiteral("lang.txt")));
        if (!file.open(QIODevice::WriteOnly))
            return Fail(QStringLiteral("cannot write lang.txt"));
        if (labels == 1) {
            for (const char* key : {"LANGUAGE_NAME", "PLOTPAGE_HEADLINE", "PLOTPAGE_Y_AXIS", "PLOTPAGE_DATE",
                                    "PLOTPAGE_PAGE_A_OF_B", "PLOTPAGE_ENCLOSURE", "PLOTPAGE_SCALE_LENGTH",
                                    "PLOTPAGE_REQUIREMENT_SECTION_SEPARATOR", "PLOTPAGE_FILES"}) {
                file.write(QByteArray("{") + key + "}{x}{%s%n%d %1 " + QByteArray(inputRandom.Int(0, 400), 'W') +
                           "}\r\n");
            }
        } else {
            QByteArray noise(inputRandom.Int(0, 3000), '\0');
            for (char& byte : noise)
                byte = static_cast<char>(inputRandom.Int(0, 255));
            file.write(noise);
        }
    }
    QDir::setCurrent(m_currentFolder);

    m_watchedFolders = folders;
    m_watchedFolders << m_inputFolder << m_currentFolder;
    for (const QString& folder : m_watchedFolders)
        m_before[folder] = TakeSnapshot(folder);

    for (const char* scheme : {"http", "https", "mailto", "file"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &m_urls, "Open");
    return true;
}

void Exerciser::StartProgram()
{
    m_app = std::make_unique<CKurvexApp>();
    m_app->SetViewContextHook([this](ViewContext& context) { AdjustViewContext(context); });
    StartOptions options;
    options.instanceFolder = m_instanceFolder;
    options.userFolder = m_userFolder;
    // Sometimes started with files after --open.
    if (m_random.Chance(0.3))
        options.filesToOpen = RandomPaths(m_random.Int(1, 3), true);
    Trace(QStringLiteral("  start with %1 file(s)").arg(options.filesToOpen.size()));
    if (!m_app->InitInstance(options)) {
        Fail(QStringLiteral("the program did not start: another copy took over"));
        return;
    }
    ActivateFrame();
}

void Exerciser::EndProgram()
{
    m_app.reset();
    Settle();
}

void Exerciser::Settle()
{
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

void Exerciser::ActivateFrame()
{
    if (!m_app || !Frame().isVisible())
        return;
    Frame().activateWindow();
    Frame().raise();
    Settle();
}

QWidget* Exerciser::KeyTarget()
{
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() == &Frame())
        return focus;
    return &Frame();
}

void Exerciser::Trace(const QString& line) const
{
    if (m_options.trace) {
        std::fprintf(stderr, "%s\n", qPrintable(line));
        std::fflush(stderr);
    }
}

bool Exerciser::Fail(const QString& why)
{
    m_failed = true;
    std::fprintf(stderr, "\nkurvex_exerciser: FAULT: %s\n", qPrintable(why));
    PrintLastWords();
    return false;
}

// What must hold after every action.
bool Exerciser::CheckState()
{
    if (!m_app)
        return true;
    if (QWidget* modal = QApplication::activeModalWidget())
        return Fail(QStringLiteral("a modal window stayed open: ") +
                    QString::fromLatin1(modal->metaObject()->className()));
    CKurvexView* active = ActiveView();
    for (CKurvexView* view : Frame().Views()) {
        if (view->Printing())
            return Fail(QStringLiteral("a window still prints: ") + view->windowTitle());
        if (view->CurrentPage() < 1 || (view->StripsPerPage() != 2 && view->StripsPerPage() != 3) ||
            view->ZoomLevel() < -2 || view->ZoomLevel() > 5)
            return Fail(QStringLiteral("view state out of range: page %1, strips %2, zoom %3")
                            .arg(view->CurrentPage())
                            .arg(view->StripsPerPage())
                            .arg(view->ZoomLevel()));
    }
    if (Frame().isActiveWindow()) {
        if (Frame().Action(Command::Close)->isEnabled() != (active != nullptr))
            return Fail(QStringLiteral("\"Schließen\" is %1 with %2 active window")
                            .arg(Frame().Action(Command::Close)->isEnabled() ? "enabled" : "disabled",
                                 active ? "an" : "no"));
        const QString caption = Frame().FileViewer()->Caption();
        const QString expected =
            active ? FromCorePath(active->Document().FileName()) : QString::fromUtf8(CNMDateiDlg::kNoFileText);
        if (caption != expected)
            return Fail(QStringLiteral("the file viewer shows \"%1\" instead of \"%2\"").arg(caption, expected));
    }
    return true;
}

// The folders it opened from are as before; the only files written are those it asked for.
bool Exerciser::CheckFiles()
{
    bool ok = true;
    for (const QString& folder : m_watchedFolders) {
        const QStringList differences = SnapshotDifferences(folder, m_before[folder], TakeSnapshot(folder));
        for (const QString& difference : differences)
            ok = Fail(QStringLiteral("a watched folder changed: ") + difference);
    }
    for (const QString& file : FilesBelow(m_outFolder)) {
        if (!m_asked.contains(file))
            ok = Fail(QStringLiteral("a file was written that was not asked for: ") + file);
    }
    const QStringList ownFolders = {QStringLiteral("inputs"), QStringLiteral("out"), QStringLiteral("settings"),
                                    QStringLiteral("user"), QStringLiteral("instance"), QStringLiteral("current")};
    for (const QString& entry : QDir(m_work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (!ownFolders.contains(entry))
            ok = Fail(QStringLiteral("something was written beside the run's folders: ") + entry);
    }
    for (const QString& file : FilesBelow(m_instanceFolder)) {
        if (!file.endsWith(QStringLiteral(".lock")))
            ok = Fail(QStringLiteral("a file was left in the lock folder: ") + file);
    }
    return ok;
}

void Exerciser::PrintSummary() const
{
    std::printf("kurvex_exerciser: seed %llu: %d actions, %d outputs asked for, %d links\n",
                static_cast<unsigned long long>(m_options.seed), m_index, m_outputNumber, m_urls.count);
    std::map<std::string, int> all = m_counts;
    if (m_answerer) {
        for (const auto& [what, count] : m_answerer->Counts())
            all["answered " + what] += count;
    }
    for (const auto& [what, count] : all)
        std::printf("  %5d  %s\n", count, what.c_str());
    std::fflush(stdout);
}

// ------------------------------------------------------------------ hooks

void Exerciser::AdjustViewContext(ViewContext& context)
{
    context.openInEditor = [this](const QString& path) {
        Count(QStringLiteral("editor asked for a side file"));
        Trace(QStringLiteral("  editor: ") + path);
        if (!QFileInfo(path).isAbsolute())
            Count(QStringLiteral("editor asked for a relative path"));
    };
    context.printDialogs.print = [this](QPrinter& printer, const PrintRequest& request, QWidget*) {
        return AnswerPrint(printer, request.minPage, request.maxPage);
    };
    // Every print goes to a new file; a question about replacing one would be a fault.
    context.printDialogs.confirmReplace = [this](const QString& path, const QString&, QWidget*) {
        Count(QStringLiteral("print asked to replace a file"));
        Trace(QStringLiteral("  replace: ") + path);
        return false;
    };
    context.printDialogs.preview = [this](QPrintPreviewDialog& dialog) { AnswerPreview(dialog); };
}

QString Exerciser::NewOutput(const QString& name)
{
    const QString path = QDir(m_outFolder).filePath(QStringLiteral("%1_%2").arg(++m_outputNumber).arg(name));
    m_asked.insert(path);
    return path;
}

bool Exerciser::AnswerPrint(QPrinter& printer, int minPage, int maxPage)
{
    Count(QStringLiteral("print dialog"));
    if (m_printRandom.Chance(0.15)) {
        Trace(QStringLiteral("  print: cancelled"));
        return false;
    }
    // Always into a PDF file: never a real printer.
    QString path = NewOutput(QStringLiteral("print.pdf"));
    if (m_printRandom.Chance(0.05)) {
        path = QDir(m_outFolder).filePath(QStringLiteral("missing/print.pdf"));  // cannot be written
        m_asked.insert(path);
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    switch (m_printRandom.Int(0, 3)) {
    case 0:
    case 1: printer.setPrintRange(QPrinter::AllPages); break;
    case 2:
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(m_printRandom.Int(minPage - 1, maxPage + 1), m_printRandom.Int(minPage - 1, maxPage + 2));
        break;
    case 3: printer.setPrintRange(QPrinter::CurrentPage); break;
    }
    if (m_printRandom.Chance(0.1)) {
        const QPageSize::PageSizeId sizes[] = {QPageSize::A4, QPageSize::A3, QPageSize::A5, QPageSize::Letter,
                                               QPageSize::A0, QPageSize::B10};
        printer.setPageSize(QPageSize(sizes[m_printRandom.Int(0, 5)]));
    }
    if (m_printRandom.Chance(0.1)) {
        const double margin = m_printRandom.Real(0.0, 80.0);
        printer.setPageMargins(QMarginsF(margin, margin / 2, margin, margin * 1.5), QPageLayout::Millimeter);
    }
    Trace(QStringLiteral("  print: pages %1-%2 of %3..%4 to %5")
              .arg(printer.fromPage())
              .arg(printer.toPage())
              .arg(minPage)
              .arg(maxPage)
              .arg(path));
    return true;
}

void Exerciser::AnswerPreview(QPrintPreviewDialog& dialog)
{
    Count(QStringLiteral("preview"));
    dialog.show();
    QApplication::processEvents();
    auto* widget = dialog.findChild<QPrintPreviewWidget*>();
    if (!widget) {
        Fail(QStringLiteral("the preview has no preview widget"));
        dialog.close();
        return;
    }
    const int steps = m_printRandom.Int(0, 5);
    for (int i = 0; i < steps; ++i) {
        switch (m_printRandom.Int(0, 6)) {
        case 0: widget->setCurrentPage(m_printRandom.Int(0, widget->pageCount() + 1)); break;
        case 1: widget->zoomIn(m_printRandom.Real(1.0, 4.0)); break;
        case 2: widget->zoomOut(m_printRandom.Real(1.0, 4.0)); break;
        case 3: m_printRandom.Chance(0.5) ? widget->fitToWidth() : widget->fitInView(); break;
        case 4:
            widget->setViewMode(static_cast<QPrintPreviewWidget::ViewMode>(m_printRandom.Int(0, 2)));
            break;
        case 5:  // the preview's own orientation buttons
            widget->setOrientation(m_printRandom.Chance(0.5) ? QPageLayout::Portrait : QPageLayout::Landscape);
            break;
        case 6:
            if (m_printRandom.Chance(0.3))
                HandOver(RandomPaths(m_printRandom.Int(1, 2), true));  // a second start meanwhile
            break;
        }
        QApplication::processEvents();
    }
    // The pages as an image, and sometimes as a PDF file.
    const QImage image = widget->grab().toImage();
    if (image.isNull())
        Count(QStringLiteral("preview grabbed as an empty image"));
    if (m_printRandom.Chance(0.3)) {
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setPageLayout(dialog.printer()->pageLayout());
        pdf.setOutputFileName(NewOutput(QStringLiteral("preview.pdf")));
        Q_EMIT dialog.paintRequested(&pdf);
    }
    Trace(QStringLiteral("  preview: %1 pages").arg(widget->pageCount()));
    dialog.close();
}

QString Exerciser::PickOpenFile()
{
    if (m_printRandom.Chance(0.03))
        return m_printRandom.Pick(m_inputs.devices);
    return m_printRandom.Pick(m_inputs.files);
}

QString Exerciser::PickSavePath(const QString& suffix)
{
    Count(QStringLiteral("save dialog"));
    const QString dotted = suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix;
    const QStringList written = FilesBelow(m_outFolder);
    const int choice = m_printRandom.Int(0, 19);
    if (choice == 0 && !written.isEmpty()) {
        // Replaces an earlier output; a name without the dialog's suffix gets it.
        const QString path = m_printRandom.Pick(written);
        m_asked << path + dotted;
        return path;
    }
    if (choice == 1) {
        const QString path = QDir(m_outFolder).filePath(QStringLiteral("missing/output") + dotted);
        m_asked << path;
        return path;
    }
    if (choice == 2) {
        const QString path = NewOutput(QStringLiteral("ohne_endung"));
        m_asked << path + dotted;
        return path;
    }
    if (choice == 3)
        return NewOutput(QString::fromUtf8("a&b <b>Straße<i>") + dotted);
    return NewOutput(QStringLiteral("output") + dotted);
}

// ------------------------------------------------------------------ the run

const std::vector<Exerciser::ActionKind>& Exerciser::Actions()
{
    static const std::vector<ActionKind> actions = {
        {"open by dialog", 6, &Exerciser::OpenByDialog, false},
        {"drop files", 2, &Exerciser::DropFiles, false},
        {"open recent", 1.5, &Exerciser::OpenRecent, false},
        {"second start", 1, &Exerciser::HandOverFiles, false},
        {"command", 25, &Exerciser::RunCommand, false},
        {"key", 10, &Exerciser::PressKey, true},
        {"click", 10, &Exerciser::ClickChart, true},
        {"aimed click", 3, &Exerciser::AimedClick, true},
        {"wheel", 6, &Exerciser::TurnWheel, true},
        {"switch window", 4, &Exerciser::SwitchWindow, true},
        {"close window", 3, &Exerciser::CloseWindow, true},
        {"window state", 3, &Exerciser::ChangeWindowState, false},
        {"resize", 2, &Exerciser::ResizeWindows, false},
        {"scroll", 3, &Exerciser::Scroll, true},
        {"file viewer", 2, &Exerciser::UseFileViewer, false},
        {"restart", 0.4, &Exerciser::Restart, false},
        {"grab", 1, &Exerciser::Grab, false},
        {"overview", 2, &Exerciser::UseOverview, false},
        {"exceedance list", 2, &Exerciser::UseExceedanceList, false},
        {"mouse moves", 4, &Exerciser::MoveMouse, true},
        {"context menu", 3, &Exerciser::UseContextMenu, true},
        {"zoom at the mouse", 3, &Exerciser::ZoomAtMouse, true},
    };
    return actions;
}

const Exerciser::ActionKind& Exerciser::ActionRunning(Action run)
{
    for (const ActionKind& kind : Actions()) {
        if (kind.run == run)
            return kind;
    }
    return Actions().front();
}

int Exerciser::Run()
{
    g_state.Begin(m_options);
    if (!Prepare())
        return 1;
    m_watchdog = std::make_unique<Watchdog>(std::chrono::seconds(m_options.watchdogSeconds),
                                            [] { return g_state.Describe(); });
    ModalAnswerer::Hooks hooks;
    hooks.pickOpenFile = [this] { return PickOpenFile(); };
    hooks.pickSavePath = [this](const QString& suffix) { return PickSavePath(suffix); };
    hooks.fromOutside = [this] { HandOver(RandomPaths(1, true)); };
    hooks.trace = [this](const QString& line) { Trace(line); };
    m_answerer = std::make_unique<ModalAnswerer>(m_options.seed, std::move(hooks));

    StartProgram();
    std::vector<double> weights;
    for (const ActionKind& kind : Actions())
        weights.push_back(kind.weight);
    for (m_index = 0; m_index < m_options.actions && !m_failed; ++m_index) {
        const ActionKind* kind = &Actions()[m_random.Weighted(weights)];
        if (kind->needsView && !ActiveView())
            kind = &ActionRunning(&Exerciser::OpenByDialog);
        else if (kind->run == &Exerciser::OpenByDialog && Frame().Views().size() >= kManyViews)
            kind = &ActionRunning(&Exerciser::CloseWindow);  // enough windows
        m_action = QString::fromLatin1(kind->name);
        g_state.Set(m_index, m_action);
        Trace(QStringLiteral("[%1] %2").arg(m_index).arg(m_action));
        Count(m_action);
        (this->*kind->run)();
        Settle();
        if (!m_app)
            break;
        ActivateFrame();
        CheckState();
        m_watchdog->Progress();
    }
    m_index = std::min(m_index, m_options.actions);
    g_state.Set(m_index, QStringLiteral("end of the run"));
    EndProgram();
    m_watchdog.reset();
    for (const char* scheme : {"http", "https", "mailto", "file"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    CheckFiles();
    PrintSummary();
    m_answerer.reset();
    if (m_failed)
        std::fprintf(stderr, "kurvex_exerciser: seed %llu FAILED\n", static_cast<unsigned long long>(m_options.seed));
    return m_failed ? 1 : 0;
}

// ------------------------------------------------------------------ actions

QStringList Exerciser::RandomPaths(int count, bool includeUnopenable)
{
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        if (includeUnopenable && m_random.Chance(0.15)) {
            const int kind = m_random.Int(0, 2);
            paths << m_random.Pick(kind == 0 ? m_inputs.folders : (kind == 1 ? m_inputs.missing : m_inputs.devices));
        }
        else
            paths << m_random.Pick(m_inputs.files);
    }
    return paths;
}

QMdiSubWindow* Exerciser::RandomSubWindow()
{
    const auto windows = Frame().MdiArea()->subWindowList();
    if (windows.isEmpty())
        return nullptr;
    return windows.at(m_random.Int(0, static_cast<int>(windows.size()) - 1));
}

void Exerciser::TriggerCommand(Command command)
{
    QAction* action = Frame().Action(command);
    Count(QStringLiteral("command ") + action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')) +
          (action->isEnabled() ? QString() : QStringLiteral(" (disabled)")));
    Trace(QStringLiteral("  command: %1%2").arg(action->text(), action->isEnabled() ? QString() : QStringLiteral(" (disabled)")));
    const int how = m_random.Int(0, 9);
    if (how < 2) {
        auto* toolBar = Frame().findChild<QToolBar*>(QStringLiteral("toolBar"));
        QWidget* button = toolBar ? toolBar->widgetForAction(action) : nullptr;
        if (button && button->isVisible() && button->isEnabled()) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    if (how < 4 && !action->shortcut().isEmpty()) {
        QTest::keySequence(KeyTarget(), action->shortcut());
        return;
    }
    action->trigger();
}

void Exerciser::OpenByDialog()
{
    TriggerCommand(Command::Open);
}

void Exerciser::DropFiles()
{
    const QStringList files = RandomPaths(m_random.Int(1, 3), true);
    QList<QUrl> urls;
    for (const QString& file : files)
        urls << QUrl::fromLocalFile(file);
    QMimeData data;
    data.setUrls(urls);
    const QPoint at(m_random.Int(0, std::max(0, Frame().width() - 1)), m_random.Int(0, std::max(0, Frame().height() - 1)));
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &enter);
    if (!enter.isAccepted())
        return;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &drop);
    Trace(QStringLiteral("  dropped: ") + files.join(QStringLiteral(", ")));
}

void Exerciser::OpenRecent()
{
    std::vector<QAction*> entries;
    for (QAction* action : Frame().findChildren<QAction*>()) {
        if (action->statusTip() == kRecentStatusTip)
            entries.push_back(action);
    }
    if (entries.empty()) {
        OpenByDialog();
        return;
    }
    QAction* entry = m_random.Pick(entries);
    Trace(QStringLiteral("  recent: ") + entry->text());
    entry->trigger();
}

void Exerciser::HandOverFiles()
{
    HandOver(RandomPaths(m_random.Int(0, 3), true));
}

// A second start of the program: it hands the files over the socket to this
// copy, from a thread of its own, while this copy goes on with its event loop.
void Exerciser::HandOver(const QStringList& files)
{
    if (!m_app || m_handingOver)
        return;
    m_handingOver = true;
    Count(QStringLiteral("second start hands over"));
    Trace(QStringLiteral("  second start with: ") + files.join(QStringLiteral(", ")));
    // A window open meanwhile waits: what happens to it must not depend on
    // how long the hand-over takes.
    m_answerer->Hold(QApplication::activeModalWidget());
    std::atomic<int> role{-1};
    std::thread second([&role, files, folder = m_instanceFolder] {
        SingleInstance instance(InstanceKey(), folder);
        role = static_cast<int>(instance.Start(files));
    });
    while (role < 0)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    second.join();
    // The first copy acts on the request after answering it: that too while the window waits.
    QCoreApplication::sendPostedEvents();
    m_answerer->Release();
    m_handingOver = false;
    if (role != static_cast<int>(SingleInstance::Role::HandedOver))
        Fail(QStringLiteral("a second start did not hand over its files (role %1)").arg(role.load()));
}

void Exerciser::RunCommand()
{
    static const std::vector<std::pair<Command, double>> commands = [] {
        std::vector<std::pair<Command, double>> list;
        for (const CommandInfo& info : CommandTable()) {
            double weight = 1.0;
            switch (info.command) {
            case Command::Exit: weight = 0; break;  // a restart of its own
            case Command::PageBack:
            case Command::PageForward:
            case Command::Zoom:
            case Command::TwoMetreGrid:
            case Command::ToggleStrips: weight = 4; break;
            case Command::ShowEvaluation:
            case Command::EditSections:
            case Command::Export: weight = 3; break;
            case Command::Print:
            case Command::PreviewChart:
            case Command::PrintChart:
            case Command::PreviewEvaluation:
            case Command::PrintEvaluation: weight = 1.5; break;
            case Command::Open:
            case Command::NewDocument:
            case Command::About:
            case Command::PrintSetup: weight = 0.4; break;
            default: break;
            }
            list.emplace_back(info.command, weight);
        }
        return list;
    }();
    std::vector<double> weights;
    for (const auto& [command, weight] : commands)
        weights.push_back(weight);
    TriggerCommand(commands[m_random.Weighted(weights)].first);
}

void Exerciser::PressKey()
{
    struct Key {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    static const std::vector<Key> keys = {
        {Qt::Key_PageUp, Qt::NoModifier},    {Qt::Key_PageDown, Qt::NoModifier},  {Qt::Key_PageDown, Qt::NoModifier},
        {Qt::Key_Plus, Qt::NoModifier},      {Qt::Key_Minus, Qt::NoModifier},     {Qt::Key_Plus, Qt::KeypadModifier},
        {Qt::Key_Minus, Qt::KeypadModifier}, {Qt::Key_ScrollLock, Qt::NoModifier}, {Qt::Key_Home, Qt::NoModifier},
        {Qt::Key_End, Qt::NoModifier},       {Qt::Key_Left, Qt::NoModifier},      {Qt::Key_Right, Qt::NoModifier},
        {Qt::Key_Up, Qt::NoModifier},        {Qt::Key_Down, Qt::NoModifier},      {Qt::Key_Escape, Qt::NoModifier},
        {Qt::Key_Tab, Qt::NoModifier},       {Qt::Key_Space, Qt::NoModifier},     {Qt::Key_Return, Qt::NoModifier},
        {Qt::Key_Delete, Qt::NoModifier},    {Qt::Key_C, Qt::ControlModifier},    {Qt::Key_V, Qt::ControlModifier},
        {Qt::Key_Z, Qt::ControlModifier},    {Qt::Key_Insert, Qt::ShiftModifier}, {Qt::Key_F6, Qt::NoModifier},
        {Qt::Key_F6, Qt::ShiftModifier},     {Qt::Key_Tab, Qt::ControlModifier},  {Qt::Key_F4, Qt::ControlModifier},
        {Qt::Key_Plus, Qt::ControlModifier}, {Qt::Key_Minus, Qt::AltModifier},
    };
    const Key& key = m_random.Pick(keys);
    CKurvexView* view = ActiveView();
    view->setFocus();
    Trace(QStringLiteral("  key: %1").arg(QKeySequence(key.key | key.modifiers).toString()));
    QTest::keyClick(KeyTarget(), key.key, key.modifiers);
}

void Exerciser::ClickChart()
{
    QWidget* viewport = ActiveView()->viewport();
    if (viewport->width() < 1 || viewport->height() < 1)
        return;
    const QPoint at(m_random.Int(0, viewport->width() - 1), m_random.Int(0, viewport->height() - 1));
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    const int pick = m_random.Int(0, 19);
    if (pick < 5)
        modifiers = Qt::AltModifier;
    else if (pick < 7)
        modifiers = Qt::ControlModifier;
    else if (pick == 7)
        modifiers = Qt::ShiftModifier;
    else if (pick == 8)
        modifiers = Qt::AltModifier | Qt::ControlModifier;
    const int buttonPick = m_random.Int(0, 19);
    const Qt::MouseButton button =
        buttonPick < 17 ? Qt::LeftButton : (buttonPick < 19 ? Qt::RightButton : Qt::MiddleButton);
    Trace(QStringLiteral("  click at %1,%2 modifiers %3 button %4")
              .arg(at.x())
              .arg(at.y())
              .arg(static_cast<int>(modifiers))
              .arg(static_cast<int>(button)));
    if (m_random.Chance(0.1))
        QTest::mouseDClick(viewport, button, modifiers, at);
    else
        QTest::mouseClick(viewport, button, modifiers, at);
}

// An Alt+click (or a plain one) aimed at an excluded range or a station the
// chart shows, found through the hit test of the last paint.
void Exerciser::AimedClick()
{
    CKurvexView* view = ActiveView();
    view->viewport()->repaint();
    QWidget* viewport = view->viewport();
    const auto& ranges = view->Document().ExcludedRanges();
    const bool alt = !ranges.empty() && m_random.Chance(0.7);
    for (int attempt = 0; attempt < 12; ++attempt) {
        const int y = m_random.Int(0, std::max(0, viewport->height() - 1));
        for (int x = 0; x < viewport->width(); x += 3) {
            const Point logical = view->LogicalPointAt(QPointF(x, y));
            const std::optional<int> station = view->Painter().Mouse().HitTest(logical.x, logical.y);
            if (!station || (alt && !ExcludedRangeAt(ranges, *station)))
                continue;
            if (!alt && !m_random.Chance(0.02))
                continue;
            Trace(QStringLiteral("  aimed %1click at %2,%3 (station %4)")
                      .arg(alt ? "Alt+" : "")
                      .arg(x)
                      .arg(y)
                      .arg(*station));
            Count(alt ? QStringLiteral("aimed Alt+click hit") : QStringLiteral("aimed click hit"));
            QTest::mouseClick(viewport, Qt::LeftButton, alt ? Qt::AltModifier : Qt::NoModifier, QPoint(x, y));
            return;
        }
    }
}

void Exerciser::TurnWheel()
{
    static const std::vector<int> deltas = {120, -120, 240, -240, 15, -15, 60, -60, 1200, -1200, 120000, -120000};
    QWidget* viewport = ActiveView()->viewport();
    const int delta = m_random.Pick(deltas);
    const bool control = m_random.Chance(0.5);
    const bool horizontal = m_random.Chance(0.15);
    const QPointF at(m_random.Int(0, std::max(0, viewport->width() - 1)), m_random.Int(0, std::max(0, viewport->height() - 1)));
    Trace(QStringLiteral("  wheel %1%2%3").arg(delta).arg(control ? " Ctrl" : "").arg(horizontal ? " horizontal" : ""));
    QWheelEvent event(at, viewport->mapToGlobal(at), QPoint(), horizontal ? QPoint(delta, 0) : QPoint(0, delta),
                      Qt::NoButton, control ? Qt::ControlModifier : Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &event);
}

void Exerciser::SwitchWindow()
{
    QMdiArea* area = Frame().MdiArea();
    switch (m_random.Int(0, 3)) {
    case 0: area->activateNextSubWindow(); break;
    case 1: area->activatePreviousSubWindow(); break;
    case 2:
        if (QMdiSubWindow* window = RandomSubWindow())
            area->setActiveSubWindow(window);
        break;
    case 3: {  // an entry of the window menu
        for (QAction* item : Frame().menuBar()->actions()) {
            QMenu* menu = item->menu();
            if (!menu || item->text() != QStringLiteral("&Fenster"))
                continue;
            Q_EMIT menu->aboutToShow();
            std::vector<QAction*> entries;
            for (QAction* action : menu->actions()) {
                if (action->property("windowEntry").toBool())
                    entries.push_back(action);
            }
            if (!entries.empty())
                m_random.Pick(entries)->trigger();
        }
        break;
    }
    }
}

void Exerciser::CloseWindow()
{
    QMdiSubWindow* window = RandomSubWindow();
    if (!window)
        return;
    Trace(QStringLiteral("  close: ") + window->windowTitle());
    window->close();
}

void Exerciser::ChangeWindowState()
{
    if (m_random.Chance(0.25)) {
        switch (m_random.Int(0, 3)) {
        case 0: Frame().showMinimized(); break;
        case 1: Frame().showNormal(); break;
        case 2: Frame().showMaximized(); break;
        case 3: Frame().showFullScreen(); break;
        }
        Settle();
        if (m_random.Chance(0.7))
            Frame().showNormal();
        return;
    }
    QMdiSubWindow* window = RandomSubWindow();
    if (!window)
        return;
    switch (m_random.Int(0, 3)) {
    case 0: window->showMinimized(); break;
    case 1: window->showMaximized(); break;
    case 2: window->showNormal(); break;
    case 3: window->showShaded(); break;
    }
}

void Exerciser::ResizeWindows()
{
    const bool tiny = m_random.Chance(0.1);
    const QSize size = tiny ? QSize(m_random.Int(1, 40), m_random.Int(1, 40))
                            : QSize(m_random.Int(200, 2200), m_random.Int(150, 1600));
    QMdiSubWindow* window = m_random.Chance(0.5) ? RandomSubWindow() : nullptr;
    Trace(QStringLiteral("  resize %1 to %2x%3").arg(window ? "a window" : "the main window").arg(size.width()).arg(size.height()));
    if (window)
        window->resize(size);
    else
        Frame().resize(size);
}

void Exerciser::Scroll()
{
    CKurvexView* view = ActiveView();
    QScrollBar* bar = m_random.Chance(0.5) ? view->horizontalScrollBar() : view->verticalScrollBar();
    if (m_random.Chance(0.5)) {
        bar->setValue(m_random.Int(bar->minimum() - 10, bar->maximum() + 10));
    } else {
        const QAbstractSlider::SliderAction actions[] = {
            QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub,
            QAbstractSlider::SliderPageStepAdd,   QAbstractSlider::SliderPageStepSub,
            QAbstractSlider::SliderToMinimum,     QAbstractSlider::SliderToMaximum};
        bar->triggerAction(actions[m_random.Int(0, 5)]);
    }
}

void Exerciser::UseFileViewer()
{
    CNMDateiDlg* viewer = Frame().FileViewer();
    switch (m_random.Int(0, 5)) {
    case 0: TriggerCommand(Command::ToggleFileViewer); break;
    case 1: viewer->setFloating(!viewer->isFloating()); break;
    case 2: viewer->close(); break;  // its own close button
    case 3: {
        QScrollBar* bar = viewer->View().verticalScrollBar();
        bar->setValue(m_random.Int(bar->minimum(), bar->maximum()));
        QScrollBar* across = viewer->View().horizontalScrollBar();
        across->setValue(m_random.Int(across->minimum(), across->maximum()));
        break;
    }
    case 4:
        if (viewer->isVisible()) {
            viewer->View().setFocus();
            QTest::keyClick(&viewer->View(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(&viewer->View(), Qt::Key_C, Qt::ControlModifier);
        }
        break;
    case 5:
        if (viewer->isVisible() && viewer->Model().rowCount() > 0) {
            const QModelIndex index = viewer->Model().index(m_random.Int(0, viewer->Model().rowCount() - 1), 0);
            viewer->View().setCurrentIndex(index);
            viewer->View().scrollTo(index);
            QTest::keyClick(&viewer->View(), Qt::Key_C, Qt::ControlModifier);
        }
        break;
    }
}

// The overview strip: its command, clicks and drags, the wheel, its keys, its own close button.
void Exerciser::UseOverview()
{
    COverviewDock* dock = Frame().OverviewDock();
    COverviewStrip* strip = dock->Strip();
    const int choice = m_random.Int(0, 6);
    if (choice == 0) {
        TriggerCommand(Command::ToggleOverview);
        return;
    }
    if (choice == 1) {
        dock->close();
        return;
    }
    if (!strip->isVisible() || strip->width() < 2 || strip->height() < 2)
        return;
    const QPoint at(m_random.Int(-5, strip->width() + 5), m_random.Int(0, strip->height() - 1));
    switch (choice) {
    case 2:
        Trace(QStringLiteral("  overview click at %1").arg(at.x()));
        QTest::mouseClick(strip, Qt::LeftButton, {}, at);
        break;
    case 3: {
        Trace(QStringLiteral("  overview drag from %1").arg(at.x()));
        QTest::mousePress(strip, Qt::LeftButton, {}, at);
        QMouseEvent move(QEvent::MouseMove, QPointF(m_random.Int(-20, strip->width() + 20), at.y()),
                         strip->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(strip, &move);
        QTest::mouseRelease(strip, Qt::LeftButton, {}, at);
        break;
    }
    case 4: {
        const int delta = m_random.Pick(std::vector<int>{120, -120, 40, -360});
        QWheelEvent wheel(QPointF(at), strip->mapToGlobal(QPointF(at)), {}, QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(strip, &wheel);
        break;
    }
    default: {
        const Qt::Key key = m_random.Pick(
            std::vector<Qt::Key>{Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_F3, Qt::Key_PageDown});
        strip->setFocus();
        QTest::keyClick(strip, key);
        break;
    }
    }
}

// The exceedance list: its command, the filter, "nur zählende", choosing a line, its close button, F3 steps.
void Exerciser::UseExceedanceList()
{
    CExceedanceDock* dock = Frame().ExceedanceDock();
    switch (m_random.Int(0, 6)) {
    case 0: TriggerCommand(Command::ToggleExceedanceList); break;
    case 1: dock->close(); break;
    case 2: {
        const QString text =
            m_random.Pick(std::vector<QString>{QString(), QStringLiteral("12"), QStringLiteral("deckel"),
                                               QString::fromUtf8("Ä,ß<>|"), QStringLiteral(" ")});
        dock->FilterField()->setText(text);
        break;
    }
    case 3: dock->OnlyCounting()->toggle(); break;
    case 4:
    case 5: {
        QTreeView* tree = dock->Tree();
        CExceedanceTreeModel* model = dock->Model();
        if (!tree->isVisible() || model->rowCount() == 0)
            break;
        const QModelIndex group = model->index(m_random.Int(0, model->rowCount() - 1), 0);
        const int lines = model->rowCount(group);
        const QModelIndex line =
            lines > 0 && m_random.Int(0, 3) > 0 ? model->index(m_random.Int(0, lines - 1), 1, group) : group;
        tree->setFocus();
        tree->setCurrentIndex(line);
        tree->scrollTo(line);
        const QRect cell = tree->visualRect(line);
        if (m_random.Int(0, 1) == 0 && cell.isValid())
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, cell.center());
        else
            QTest::keyClick(tree, Qt::Key_Return);
        break;
    }
    default: TriggerCommand(m_random.Int(0, 1) ? Command::NextExceedance : Command::PreviousExceedance); break;
    }
}

void Exerciser::Restart()
{
    if (m_random.Chance(0.7))
        TriggerCommand(Command::Exit);
    else
        Frame().close();  // the window's close button
    Settle();
    if (Frame().isVisible()) {
        Fail(QStringLiteral("the main window did not close"));
        return;
    }
    if (!Frame().MdiArea()->subWindowList().isEmpty()) {
        Fail(QStringLiteral("windows are left after the main window closed"));
        return;
    }
    EndProgram();
    if (m_random.Chance(0.5))
        SpoilSettings();
    StartProgram();
}

// Between two starts: settings edited by hand or left by another version,
// odd entries in the recent-file lists.
void Exerciser::SpoilSettings()
{
    static const std::vector<QString> keys = {
        QStringLiteral("Sonstiges/DiagrammeProSeite"), QStringLiteral("Sonstiges/LastFileOpen"),
        QStringLiteral("Sonstiges/NrAusWertung"),      QStringLiteral("Sonstiges/NrDiagramme"),
        QStringLiteral("Sonstiges/Waerung"),           QStringLiteral("Sonstiges/CheckNegativ"),
        QStringLiteral("Sonstiges/SpiegelabfrageAbschalten"), QStringLiteral("Druck/linkerRand"),
        QStringLiteral("Druck/VarKanzeigen"),          QStringLiteral("Druck/Nummerierung"),
        QStringLiteral("Druck/MetadatenAufFolgeseiten"), QStringLiteral("Druck/DisplaySpeed"),
        QStringLiteral("Farben/Farbe0"),               QStringLiteral("Farben/Farbe3"),
        QStringLiteral("Farben/TextFarbe1"),           QStringLiteral("Dicken/Dicke0"),
        QStringLiteral("Dicken/Dicke5"),               QStringLiteral("Export/radioDezimalzeichen"),
        QStringLiteral("Export/radioSeperator"),       QStringLiteral("Export/SeperatorString"),
        QStringLiteral("Spaltenbreiten/AuswertungDlg"), QStringLiteral("Spaltenbreiten/AuswertungDlgiOrder"),
        QStringLiteral("Spaltenbreiten/AuswertungDlgiSortInfo"), QStringLiteral("Spaltenbreiten/BreitenaendernDlg"),
        QStringLiteral("Spaltenbreiten/BreitenaendernDlgiOrder"), QStringLiteral("Spaltenbreiten/BreitenaendernDlgiSortInfo"),
        QStringLiteral("Recent File List/File1"),      QStringLiteral("Recent File List/File4"),
    };
    const std::vector<QString> values = {
        QString(), QStringLiteral("0"), QStringLiteral("-1"), QStringLiteral("2"), QStringLiteral("3"),
        QStringLiteral("999999999"), QStringLiteral("-2147483648"), QStringLiteral("99999999999999999999"),
        QStringLiteral("abc"), QStringLiteral("1,2,3"), QStringLiteral("5,-5,0,99999,abc,,"),
        QStringLiteral("0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"), QStringLiteral("9,8,7,6,5,4,3,2,1,0,-1,9"),
        QStringLiteral("1e308"), QStringLiteral("%s%n"), QString(3000, QLatin1Char('7')), QStringLiteral("/dev/null"),
        m_inputFolder, m_random.Pick(m_inputs.files), m_random.Pick(m_inputs.missing),
        m_random.Pick(m_inputs.folders)};
    QSettings settings;
    const int edits = m_random.Int(1, 8);
    for (int i = 0; i < edits; ++i)
        settings.setValue(m_random.Pick(keys), m_random.Pick(values));
    settings.sync();
    Count(QStringLiteral("settings spoilt"));
    if (m_random.Chance(0.3)) {
        // The per-user list file, edited by hand.
        QFile list(QDir(m_userFolder).filePath(QStringLiteral("Kurvex4/recent.txt")));
        if (list.open(QIODevice::WriteOnly)) {
            QByteArray junk;
            for (int i = m_random.Int(0, 2000); i > 0; --i)
                junk += static_cast<char>(m_random.Chance(0.1) ? '\n' : (m_random.Chance(0.1) ? '=' : m_random.Int(0, 255)));
            list.write(junk);
        }
    }
}

void Exerciser::Grab()
{
    const QImage image = Frame().grab().toImage();
    if (image.isNull() && Frame().width() > 0 && Frame().height() > 0)
        Count(QStringLiteral("main window grabbed as an empty image"));
}

// Moves over the chart, some on strips: status pane 2 shows the readout of the
// last one, nothing once the mouse left; now and then a marker's tooltip.
void Exerciser::MoveMouse()
{
    CKurvexView* view = ActiveView();
    QWidget* viewport = view->viewport();
    if (viewport->width() < 1 || viewport->height() < 1)
        return;
    const int moves = m_random.Int(1, 8);
    QPoint at;
    for (int i = 0; i < moves; ++i) {
        at = QPoint(m_random.Int(0, viewport->width() - 1), m_random.Int(0, viewport->height() - 1));
        QMouseEvent move(QEvent::MouseMove, QPointF(at), viewport->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
    }
    Trace(QStringLiteral("  %1 mouse moves, last at %2,%3").arg(moves).arg(at.x()).arg(at.y()));
    const QString readout = Frame().StatusPane(2)->text();
    if (readout != view->ReadoutAt(at)) {
        Fail(QStringLiteral("status pane 2 shows \"%1\" for the mouse at %2,%3").arg(readout).arg(at.x()).arg(at.y()));
        return;
    }
    Count(readout.isEmpty() ? QStringLiteral("mouse off the strips") : QStringLiteral("mouse readout"));
    if (m_random.Chance(0.3)) {
        const std::vector<ExceedanceMarkerBox>& boxes = view->Painter().Markers().Boxes();
        QPoint tipAt = at;
        if (!boxes.empty() && m_random.Chance(0.7)) {
            const ExceedanceMarkerBox& box = m_random.Pick(boxes);
            tipAt = view->ViewportPositionOf(Point{box.x, static_cast<int>((int64_t{box.y0} + box.y1) / 2)}).toPoint();
        }
        QHelpEvent help(QEvent::ToolTip, tipAt, viewport->mapToGlobal(tipAt));
        QApplication::sendEvent(viewport, &help);
        if (!QToolTip::text().isEmpty())
            Count(QStringLiteral("marker tooltip"));
        QToolTip::hideText();
    }
    if (m_random.Chance(0.3)) {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(viewport, &leave);
        if (!Frame().StatusPane(2)->text().isEmpty())
            Fail(QStringLiteral("status pane 2 kept its readout after the mouse left the chart"));
    }
}

// The context menu by the mouse or the menu key; one of its entries, or closed again.
void Exerciser::UseContextMenu()
{
    CKurvexView* view = ActiveView();
    QWidget* viewport = view->viewport();
    if (viewport->width() < 1 || viewport->height() < 1)
        return;
    viewport->grab();  // the strips of the page as it is now
    const QPoint at(m_random.Int(0, viewport->width() - 1), m_random.Int(0, viewport->height() - 1));
    const bool keyboard = m_random.Chance(0.3);
    if (keyboard) {
        view->setFocus();
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5), view->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(view, &event);
    } else {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &event);
    }
    QMenu* menu = view->ContextMenu();
    if (!menu || !menu->isVisible()) {
        Fail(QStringLiteral("the chart's context menu did not open"));
        return;
    }
    std::vector<QAction*> entries;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator() && action->isVisible() && action->isEnabled())
            entries.push_back(action);
    }
    menu->hide();
    if (entries.empty() || m_random.Chance(0.2)) {
        Trace(QStringLiteral("  context menu %1 closed").arg(keyboard ? "by key" : "at the mouse"));
        return;
    }
    QAction* entry = m_random.Pick(entries);
    Trace(QStringLiteral("  context menu %1: %2").arg(keyboard ? "by key" : "at the mouse", entry->objectName()));
    Count(QStringLiteral("context menu: ") + entry->objectName());
    entry->trigger();
}

// Ctrl+wheel on a strip: where the scroll bars did not run against an end,
// the point under the mouse is still there.
void Exerciser::ZoomAtMouse()
{
    CKurvexView* view = ActiveView();
    QWidget* viewport = view->viewport();
    // Nothing is painted in an empty viewport, and nothing lies under the mouse;
    // a minimised window paints when grabbed.
    if (viewport->width() < 1 || viewport->height() < 1)
        return;
    viewport->grab();
    std::optional<QPoint> on;
    std::optional<StripHit> before;
    for (int attempt = 0; attempt < 40 && !before; ++attempt) {
        const QPoint at(m_random.Int(0, viewport->width() - 1), m_random.Int(0, viewport->height() - 1));
        const Point logical = view->LogicalPointAt(QPointF(at));
        before = StripUnder(view->Painter().Mouse(), logical.x, logical.y);
        if (before)
            on = at;
    }
    if (!before)
        return;
    const int level = view->ZoomLevel();
    const int delta = m_random.Chance(0.5) ? 120 : -120;
    Trace(QStringLiteral("  Ctrl+wheel %1 at %2,%3 (station %4)")
              .arg(delta)
              .arg(on->x())
              .arg(on->y())
              .arg(before->station));
    QWheelEvent event(QPointF(*on), viewport->mapToGlobal(QPointF(*on)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &event);
    viewport->grab();  // painted even in a minimised window: the strips as they are now
    const auto inside = [](const QScrollBar* bar) {
        return bar->value() > bar->minimum() && bar->value() < bar->maximum();
    };
    if (view->ZoomLevel() == level || !inside(view->horizontalScrollBar()) || !inside(view->verticalScrollBar()) ||
        view->Printing())
        return;
    const Point logical = view->LogicalPointAt(QPointF(*on));
    const std::optional<StripHit> after = StripUnder(view->Painter().Mouse(), logical.x, logical.y);
    const CGetMouseDm& strips = view->Painter().Mouse();
    const Rect box = after ? strips.StripRect(after->slot) : Rect{};
    const double pixels =
        view->ViewportPositionOf(Point{box.right, 0}).x() - view->ViewportPositionOf(Point{box.left, 0}).x();
    const double dmPerPixel = after && pixels > 0 ? (after->hi - after->lo) / pixels : 0.0;
    if (!after || after->slot != before->slot || std::abs(after->station - before->station) > 2 * dmPerPixel + 1) {
        Fail(QStringLiteral("Ctrl+wheel moved station %1 away from under the mouse (now %2)")
                 .arg(before->station)
                 .arg(after ? QString::number(after->station) : QStringLiteral("no strip")));
        return;
    }
    Count(QStringLiteral("zoom kept the point under the mouse"));
}

}  // namespace kurvex::exerciser

namespace {

QtMessageHandler g_standardMessages = nullptr;

// The offscreen platform says so for every window that would be raised or
// resized by its size hints; nothing else is dropped.
void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QStringLiteral("This plugin does not support")))
        return;
    g_standardMessages(type, context, message);
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    g_standardMessages = qInstallMessageHandler(&FilterMessages);
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ostwerk GmbH"));
    QApplication::setApplicationName(QStringLiteral("Kurvex"));
    // Ended by the actions, not by the last window closing.
    QApplication::setQuitOnLastWindowClosed(false);
    // Qt's own dialogs in German, as the program shows them.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Drives the Kurvex main window with random user actions."));
    parser.addHelpOption();
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the run."), QStringLiteral("N"),
                                  QStringLiteral("1"));
    const QCommandLineOption actions(QStringLiteral("actions"), QStringLiteral("Number of actions."),
                                     QStringLiteral("M"), QStringLiteral("500"));
    const QCommandLineOption watchdog(QStringLiteral("watchdog"),
                                      QStringLiteral("Seconds without a completed action that count as a hang."),
                                      QStringLiteral("SECONDS"), QStringLiteral("120"));
    const QCommandLineOption trace(QStringLiteral("trace"), QStringLiteral("Prints every action on stderr."));
    const QCommandLineOption keep(QStringLiteral("keep"), QStringLiteral("Keeps the temporary folder."));
    parser.addOptions({seed, actions, watchdog, trace, keep});
    parser.process(application);

    kurvex::exerciser::Options options;
    bool ok = true;
    options.seed = parser.value(seed).toULongLong(&ok);
    bool actionsOk = true;
    options.actions = parser.value(actions).toInt(&actionsOk);
    bool watchdogOk = true;
    options.watchdogSeconds = parser.value(watchdog).toInt(&watchdogOk);
    if (!ok || !actionsOk || !watchdogOk || options.actions < 0 || options.watchdogSeconds < 1) {
        std::fprintf(stderr, "kurvex_exerciser: bad --seed, --actions or --watchdog\n");
        return 2;
    }
    options.trace = parser.isSet(trace);
    options.keep = parser.isSet(keep);

#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(&kurvex::exerciser::PrintLastWords);
#else
    for (int signal : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL})
        std::signal(signal, &kurvex::exerciser::OnFatalSignal);
#endif

    kurvex::exerciser::Exerciser exerciser(options);
    return exerciser.Run();
}

#include "Exerciser.moc"
