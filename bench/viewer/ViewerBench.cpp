// kurvex-viewbench: times the viewer's real widgets, offscreen, with long runs.
//
//   kurvex-viewbench [--repeat N] [--cli KURVEX_CLI] RUN EVALUATED_RUN
//
// RUN is a run without side file (its first-load question is answered with the
// defaults), EVALUATED_RUN a second run whose side file holds a long list of
// exceedances. Each figure is the median of N repetitions (default 31), timed
// with QElapsedTimer from the event to the end of the paint it causes:
//
//   open_ms            File > Open of RUN up to its first painted chart page
//   document_open_ms   the same run read into a document without any window
//                      (and freed again), as kurvex-cli reads it
//   cli_open_ms        `KURVEX_CLI info RUN` as a whole process, run alternately
//                      with the opens above (only with --cli)
//   page_down_ms       Page Down, zoom_ms "+"/"-", click_ms a click on the chart
//   switch_ms          activating the other of the two open runs, which also
//                      shows its text in the file viewer
//   evaluation_list_ms "Auswertung anzeigen/bearbeiten" of EVALUATED_RUN up to the
//                      painted list
//   chart_preview_ms   the print preview of RUN's whole chart, report_preview_ms
//                      that of EVALUATED_RUN's report, up to the shown dialog (at
//                      most three times each)
//   overview_build_ms  the overview strip of EVALUATED_RUN cut down to its pixel
//                      columns, overview_repaint_ms one paint of the strip
//   step_ms            "Nächste Überschreitung" (F3) in EVALUATED_RUN up to the painted page
//   exceedance_list_ms the "Überschreitungen" dock of EVALUATED_RUN shown, its lines
//                      read anew, up to its painted list
//   mouse_move_ms      a mouse move across EVALUATED_RUN's strips up to the
//                      repainted readout in status pane 2
//   tooltip_ms         the tooltip of an exceedance marker of EVALUATED_RUN, from
//                      the help event to the shown tip
//
// It prints one "name=median max=slowest" line per figure, and the number of
// exceedances as "exceedances=N"; scripts/bench.sh reads them. Settings and the
// per-user folder live in a temporary folder.

#include "chart/ChartGeometry.h"
#include "chart/ChartReadout.h"
#include "chart/GetMouseDm.h"
#include "chart/ui/KurvexView.h"
#include "common/ui/QtPath.h"
#include "document/KurvexDoc.h"
#include "document/ui/WindowOpenInteraction.h"
#include "evaluation/ui/AuswertungDlg.h"
#include "measurement/ui/NMDateiDlg.h"
#include "shell/KurvexApp.h"
#include "shell/ExceedanceDock.h"
#include "shell/MainFrame.h"
#include "shell/OverviewDock.h"
#include "shell/Resources.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace kurvex {
namespace {

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "kurvex-viewbench: %s\n", what.c_str());
    std::exit(1);
}

// Answers the first-load question with the defaults, as a user pressing Enter
// would, without counting the user's time; any message ends the benchmark.
class BenchInteraction : public WindowOpenInteraction {
public:
    using WindowOpenInteraction::WindowOpenInteraction;
    FirstLoadAnswer AskFirstLoadAdjustments(int32_t, int32_t) override { return {}; }
    void ShowMessage(const UserMessage& message) override { Fail("message while opening: " + message.text); }
};

// The same answers without any window: the open as kurvex-cli does it.
class SilentInteraction : public OpenInteraction {
public:
    FirstLoadAnswer AskFirstLoadAdjustments(int32_t, int32_t) override { return {}; }
    void ShowMessage(const UserMessage& message) override { Fail("message while opening: " + message.text); }
};

// Counts the paints of the widgets that show a run: the chart viewports, the
// file viewer's list and the evaluation list.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            auto* widget = static_cast<QWidget*>(watched);
            if (qobject_cast<CKurvexView*>(widget->parentWidget()))
                ++chartPaints;
            else if (qobject_cast<QAbstractItemView*>(widget->parentWidget()))
                ++listPaints;
        }
        return false;
    }

    int chartPaints = 0;
    int listPaints = 0;
};

// Counts the paints of one widget.
class WidgetPaints : public QObject {
public:
    explicit WidgetPaints(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
    int count = 0;
};

CKurvexView::Layout WithPage(CKurvexView::Layout layout, int page)
{
    layout.currentPage = page;
    return layout;
}

struct Samples {
    std::vector<double> ms;

    void Add(const QElapsedTimer& timer) { ms.push_back(timer.nsecsElapsed() / 1e6); }
    double Median() const
    {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        const size_t n = sorted.size();
        return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }
    double Max() const { return *std::max_element(ms.begin(), ms.end()); }
};

void Print(const char* name, const Samples& samples)
{
    std::printf("%s=%.3f max=%.3f\n", name, samples.Median(), samples.Max());
    std::fflush(stdout);
}

class ViewerBench {
public:
    ViewerBench(QString run, QString evaluatedRun, QString cli, int repeat)
        : m_run(std::move(run)), m_evaluatedRun(std::move(evaluatedRun)), m_cli(std::move(cli)), m_repeat(repeat)
    {
    }

    void Run()
    {
        StartProgram();
        TimeOpen();
        CKurvexView* view = Open(m_run);
        TimePageDown(*view);
        TimeZoom(*view);
        TimeClick(*view);
        CKurvexView* evaluated = Open(m_evaluatedRun);
        TimeSwitch(*view, *evaluated);
        TimeEvaluationList(*evaluated);
        TimeOverview(*evaluated);
        TimeStep(*evaluated);
        TimeExceedanceList(*evaluated);
        TimePreview(*view, Command::PreviewChart, "chart_preview_ms");
        TimePreview(*evaluated, Command::PreviewEvaluation, "report_preview_ms");
        TimeMouse(*evaluated);
    }

private:
    void StartProgram()
    {
        StartOptions options;
        options.instanceFolder = m_folder.path();
        options.userFolder = m_folder.path();
        if (!m_app.InitInstance(options))
            Fail("the program did not start");
        Frame().SetInteractionFactory([this](QWidget* parent) {
            return std::make_unique<BenchInteraction>(parent, m_app.GlobalSettings());
        });
        Frame().resize(1600, 1000);
        Frame().show();
        if (!QTest::qWaitForWindowExposed(&Frame()))
            Fail("the main window was not shown");
        if (!Frame().FileViewerShown())
            Frame().Action(Command::ToggleFileViewer)->trigger();
        qApp->installEventFilter(&m_paints);
    }

    CMainFrame& Frame() { return *m_app.MainFrame(); }

    // Processes events until the condition holds, at most ten seconds.
    void WaitUntil(const std::function<bool()>& condition, const char* what)
    {
        QElapsedTimer limit;
        limit.start();
        while (!condition()) {
            if (limit.elapsed() > 10000)
                Fail(std::string("no ") + what + " within ten seconds");
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
    }

    // Runs the step and times it up to the end of the next chart paint (and of
    // the next list paint too when the step changes a list).
    void TimeToPaint(Samples& samples, const std::function<void()>& step, bool listToo = false)
    {
        QCoreApplication::processEvents();
        const int chartsBefore = m_paints.chartPaints;
        const int listsBefore = m_paints.listPaints;
        QElapsedTimer timer;
        timer.start();
        step();
        WaitUntil([&] { return m_paints.chartPaints > chartsBefore; }, "chart paint");
        if (listToo)
            WaitUntil([&] { return m_paints.listPaints > listsBefore; }, "list paint");
        samples.Add(timer);
    }

    CKurvexView* Open(const QString& path)
    {
        const int paintsBefore = m_paints.chartPaints;
        CKurvexView* view = Frame().OpenDocumentFile(path);
        if (!view)
            Fail("cannot open " + path.toStdString());
        WaitUntil([&] { return m_paints.chartPaints > paintsBefore; }, "first page");
        // The wait window had the focus; a window manager would hand it back to the main window.
        Frame().activateWindow();
        if (!QTest::qWaitForWindowActive(&Frame()))
            Fail("the main window did not become active again");
        return view;
    }

    void CloseAll()
    {
        while (Frame().ActiveView()) {
            Frame().Action(Command::Close)->trigger();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QCoreApplication::processEvents();
    }

    void TimeCliOpen(Samples& samples)
    {
        QProcess cli;
        cli.setStandardOutputFile(QProcess::nullDevice());
        cli.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        cli.start(m_cli, {QStringLiteral("info"), m_run});
        if (!cli.waitForFinished(60000) || cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != 0)
            Fail("kurvex-cli info failed");
        samples.Add(timer);
    }

    void TimeDocumentOpen(Samples& samples)
    {
        SilentInteraction interaction;
        QElapsedTimer timer;
        timer.start();
        {
            CKurvexDoc doc;
            if (doc.Open(ToCorePath(m_run), m_app.GlobalSettings(), interaction) != OpenResult::Opened)
                Fail("cannot open " + m_run.toStdString());
        }
        samples.Add(timer);
    }

    void TimeOpen()
    {
        Samples opens;
        Samples documentOpens;
        Samples cliOpens;
        for (int i = 0; i < m_repeat; ++i) {
            if (!m_cli.isEmpty())
                TimeCliOpen(cliOpens);
            TimeDocumentOpen(documentOpens);
            TimeToPaint(opens, [&] {
                if (!Frame().OpenDocumentFile(m_run))
                    Fail("cannot open " + m_run.toStdString());
            });
            CloseAll();
        }
        Print("open_ms", opens);
        Print("document_open_ms", documentOpens);
        if (!m_cli.isEmpty())
            Print("cli_open_ms", cliOpens);
    }

    void TimePageDown(CKurvexView& view)
    {
        Samples samples;
        for (int i = 0; i < m_repeat; ++i) {
            if (view.CurrentPage() == view.PageCount())  // a short run: from the start again
                view.ApplyLayout(WithPage(view.CurrentLayout(), 1));
            const int page = view.CurrentPage();
            TimeToPaint(samples, [&] { QTest::keyClick(&view, Qt::Key_PageDown); });
            if (view.CurrentPage() != page + 1)
                Fail("Page Down did not turn the page");
        }
        Print("page_down_ms", samples);
    }

    // Up to the closest level and back out to the farthest, so every level is painted.
    void TimeZoom(CKurvexView& view)
    {
        Samples samples;
        const Qt::Key keys[] = {Qt::Key_Plus, Qt::Key_Minus};
        int direction = 0;
        int turns = 0;
        while (static_cast<int>(samples.ms.size()) < m_repeat) {
            const int level = view.ZoomLevel();
            TimeToPaint(samples, [&] { QTest::keyClick(&view, keys[direction]); });
            if (view.ZoomLevel() == level) {  // the end of the range: repainted as it was; turn round
                samples.ms.pop_back();
                direction = 1 - direction;
                if (++turns > 2)
                    Fail("the zoom keys do not zoom");
            } else {
                turns = 0;
            }
        }
        Print("zoom_ms", samples);
    }

    // Clicks across the strips at the usual zoom; each picks a station and marks it.
    void TimeClick(CKurvexView& view)
    {
        CKurvexView::Layout layout = view.CurrentLayout();
        layout.zoomLevel = kDefaultZoomLevel;
        view.ApplyLayout(layout);
        QCoreApplication::processEvents();
        WaitUntil([&] { return view.Painter().Mouse().Count() > 0; }, "strips after the zoom");
        Samples samples;
        QWidget* viewport = view.viewport();
        const CGetMouseDm& strips = view.Painter().Mouse();
        for (int i = 0; static_cast<int>(samples.ms.size()) < m_repeat; ++i) {
            if (i > 100 * m_repeat)
                Fail("no strip to click on the screen");
            const Rect strip = strips.StripRect(i % strips.Count());
            const Point inside{strip.left + (strip.right - strip.left) * (1 + i % 19) / 20, (strip.top + strip.bottom) / 2};
            const QPoint position = view.ViewportPositionOf(inside).toPoint();
            if (!viewport->rect().contains(position))
                continue;
            TimeToPaint(samples, [&] { QTest::mouseClick(viewport, Qt::LeftButton, {}, position); });
        }
        Print("click_ms", samples);
    }

    void TimeSwitch(CKurvexView& first, CKurvexView& second)
    {
        Samples samples;
        for (int i = 0; i < m_repeat; ++i) {
            CKurvexView& target = i % 2 ? second : first;
            auto* window = qobject_cast<QMdiSubWindow*>(target.parentWidget());
            if (!window)
                Fail("a chart window outside the window area");
            TimeToPaint(samples, [&] { Frame().MdiArea()->setActiveSubWindow(window); }, true);
            if (Frame().ActiveView() != &target || Frame().FileViewer()->Caption().isEmpty())
                Fail("the other run did not become active");
        }
        Print("switch_ms", samples);
    }

    // Triggers a command that runs a modal dialog and times it until the dialog
    // is ready; a timer inside the dialog's loop then closes it.
    void TimeModal(Samples& samples, Command command, const std::function<bool(QDialog&)>& ready)
    {
        QCoreApplication::processEvents();
        bool closed = false;
        QElapsedTimer timer;
        std::function<void()> closeWhenReady = [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog && ready(*dialog)) {
                samples.Add(timer);
                closed = true;
                dialog->reject();
                return;
            }
            QTimer::singleShot(0, closeWhenReady);
        };
        QTimer::singleShot(0, closeWhenReady);
        timer.start();
        Frame().Action(command)->trigger();
        if (!closed)
            Fail("the dialog of a command did not open");
    }

    void Activate(CKurvexView& view)
    {
        Frame().MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(view.parentWidget()));
    }

    // Up to the painted list.
    void TimeEvaluationList(CKurvexView& view)
    {
        Activate(view);
        const int exceedances = view.Document().Exceedances().ExceedanceCount();
        std::printf("exceedances=%d\n", exceedances);
        Samples samples;
        for (int i = 0; i < m_repeat; ++i) {
            const int before = m_paints.listPaints;
            TimeModal(samples, Command::ShowEvaluation, [&](QDialog& dialog) {
                auto* evaluation = qobject_cast<CAuswertungDlg*>(&dialog);
                if (!evaluation || m_paints.listPaints == before)
                    return false;
                if (evaluation->Model()->rowCount() < exceedances)
                    Fail("the evaluation list misses exceedances");
                return true;
            });
        }
        Print("evaluation_list_ms", samples);
    }

    // The print preview draws every sheet before it shows; timed up to the shown
    // dialog, a few times only (hundreds of sheets for 100 km).
    void TimePreview(CKurvexView& view, Command command, const char* name)
    {
        Activate(view);
        Samples samples;
        for (int i = 0; i < std::min(m_repeat, 3); ++i) {
            TimeModal(samples, command, [](QDialog& dialog) {
                return qobject_cast<QPrintPreviewDialog*>(&dialog) && dialog.isVisible();
            });
        }
        Print(name, samples);
    }

    // The strip cut down anew, as after an open, and painted, as after a page turn.
    void TimeOverview(CKurvexView& view)
    {
        Activate(view);
        COverviewStrip* strip = Frame().OverviewDock()->Strip();
        if (!strip->isVisible() || strip->View() != &view)
            Fail("the overview does not show the evaluated run");
        Samples builds;
        Samples paints;
        for (int i = 0; i < m_repeat; ++i) {
            QElapsedTimer timer;
            timer.start();
            strip->Rebuild();
            builds.Add(timer);
            if (strip->ColumnCount() < 100)
                Fail("the overview strip is too narrow");
            view.PageForward();
            QCoreApplication::processEvents();
            timer.start();
            strip->repaint();
            paints.Add(timer);
        }
        Print("overview_build_ms", builds);
        Print("overview_repaint_ms", paints);
    }

    void TimeStep(CKurvexView& view)
    {
        Activate(view);
        view.ApplyLayout(WithPage(view.CurrentLayout(), 1));
        Samples samples;
        for (int i = 0; i < m_repeat; ++i) {
            const std::string before = view.Document().PickedStations().Get(0);
            // The command as F3 triggers it: after the modal dialogs the offscreen
            // window need not be the active one that key shortcuts reach.
            TimeToPaint(samples, [&] { Frame().Action(Command::NextExceedance)->trigger(); });
            if (view.Document().PickedStations().Get(0) == before)
                Fail("F3 did not reach the next exceedance");
        }
        Print("step_ms", samples);
    }

    void TimeExceedanceList(CKurvexView& view)
    {
        Activate(view);
        CExceedanceDock* dock = Frame().ExceedanceDock();
        QAction* toggle = Frame().Action(Command::ToggleExceedanceList);
        const int exceedances = view.Document().Exceedances().ExceedanceCount();
        WidgetPaints listPaints(dock->Tree()->viewport());
        Samples samples;
        for (int i = 0; i < m_repeat; ++i) {
            if (toggle->isChecked())
                toggle->trigger();
            // Hidden, the list only notes a change; shown, it reads the run anew.
            view.Document().NotifyChanged(DocumentChange::Evaluation);
            QCoreApplication::processEvents();
            const int before = listPaints.count;
            QElapsedTimer timer;
            timer.start();
            toggle->trigger();
            WaitUntil([&] { return listPaints.count > before && dock->Model()->rowCount() > 0; }, "exceedance list");
            samples.Add(timer);
            if (dock->Model()->Outline()->ExceedanceCount() != exceedances)
                Fail("the exceedance list misses exceedances");
            if (dock->Model()->FormattedRowCount() > 1000)
                Fail("the exceedance list formatted lines it does not show");
        }
        toggle->trigger();
        Print("exceedance_list_ms", samples);
    }

    // The mouse over the strips at the usual zoom: moves with their readout,
    // then the tooltips of the markers on the page.
    void TimeMouse(CKurvexView& view)
    {
        Activate(view);
        CKurvexView::Layout layout = view.CurrentLayout();
        layout.zoomLevel = kDefaultZoomLevel;
        view.ApplyLayout(layout);
        view.viewport()->repaint();
        WaitUntil([&] { return view.Painter().Mouse().Count() > 0; }, "strips to move over");
        QWidget* viewport = view.viewport();
        const QLabel* pane = Frame().StatusPane(2);
        const CGetMouseDm& strips = view.Painter().Mouse();
        Samples moves;
        for (int i = 0; static_cast<int>(moves.ms.size()) < m_repeat; ++i) {
            if (i > 100 * m_repeat)
                Fail("no strip to move over on the screen");
            const Rect strip = strips.StripRect(i % strips.Count());
            const Point inside{strip.left + (strip.right - strip.left) * (1 + i % 37) / 38,
                               (strip.top + strip.bottom) / 2};
            const QPointF position = view.ViewportPositionOf(inside);
            if (!viewport->rect().contains(position.toPoint()))
                continue;
            QCoreApplication::processEvents();
            QMouseEvent move(QEvent::MouseMove, position, viewport->mapToGlobal(position), Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
            QElapsedTimer timer;
            timer.start();
            QCoreApplication::sendEvent(viewport, &move);
            QCoreApplication::processEvents();
            moves.Add(timer);
            if (pane->text().isEmpty())
                Fail("no readout for a point on a strip");
        }
        Print("mouse_move_ms", moves);

        Samples tips;
        const std::vector<ExceedanceMarkerBox> boxes = view.Painter().Markers().Boxes();
        for (size_t i = 0; static_cast<int>(tips.ms.size()) < m_repeat; ++i) {
            if (boxes.empty() || i > 100 * static_cast<size_t>(m_repeat))
                Fail("no exceedance marker on the screen");
            const ExceedanceMarkerBox& box = boxes[i % boxes.size()];
            const QPoint position = view.ViewportPositionOf(Point{box.x, (box.y0 + box.y1) / 2}).toPoint();
            if (!viewport->rect().contains(position))
                continue;
            QToolTip::hideText();
            QCoreApplication::processEvents();
            QHelpEvent help(QEvent::ToolTip, position, viewport->mapToGlobal(position));
            QElapsedTimer timer;
            timer.start();
            QCoreApplication::sendEvent(viewport, &help);
            QCoreApplication::processEvents();
            tips.Add(timer);
            if (QToolTip::text().isEmpty())
                Fail("no tooltip on an exceedance marker");
        }
        QToolTip::hideText();
        Print("tooltip_ms", tips);
    }

    QString m_run;
    QString m_evaluatedRun;
    QString m_cli;
    int m_repeat;
    QTemporaryDir m_folder;
    CKurvexApp m_app;
    PaintCounter m_paints;
};

int Usage()
{
    std::fprintf(stderr, "Aufruf: kurvex-viewbench [--repeat N] [--cli KURVEX_CLI] MESSDATEI AUSGEWERTETE_MESSDATEI\n");
    return 2;
}

}  // namespace
}  // namespace kurvex

// The offscreen platform's notes about window features it lacks say nothing about the timings.
void DropPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")) || message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    qt_message_output(type, context, message);
}

int main(int argc, char** argv)
{
    qInstallMessageHandler(DropPlatformNotes);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    kurvex::InitResources();
    QApplication::setOrganizationName(QStringLiteral("Ostwerk GmbH"));
    QApplication::setApplicationName(QStringLiteral("Kurvex"));
    // The program's settings, but in a folder of their own.
    QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());

    QStringList arguments = QApplication::arguments().mid(1);
    int repeat = 31;
    QString cli;
    while (arguments.size() > 2) {
        const QString option = arguments.takeFirst();
        if (option == QLatin1String("--repeat") && !arguments.isEmpty())
            repeat = arguments.takeFirst().toInt();
        else if (option == QLatin1String("--cli") && !arguments.isEmpty())
            cli = QFileInfo(arguments.takeFirst()).absoluteFilePath();
        else
            return kurvex::Usage();
    }
    if (arguments.size() != 2 || repeat < 1)
        return kurvex::Usage();
    const QString run = QFileInfo(arguments[0]).absoluteFilePath();
    const QString evaluatedRun = QFileInfo(arguments[1]).absoluteFilePath();
    kurvex::ViewerBench(run, evaluatedRun, cli, repeat).Run();
    return 0;
}
