#include "shell/MainFrame.h"

#include "chart/ExceedanceNavigation.h"
#include "chart/ChartReadout.h"
#include "chart/StationSearch.h"
#include "chart/ui/ChartPrinting.h"
#include "chart/ui/KurvexView.h"
#include "common/Numbers.h"
#include "common/SettingsCatalogue.h"
#include "render/ChartRendering.h"
#include "render/ReportRendering.h"
#include "common/ui/AccessibleToolBar.h"
#include "common/ui/FileDialogSize.h"
#include "common/ui/PersListCtrl.h"
#include "common/ui/QtPath.h"
#include "common/ui/QtText.h"
#include "common/ui/WaitCursor.h"
#include "document/KurvexDoc.h"
#include "document/SettingsStore.h"
#include "document/ui/WindowOpenInteraction.h"
#include "evaluation/ReportLayout.h"
#include "evaluation/ui/EvaluationDialogs.h"
#include "measurement/ui/ExportDlg.h"
#include "measurement/ui/NMDateiDlg.h"
#include "shell/AboutDlg.h"
#include "shell/DocumentManager.h"
#include "shell/ExceedanceDock.h"
#include "shell/OverviewDock.h"
#include "shell/FileViewerLink.h"
#include "shell/KurvexApp.h"
#include "shell/QSettingsStore.h"
#include "shell/RecentFileList.h"
#include "shell/Resources.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QInputDialog>
#include <QLineEdit>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QWindowStateChangeEvent>

#include <algorithm>
#include <limits>
#include <optional>

namespace kurvex {

namespace {

// Room for three strips and the file viewer, but never more than the screen
// offers: a laptop with 768 lines would otherwise get a window taller than itself.
QSize InitialSize(const QScreen* screen)
{
    const QSize wanted(1280, 860);
    if (!screen)
        return wanted;
    const QSize available = screen->availableGeometry().size();
    // Leave room for the window frame and title bar the window manager adds.
    return wanted.boundedTo(QSize(available.width() * 95 / 100, available.height() * 90 / 100));
}

constexpr int kPaneWidths[3] = {300, 200, 350};

CKurvexView* ViewOf(QMdiSubWindow* window)
{
    return window ? qobject_cast<CKurvexView*>(window->widget()) : nullptr;
}

}  // namespace

CMainFrame::CMainFrame(CKurvexApp& app, QWidget* parent) : QMainWindow(parent), m_app(app)
{
    InitResources();
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/kurvex.svg")));
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    const QString answersFile = m_app.UserFolder().isEmpty()
                                    ? QString()
                                    : QDir(m_app.UserFolder()).filePath(QString::fromLatin1(kFirstLoadAnswersFileName));
    m_documents = std::make_unique<DocumentManager>(
        m_app.GlobalSettings(), answersFile, [this](const QString& fileName) { return MakeOpenInteraction(fileName); });

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateFileViewer();
    CreateNavigationDocks();
    ConnectCommands();
    BindChartKeys();
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

    UseMenuSet(false);
    UpdateRecentFileMenu();
    UpdateCommands();
    setWindowTitle(MainWindowCaption());
    resize(InitialSize(screen()));
    setAcceptDrops(true);
}

CMainFrame::~CMainFrame()
{
    // Views first, while the frame they report to still exists; nothing they
    // signal on the way out may reach the half-destroyed frame.
    m_destroying = true;
    disconnect(m_mdiArea, nullptr, this, nullptr);
    // A frame destroyed while shown hides its dock in ~QWidget, after this
    // destructor: the viewer's visibility signal must not reach it then.
    disconnect(m_fileViewer, nullptr, this, nullptr);
    const auto windows = m_mdiArea->findChildren<QMdiSubWindow*>();
    for (QMdiSubWindow* window : windows) {
        window->disconnect(this);
        delete window;
    }
}

// ---------------------------------------------------------------- building

void CMainFrame::CreateActions()
{
    for (const CommandInfo& info : CommandTable()) {
        auto* action = new QAction(info.text, this);
        action->setObjectName(QString::fromLatin1(info.objectName));
        if (!info.icon.isEmpty())
            action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(info.icon)));
        if (!info.toolTip.isEmpty())
            action->setToolTip(info.toolTip);
        action->setStatusTip(info.statusTip);
        action->setCheckable(info.checkable);
        if (!info.shortcut.isEmpty()) {
            action->setShortcut(info.shortcut);
            addAction(action);  // the shortcut works whichever menu set is shown
        }
        m_actions[info.command] = action;
    }
}

void CMainFrame::CreateMenus()
{
    auto menu = [this](const QString& title, std::vector<QMenu*>& set) {
        auto* created = new QMenu(title, this);
        set.push_back(created);
        return created;
    };
    auto add = [this](QMenu* target, std::initializer_list<Command> commands) {
        for (Command command : commands)
            target->addAction(Action(command));
    };

    // Without a document.
    m_fileMenuWithout = menu(U("&Datei"), m_menusWithoutDocument);
    add(m_fileMenuWithout, {Command::Open, Command::PrintSetup, Command::NewRunDefaults});
    m_fileMenuWithout->addSeparator();
    m_fileMenuWithout->addSeparator()->setObjectName(QStringLiteral("recent"));
    add(m_fileMenuWithout, {Command::Exit});
    QMenu* view = menu(U("&Ansicht"), m_menusWithoutDocument);
    add(view, {Command::ToolBar, Command::StatusBar, Command::RepositionBars});
    add(view, {Command::ToggleOverview, Command::ToggleExceedanceList});
    add(menu(U("&?"), m_menusWithoutDocument), {Command::About});

    // With a document.
    m_fileMenuWith = menu(U("&Datei"), m_menusWithDocument);
    add(m_fileMenuWith, {Command::Open, Command::Close, Command::Export});
    m_fileMenuWith->addSeparator();
    add(m_fileMenuWith, {Command::Print, Command::PreviewChart, Command::PrintSetup});
    add(m_fileMenuWith, {Command::SaveChartPdf, Command::SaveReportPdf});
    m_fileMenuWith->addSeparator();
    add(m_fileMenuWith, {Command::NewRunDefaults, Command::ResetState});
    add(m_fileMenuWith, {Command::AskFirstLoadAgain});
    m_fileMenuWith->addSeparator();
    m_fileMenuWith->addSeparator()->setObjectName(QStringLiteral("recent"));
    add(m_fileMenuWith, {Command::Exit});
    QMenu* viewWith = menu(U("&Ansicht"), m_menusWithDocument);
    add(viewWith, {Command::ToolBar, Command::StatusBar, Command::ResetColumnLayout, Command::RepositionBars});
    viewWith->addSeparator();
    add(viewWith, {Command::GoToStation, Command::Reload});
    viewWith->addSeparator();
    add(viewWith, {Command::ToggleOverview, Command::ToggleExceedanceList});
    QMenu* settings = menu(U("&Einstellungen"), m_menusWithDocument);
    add(settings, {Command::RunSettings, Command::ComparisonRuns, Command::EditComments, Command::EditHeaderData,
                   Command::InsertFreeText, Command::EditFreeTexts, Command::InsertRangeText, Command::EditRangeTexts,
                   Command::EditHeadings});
    settings->addMenu(U("Fahrbahnoberfläche"))->setEnabled(false);
    add(settings, {Command::ShownMeasuringPoints});
    settings->addMenu(U("Maßstab der Länge"))->setEnabled(false);
    add(settings, {Command::CalibrationValue});
    QMenu* exceedances = menu(U("Ü&berschreitungen"), m_menusWithDocument);
    add(exceedances, {Command::EditSections, Command::ShowEvaluation, Command::PreviewEvaluation,
                      Command::PrintEvaluation});
    exceedances->addSeparator();
    add(exceedances, {Command::AutomaticDetection, Command::ReportHeaderFooter});
    exceedances->addSeparator();
    add(exceedances, {Command::NextExceedance, Command::PreviousExceedance});
    QMenu* windows = menu(U("&Fenster"), m_menusWithDocument);
    add(windows, {Command::NewWindow, Command::Cascade, Command::TileSideBySide, Command::TileStacked,
                  Command::ArrangeIcons});
    connect(windows, &QMenu::aboutToShow, this, [this, windows] {
        // The open windows below the arrangement commands, as MDI programs list them.
        for (QAction* action : windows->actions()) {
            if (action->property("windowEntry").toBool() || action->property("windowSeparator").toBool())
                windows->removeAction(action), action->deleteLater();
        }
        const auto list = m_mdiArea->subWindowList();
        if (list.isEmpty())
            return;
        windows->addSeparator()->setProperty("windowSeparator", true);
        int number = 1;
        for (QMdiSubWindow* window : list) {
            QAction* entry = windows->addAction(QStringLiteral("&%1 %2").arg(number++).arg(window->windowTitle()));
            entry->setProperty("windowEntry", true);
            entry->setCheckable(true);
            entry->setChecked(window == m_mdiArea->activeSubWindow());
            connect(entry, &QAction::triggered, this, [this, window] { m_mdiArea->setActiveSubWindow(window); });
        }
    });
    add(menu(U("&?"), m_menusWithDocument), {Command::About});
}

void CMainFrame::CreateToolBar()
{
    m_toolBar = new QToolBar(U("Symbolleiste"), this);
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    const std::vector<std::vector<Command>> groups = {
        {Command::Open},
        {Command::PreviewChart, Command::PrintChart, Command::PreviewEvaluation},
        {Command::ToolComments, Command::ToolHeaderData},
        {Command::ToolInsertFreeText, Command::ToolEditFreeTexts},
        {Command::ToolInsertRangeText, Command::ToolEditRangeTexts},
        {Command::ToggleFileViewer},
        {Command::Zoom},
        {Command::PageBack, Command::PageForward},
        {Command::TwoMetreGrid},
        {Command::ToggleStrips},
        {Command::ExcludeRange},
        {Command::PreviousExceedance, Command::NextExceedance},
    };
    for (size_t i = 0; i < groups.size(); ++i) {
        if (i > 0)
            m_toolBar->addSeparator();
        for (Command command : groups[i]) {
            m_toolBar->addAction(Action(command));
            // A screen reader says the button's tooltip, not the menu text with its shortcut.
            if (QWidget* button = m_toolBar->widgetForAction(Action(command)); button && !InfoOf(command).toolTip.isEmpty())
                button->setAccessibleName(InfoOf(command).toolTip);
        }
    }
    Action(Command::ToolBar)->setChecked(true);
    Action(Command::StatusBar)->setChecked(true);
    MakeToolBarAccessible(*m_toolBar);
}

void CMainFrame::CreateStatusBar()
{
    for (int pane = 0; pane < 3; ++pane) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("pane%1").arg(pane));
        label->setMinimumWidth(kPaneWidths[pane]);
        if (pane != 1)
            label->setFixedWidth(kPaneWidths[pane]);
        m_panes[pane] = label;
    }
    statusBar()->addWidget(m_panes[0]);
    statusBar()->addWidget(m_panes[1], 1);
    statusBar()->addPermanentWidget(m_panes[2]);
    // Pane 2 shows the readout under the mouse: room for the widest one.
    const int readoutWidth = m_panes[2]->fontMetrics().horizontalAdvance(QString::fromLatin1(kWidestPointReadout)) + 12;
    m_panes[2]->setFixedWidth(std::max(kPaneWidths[2], readoutWidth));
}

void CMainFrame::CreateFileViewer()
{
    m_fileViewer = new CNMDateiDlg(this);
    m_fileViewer->setObjectName(QStringLiteral("fileViewer"));
    addDockWidget(Qt::RightDockWidgetArea, m_fileViewer);
    m_fileViewer->hide();
    m_fileViewer->ShowNoFile();
    m_fileViewerLink = new CFileViewerLink(*m_fileViewer, this);
    // Closing the dock with its own button switches the viewer off like the command.
    connect(m_fileViewer, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (!visible && m_viewerShown && !m_minimised && !isMinimized() && !m_fileViewer->isVisible() &&
            isVisible()) {
            m_viewerShown = false;
            UpdateCommands();
        }
    });
}

void CMainFrame::BindChartKeys()
{
    for (Command command : {Command::FirstPage, Command::LastPage}) {
        QAction* action = Action(command);
        removeAction(action);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        m_mdiArea->addAction(action);
    }
    OnView(Command::FirstPage, &CKurvexView::FirstPage);
    OnView(Command::LastPage, &CKurvexView::LastPage);
}

template <typename Slot>
void CMainFrame::OnView(Command command, Slot slot)
{
    connect(Action(command), &QAction::triggered, this, [this, slot] {
        if (CKurvexView* view = ActiveView())
            (view->*slot)();
    });
}

void CMainFrame::ConnectCommands()
{
    connect(Action(Command::Open), &QAction::triggered, this, &CMainFrame::OnFileOpen);
    connect(Action(Command::Close), &QAction::triggered, this, &CMainFrame::CloseActiveDocument);
    connect(Action(Command::PrintSetup), &QAction::triggered, this, &CMainFrame::PrintSetup);
    connect(Action(Command::Exit), &QAction::triggered, this, &QWidget::close);
    connect(Action(Command::ToolBar), &QAction::toggled, m_toolBar, &QWidget::setVisible);
    connect(m_toolBar, &QToolBar::visibilityChanged, Action(Command::ToolBar), &QAction::setChecked);
    connect(Action(Command::StatusBar), &QAction::toggled, statusBar(), &QWidget::setVisible);
    connect(Action(Command::RepositionBars), &QAction::triggered, this, &CMainFrame::RepositionBars);
    connect(Action(Command::ResetColumnLayout), &QAction::triggered, this, &CMainFrame::ResetColumnLayout);
    connect(Action(Command::NewWindow), &QAction::triggered, this, &CMainFrame::NewWindowForActiveDocument);
    connect(Action(Command::NewDocument), &QAction::triggered, this, &CMainFrame::NewEmptyDocument);
    connect(Action(Command::Cascade), &QAction::triggered, m_mdiArea, &QMdiArea::cascadeSubWindows);
    connect(Action(Command::TileSideBySide), &QAction::triggered, this, &CMainFrame::TileSideBySide);
    connect(Action(Command::TileStacked), &QAction::triggered, this, &CMainFrame::TileStacked);
    connect(Action(Command::ArrangeIcons), &QAction::triggered, this, &CMainFrame::ArrangeIcons);
    connect(Action(Command::About), &QAction::triggered, this, &CMainFrame::ShowAbout);
    // The checked state is the command: a screen reader toggles the button
    // without the click that would trigger it.
    connect(Action(Command::ToggleFileViewer), &QAction::toggled, this, [this](bool shown) {
        if (shown != m_viewerShown)
            ToggleFileViewer();
    });
    connect(Action(Command::TwoMetreGrid), &QAction::toggled, this, [this](bool shown) {
        CKurvexView* view = ActiveView();
        if (view && shown != view->TwoMetreGrid())
            view->ToggleTwoMetreGrid();
    });

    OnView(Command::Print, &CKurvexView::Print);
    OnView(Command::PreviewChart, &CKurvexView::PreviewChart);
    OnView(Command::PrintChart, &CKurvexView::PrintChart);
    OnView(Command::PreviewEvaluation, &CKurvexView::PreviewEvaluation);
    OnView(Command::PrintEvaluation, &CKurvexView::PrintEvaluation);
    OnView(Command::Zoom, &CKurvexView::ZoomStep);
    OnView(Command::PageBack, &CKurvexView::PageBack);
    OnView(Command::PageForward, &CKurvexView::PageForward);
    OnView(Command::ToggleStrips, &CKurvexView::ToggleStrips);
    OnView(Command::EditSideFile, &CKurvexView::OpenSideFileInEditor);

    connect(Action(Command::ShowEvaluation), &QAction::triggered, this, [this] {
        if (CKurvexView* view = ActiveView())
            ShowEvaluationDialog(this, view->Document(), m_app.Settings());
    });
    connect(Action(Command::EditSections), &QAction::triggered, this, [this] {
        if (CKurvexView* view = ActiveView())
            ShowSectionsDialog(this, view->Document(), m_app.Settings());
    });
    connect(Action(Command::GoToStation), &QAction::triggered, this, &CMainFrame::AskStationAndGo);
    connect(Action(Command::Reload), &QAction::triggered, this, &CMainFrame::ReloadActiveDocument);
    connect(Action(Command::AskFirstLoadAgain), &QAction::triggered, this, &CMainFrame::AskFirstLoadAdjustmentsAgain);
    connect(Action(Command::SaveChartPdf), &QAction::triggered, this, [this] { SavePdf(false); });
    connect(Action(Command::SaveReportPdf), &QAction::triggered, this, [this] { SavePdf(true); });
    connect(Action(Command::Export), &QAction::triggered, this, [this] {
        if (CKurvexView* view = ActiveView(); view && view->CanExport())
            ShowExportDialog(this, view->Document(), m_app.Settings());
    });
}

// ---------------------------------------------------------------- state

QAction* CMainFrame::Action(Command command) const
{
    return m_actions.at(command);
}

QLabel* CMainFrame::StatusPane(int pane) const
{
    return m_panes[std::clamp(pane, 0, 2)];
}

CKurvexView* CMainFrame::ActiveView() const
{
    return ViewOf(m_mdiArea->activeSubWindow());
}

std::vector<CKurvexView*> CMainFrame::Views() const
{
    std::vector<CKurvexView*> views;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        if (CKurvexView* view = ViewOf(window))
            views.push_back(view);
    }
    return views;
}

void CMainFrame::UpdateCommands()
{
    CKurvexView* view = ActiveView();
    const bool hasView = view != nullptr;
    const bool hasWindows = !m_mdiArea->subWindowList().isEmpty();
    const bool printing = hasView && view->Printing();

    for (const CommandInfo& info : CommandTable())
        Action(info.command)->setEnabled(CommandEnabled(info.scope, hasView, printing, hasWindows));
    // Within the chart window's scope, some also depend on its page and run.
    if (hasView && !printing) {
        Action(Command::PageBack)->setEnabled(view->CurrentPage() >= 2);
        Action(Command::PageForward)->setEnabled(view->CurrentPage() < view->PageCount());
        Action(Command::Export)->setEnabled(view->CanExport());
        // Only a run without side file was asked; one with a side file never is.
        Action(Command::AskFirstLoadAgain)
            ->setEnabled(view->Document().FreshState() && !view->Document().FullPath().empty());
    }
    Action(Command::TwoMetreGrid)->setChecked(hasView && view->TwoMetreGrid());
    Action(Command::ToggleFileViewer)->setChecked(m_viewerShown);
    // "Drucken..." prints what was chosen last; its prompt says which.
    Action(Command::Print)->setStatusTip(hasView ? PrintStatusTip(view->EvaluationPrint())
                                                 : InfoOf(Command::Print).statusTip);
}

void CMainFrame::UseMenuSet(bool withDocument)
{
    if (withDocument == m_withDocumentMenus && !menuBar()->actions().isEmpty())
        return;
    m_withDocumentMenus = withDocument;
    menuBar()->clear();
    for (QMenu* menu : withDocument ? m_menusWithDocument : m_menusWithoutDocument)
        menuBar()->addMenu(menu);
}

void CMainFrame::UpdateCaption()
{
    QMdiSubWindow* window = m_mdiArea->activeSubWindow();
    if (!window) {
        setWindowTitle(MainWindowCaption());
        return;
    }
    const QString child = window->widget() ? window->widget()->windowTitle() : window->windowTitle();
    if (window->isMaximized())
        setWindowTitle(MainWindowCaption() + QStringLiteral(" - [") + child + QLatin1Char(']'));
    else
        setWindowTitle(MainWindowCaption() + QStringLiteral(" - ") + child);
}

void CMainFrame::ShowPickedStations(const std::string& newest, const std::string& previous)
{
    m_panes[1]->setText(ToQString(MeasureStatusText(newest, previous)));
}

void CMainFrame::RefreshFileViewer()
{
    if (m_printing)
        return;
    if (CKurvexView* view = ActiveView())
        m_fileViewer->ShowDocument(view->SharedDocument());
    else
        m_fileViewer->ShowNoFile();
    m_fileViewerLink->Follow(ActiveView());
}

// ---------------------------------------------------------------- documents

void CMainFrame::OnFileOpen()
{
    const QString last = QString::fromStdString(m_app.Settings().GetUtf8(
        kLastFileOpenSetting.section, kLastFileOpenSetting.key, kLastFileOpenSetting.defaultValue));
    QFileDialog dialog(this, U("Öffnen"), QFileInfo(last).absolutePath(),
                       U("Planografendaten (*)\nAlle Dateien (*)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, true);
    MakeRoomy(dialog);
    if (!last.isEmpty())
        dialog.selectFile(last);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    OpenChosenFile(dialog.selectedFiles().constFirst());
}

void CMainFrame::OpenChosenFile(const QString& path)
{
    OpenDocumentFile(path);
    // Remembered also when the open failed, so the dialog starts there again.
    m_app.Settings().SetUtf8(kLastFileOpenSetting.section, kLastFileOpenSetting.key, path.toStdString());
}

void CMainFrame::OpenFiles(const QStringList& files)
{
    for (const QString& file : files)
        OpenDocumentFile(file);
}

CKurvexView* CMainFrame::FirstViewOf(const std::shared_ptr<CKurvexDoc>& doc) const
{
    for (CKurvexView* view : Views()) {
        if (view->SharedDocument() == doc)
            return view;
    }
    return nullptr;
}

CKurvexView* CMainFrame::OpenDocumentFile(const QString& path)
{
    if (CKurvexView* open = FirstViewOf(m_documents->FindOpen(path))) {
        m_mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(open->parentWidget()));
        return open;
    }
    std::shared_ptr<CKurvexDoc> doc = m_documents->Open(path);
    if (!doc)
        return nullptr;
    AddToRecentFiles(FromCorePath(doc->FullPath()));
    const QString notes = DocumentManager::OpenNotes(*doc);
    CKurvexView* view = AddView(std::move(doc));
    ShowOpenNotes(notes);
    return view;
}

std::unique_ptr<OpenInteraction> CMainFrame::MakeOpenInteraction(const QString& fileName)
{
    if (m_interactionFactory)
        return m_interactionFactory(this);
    return std::make_unique<WindowOpenInteraction>(this, m_app.GlobalSettings(), fileName);
}

CKurvexView* CMainFrame::MakeView(std::shared_ptr<CKurvexDoc> doc)
{
    auto* view = new CKurvexView(std::move(doc), m_app.MakeViewContext());
    connect(view, &CKurvexView::pickedStationsChanged, this,
            [this](const QString& newest, const QString& previous) {
                ShowPickedStations(newest.toStdString(), previous.toStdString());
            });
    connect(view, &CKurvexView::printingChanged, this, &CMainFrame::OnViewPrinting);
    connect(view, &CKurvexView::viewStateChanged, this, &CMainFrame::UpdateCommands);
    connect(view, &CKurvexView::excludedRangeClicked, this, [this, view](int index) {
        ShowExcludedRangeDialog(this, view->Document(), index);
    });
    connect(view, &QWidget::windowTitleChanged, this, [this] { UpdateCaption(); });
    // Pane 2: the readout under the mouse, gone with the window that wrote it.
    connect(view, &CKurvexView::readoutChanged, m_panes[2], &QLabel::setText);
    connect(view, &QObject::destroyed, m_panes[2], &QLabel::clear);
    connect(view, &CKurvexView::goToStationRequested, this, &CMainFrame::AskStationAndGo);
    return view;
}

CKurvexView* CMainFrame::AddView(std::shared_ptr<CKurvexDoc> doc)
{
    const bool maximise = !m_mdiArea->activeSubWindow() || m_mdiArea->activeSubWindow()->isMaximized();
    CKurvexView* view = MakeView(std::move(doc));
    QMdiSubWindow* window = m_mdiArea->addSubWindow(view);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowIcon(windowIcon());
    connect(window, &QMdiSubWindow::windowStateChanged, this, [this] { UpdateCaption(); });
    connect(window, &QObject::destroyed, this, [this] {
        if (m_destroying)
            return;
        // Activation of the next window (or none) follows by itself; with none left:
        if (m_mdiArea->subWindowList().isEmpty())
            OnSubWindowActivated(nullptr);
    });
    if (maximise)
        window->showMaximized();
    else
        window->show();
    m_mdiArea->setActiveSubWindow(window);
    view->setFocus();
    return view;
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window)
{
    if (window == m_activeWindow && window)
        return;
    m_activeWindow = window;
    FollowActiveViewInDocks();
    UseMenuSet(ViewOf(window) != nullptr);
    RefreshFileViewer();
    if (CKurvexView* view = ViewOf(window)) {
        const CFifo& picked = view->Document().PickedStations();
        ShowPickedStations(picked.Get(0), picked.Get(1));
    } else {
        m_panes[1]->clear();
    }
    UpdateCaption();
    UpdateCommands();
}

void CMainFrame::OnViewPrinting(bool printing)
{
    m_printing = printing;
    if (!printing)
        RefreshFileViewer();
    UpdateCommands();
}

void CMainFrame::CloseActiveDocument()
{
    CKurvexView* active = ActiveView();
    if (!active)
        return;
    const auto doc = active->SharedDocument();
    for (CKurvexView* view : Views()) {
        if (view->SharedDocument() == doc)
            view->parentWidget()->close();
    }
}

void CMainFrame::NewWindowForActiveDocument()
{
    if (CKurvexView* view = ActiveView())
        AddView(view->SharedDocument());
}

void CMainFrame::NewEmptyDocument()
{
    AddView(std::make_shared<CKurvexDoc>());
}

void CMainFrame::AddToRecentFiles(const QString& path)
{
    RecentFileList(m_app.Settings()).Add(path);
    UpdateRecentFileMenu();
}

QStringList CMainFrame::RecentFiles() const { return RecentFileList(m_app.Settings()).Files(); }

void CMainFrame::UpdateRecentFileMenu()
{
    for (QAction* action : m_recentActions)
        action->deleteLater();
    m_recentActions.clear();
    const QStringList files = RecentFiles();
    for (QMenu* menu : {m_fileMenuWithout, m_fileMenuWith}) {
        QAction* marker = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->objectName() == QStringLiteral("recent"))
                marker = action;
        }
        if (files.isEmpty()) {
            auto* placeholder = new QAction(U("Letzte Datei"), menu);
            placeholder->setEnabled(false);
            menu->insertAction(marker, placeholder);
            m_recentActions.push_back(placeholder);
            continue;
        }
        for (int i = 0; i < files.size(); ++i) {
            const QString shown = QDir::toNativeSeparators(files.at(i)).replace(QLatin1Char('&'), QStringLiteral("&&"));
            auto* entry = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), menu);
            entry->setStatusTip(U("Öffnet diese Datei."));
            const QString file = files.at(i);
            connect(entry, &QAction::triggered, this, [this, file] { OpenDocumentFile(file); });
            menu->insertAction(marker, entry);
            m_recentActions.push_back(entry);
        }
    }
}

// ---------------------------------------------------------------- beside the original commands

void CMainFrame::ShowUserMessage(MessageIcon icon, const QString& text)
{
    MakeOpenInteraction()->ShowMessage({icon, ToCp1252(text)});
}

void CMainFrame::AskStationAndGo()
{
    // The station is meant for the window it was asked in, even if another came
    // forward meanwhile (a second start of the program handed over a file).
    const QPointer<CKurvexView> asked = ActiveView();
    if (!asked)
        return;
    QInputDialog dialog(this);
    dialog.setWindowTitle(U("Gehe zu Station"));
    dialog.setLabelText(U("Station in m oder km (z. B. 12700 oder 12,7 km):"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setOkButtonText(U("OK"));
    dialog.setCancelButtonText(U("Abbrechen"));
    // Wide enough for its caption; the input dialog sizes itself to its field.
    if (auto* field = dialog.findChild<QLineEdit*>())
        field->setMinimumWidth(240);
    // A station the run does not have (or no station at all) is told, and the
    // question comes again with the answer kept to mend it.
    do {
        if (dialog.exec() != QDialog::Accepted || !asked)
            return;
        if (asked != ActiveView())
            m_mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(asked->parentWidget()));
    } while (!GoToStationIn(asked, dialog.textValue()) && asked);
}

bool CMainFrame::GoToStation(const QString& metres)
{
    return GoToStationIn(ActiveView(), metres);
}

bool CMainFrame::GoToStationIn(CKurvexView* view, const QString& metres)
{
    if (!view)
        return false;
    const std::optional<int32_t> station = ParseStationText(ToCp1252(metres));
    if (!station) {
        ShowUserMessage(MessageIcon::Exclamation, ToQString(kMsgStationNotInMetres));
        return false;
    }
    if (!view->GoToStation(*station)) {
        ShowUserMessage(MessageIcon::Exclamation,
                        ToQString(StationOutsideRunText(*station, RunExtentOf(view->Document().Run()))));
        return false;
    }
    return true;
}

CKurvexView* CMainFrame::ReloadActiveDocument()
{
    CKurvexView* active = ActiveView();
    if (!active || active->Document().FullPath().empty())
        return nullptr;
    // A file without side file was adjusted by the first-load answers; the
    // side file is never written, so the remembered answers are given again.
    std::shared_ptr<CKurvexDoc> doc = m_documents->Reload(active->Document());
    if (!doc)
        return nullptr;  // the open run stays as it was
    const std::shared_ptr<CKurvexDoc> old = active->SharedDocument();
    CKurvexView* replacement = ReplaceViewsOf(old, doc);
    ShowOpenNotes(DocumentManager::OpenNotes(*doc));
    return replacement;
}

void CMainFrame::AskFirstLoadAdjustmentsAgain()
{
    CKurvexView* active = ActiveView();
    if (!active || !active->Document().FreshState())
        return;
    const std::shared_ptr<CKurvexDoc> old = active->SharedDocument();
    m_documents->ForgetFirstLoadAnswer(*old);
    // New answers may move the stations: the picked ones would mark other places.
    std::shared_ptr<CKurvexDoc> doc = m_documents->Reload(*old, false);
    if (!doc)
        return;
    ReplaceViewsOf(old, doc);
    ShowOpenNotes(DocumentManager::OpenNotes(*doc));
}

// The windows of old show doc instead, each keeping page, zoom, strips and
// grid. Answers the active window's new view.
CKurvexView* CMainFrame::ReplaceViewsOf(const std::shared_ptr<CKurvexDoc>& old, std::shared_ptr<CKurvexDoc> doc)
{
    CKurvexView* active = ActiveView();
    CKurvexView* replacement = nullptr;
    for (CKurvexView* view : Views()) {
        if (view->SharedDocument() != old)
            continue;
        auto* window = qobject_cast<QMdiSubWindow*>(view->parentWidget());
        const CKurvexView::Layout layout = view->CurrentLayout();
        CKurvexView* fresh = MakeView(doc);
        window->setWidget(fresh);
        view->deleteLater();
        fresh->ApplyLayout(layout);
        if (view == active)
            replacement = fresh;
    }
    m_activeWindow = nullptr;
    OnSubWindowActivated(m_mdiArea->activeSubWindow());
    return replacement;
}

void CMainFrame::SavePdf(bool evaluation)
{
    // The run the dialog is for: a second start may activate another window meanwhile.
    const QPointer<CKurvexView> view = ActiveView();
    if (!view)
        return;
    const QFileInfo measurement(FromCorePath(view->Document().FullPath()));
    QFileDialog dialog(this, evaluation ? U("Auswertung als PDF speichern") : U("Diagramm als PDF speichern"),
                       measurement.absolutePath(), U("PDF-Dateien (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(measurement.fileName() + (evaluation ? U("_Auswertung.pdf") : U("_Diagramm.pdf")));
    MakeRoomy(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty() || !view)
        return;
    SavePdfOf(view, evaluation, dialog.selectedFiles().constFirst());
}

bool CMainFrame::SavePdfTo(bool evaluation, const QString& path)
{
    CKurvexView* view = ActiveView();
    return view && SavePdfOf(view, evaluation, path);
}

bool CMainFrame::SavePdfOf(CKurvexView* view, bool evaluation, const QString& path)
{
    QString error;
    const bool written = view->SavePdf(evaluation, path, error);
    if (!written)
        ShowUserMessage(MessageIcon::Exclamation, error);
    return written;
}

// ---------------------------------------------------------------- frame commands

void CMainFrame::ToggleFileViewer()
{
    m_viewerShown = !m_viewerShown;
    m_fileViewer->setVisible(m_viewerShown);
    if (m_viewerShown)
        RefreshFileViewer();
    UpdateCommands();
}

void CMainFrame::RepositionBars()
{
    removeToolBar(m_toolBar);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    m_toolBar->show();
    menuBar()->show();
}

void CMainFrame::PrintSetup()
{
    // The command chooses the printer and its settings, as its prompt says, for
    // the next print of the session. Qt's page setup dialog offers no printer
    // on Linux; its print dialog does, here with "OK" instead of "Drucken": it
    // prints nothing.
    QPrintDialog dialog(&m_app.Printer(), this);
    dialog.setWindowTitle(QStringLiteral("Druckereinrichtung"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    }
    dialog.exec();
}

void CMainFrame::ResetColumnLayout()
{
    m_app.Settings().RemoveSection(kColumnWidthsSection);
}

void CMainFrame::ShowAbout()
{
    CAboutDlg dialog(this);
    dialog.exec();
}

void CMainFrame::TileSideBySide()
{
    TileWindows(Qt::Horizontal);
}

void CMainFrame::TileStacked()
{
    TileWindows(Qt::Vertical);
}

void CMainFrame::TileWindows(Qt::Orientation along)
{
    const auto windows = m_mdiArea->subWindowList();
    if (windows.isEmpty())
        return;
    const QRect area = m_mdiArea->viewport()->rect();
    const int count = static_cast<int>(windows.size());
    const int step = (along == Qt::Horizontal ? area.width() : area.height()) / count;
    int offset = 0;
    for (QMdiSubWindow* window : windows) {
        window->showNormal();
        if (along == Qt::Horizontal)
            window->setGeometry(offset, 0, step, area.height());
        else
            window->setGeometry(0, offset, area.width(), step);
        offset += step;
    }
}

void CMainFrame::ArrangeIcons()
{
    const QRect area = m_mdiArea->viewport()->rect();
    int x = 0;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        window->move(x, area.bottom() - size.height());
        x += size.width();
    }
}

void CMainFrame::BringToFront()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

// ---------------------------------------------------------------- events

void CMainFrame::ShowOpenNotes(const QString& notes)
{
    // Over the whole bar, until the next prompt: what the chart cannot show.
    if (!notes.isEmpty())
        statusBar()->showMessage(notes);
}

void CMainFrame::ShowPrompt(const QString& text)
{
    m_panes[0]->setText(m_panes[0]->fontMetrics().elidedText(text, Qt::ElideRight, m_panes[0]->width() - 4));
    m_panes[0]->setToolTip(text);
}

bool CMainFrame::event(QEvent* event)
{
    // Menu and button prompts go into pane 0 only, not over the whole bar.
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (!tip.isEmpty())
            statusBar()->clearMessage();  // the notes after an open give way to the prompts
        ShowPrompt(tip.isEmpty() ? m_restingPrompt : tip);
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange) {
        if (isMinimized()) {
            m_fileViewer->hide();
            m_minimised = true;
        } else if (m_minimised) {
            if (m_viewerShown)
                m_fileViewer->show();
            m_minimised = false;
        }
    }
    QMainWindow::changeEvent(event);
}

namespace {

// The local files among dropped URLs; anything else is not ours to open.
QStringList DroppedFiles(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    return files;
}

}  // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QStringList files = DroppedFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened after the drop has finished, so message boxes do not run inside the drag.
    QMetaObject::invokeMethod(this, [this, files] { OpenFiles(files); }, Qt::QueuedConnection);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    m_mdiArea->closeAllSubWindows();
    if (!m_mdiArea->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    // The window layout belongs to the framework, beside the recent-file list.
    SettingsStore& settings = m_app.Settings();
    settings.SetBytes(kWorkspaceSection, kWorkspaceGeometryKey, saveGeometry().toStdString());
    settings.SetBytes(kWorkspaceSection, kWorkspaceStateKey, saveState().toStdString());
    event->accept();
}

void CMainFrame::RestoreWorkspace()
{
    const SettingsStore& settings = m_app.Settings();
    // Qt moves a window whose stored place lies on a screen that has gone back
    // onto the screens there are; junk values are ignored.
    restoreGeometry(QByteArray::fromStdString(settings.GetBytes(kWorkspaceSection, kWorkspaceGeometryKey)));
    restoreState(QByteArray::fromStdString(settings.GetBytes(kWorkspaceSection, kWorkspaceStateKey)));
    m_fileViewer->hide();
    SyncNavigationDockActions();
    // The bar's visibility signal only comes once the window is shown.
    Action(Command::ToolBar)->setChecked(!m_toolBar->isHidden());
}

// ---------------------------------------------------------------- overview and exceedance list

void CMainFrame::CreateNavigationDocks()
{
    m_overviewDock = new COverviewDock(this);
    addDockWidget(Qt::BottomDockWidgetArea, m_overviewDock);
    m_exceedanceDock = new CExceedanceDock(this);
    addDockWidget(Qt::BottomDockWidgetArea, m_exceedanceDock);
    splitDockWidget(m_overviewDock, m_exceedanceDock, Qt::Vertical);
    m_exceedanceDock->hide();
    SyncNavigationDockActions();

    // Shown by its command, a dock takes the keyboard (Tab stays inside the
    // chart window, as in any MDI child); Escape hands it back.
    connect(Action(Command::ToggleOverview), &QAction::toggled, this, [this](bool shown) {
        m_overviewDock->setVisible(shown);
        if (shown)
            m_overviewDock->setFocus();
    });
    connect(Action(Command::ToggleExceedanceList), &QAction::toggled, this, [this](bool shown) {
        m_exceedanceDock->setVisible(shown);
        if (shown) {
            m_exceedanceDock->raise();
            m_exceedanceDock->setFocus();
        }
    });
    // Closed with their own buttons, the docks are switched off like with the commands.
    connect(m_overviewDock, &COverviewDock::closedByUser, this,
            [this] { Action(Command::ToggleOverview)->setChecked(false); });
    connect(m_exceedanceDock, &CExceedanceDock::closedByUser, this,
            [this] { Action(Command::ToggleExceedanceList)->setChecked(false); });
    connect(Action(Command::NextExceedance), &QAction::triggered, this, [this] { StepToExceedance(true); });
    connect(Action(Command::PreviousExceedance), &QAction::triggered, this, [this] { StepToExceedance(false); });
    connect(m_exceedanceDock, &CExceedanceDock::exceedanceChosen, this, &CMainFrame::ShowChosenExceedance);
    connect(m_exceedanceDock, &CExceedanceDock::excludedRangeChosen, this, &CMainFrame::ShowChosenExcludedRange);
}

void CMainFrame::SyncNavigationDockActions()
{
    Action(Command::ToggleOverview)->setChecked(!m_overviewDock->isHidden());
    Action(Command::ToggleExceedanceList)->setChecked(!m_exceedanceDock->isHidden());
}

void CMainFrame::FollowActiveViewInDocks()
{
    CKurvexView* view = ViewOf(m_activeWindow);
    m_overviewDock->Strip()->SetView(view);
    m_exceedanceDock->SetView(view);
    if (!m_restingPrompt.isEmpty()) {
        m_restingPrompt.clear();
        m_panes[0]->setFixedWidth(kPaneWidths[0]);
        ShowPrompt({});
    }
}

void CMainFrame::ShowNavigationText(const QString& text)
{
    statusBar()->clearMessage();  // the notes after an open give way
    m_restingPrompt = text;
    // The prompts fit the pane's 300 pixels; an exceedance's text with its
    // remark does not, so the pane widens for it as far as the bar leaves room.
    QLabel* pane = m_panes[0];
    const int others = std::max(m_panes[1]->minimumWidth(), m_panes[1]->sizeHint().width()) + m_panes[2]->width() + 40;
    const int wanted = pane->fontMetrics().horizontalAdvance(text) + 12;
    pane->setFixedWidth(std::max(kPaneWidths[0], std::min(wanted, statusBar()->width() - others)));
    ShowPrompt(text);
}

void CMainFrame::StepToExceedance(bool forward)
{
    CKurvexView* view = ActiveView();
    if (!view || view->Printing())
        return;
    ShowNavigationText(m_navigator.Step(*view, forward));
    m_exceedanceDock->SelectExceedance(m_navigator.LastIndex(view->Document()));
}

void CMainFrame::ShowChosenExceedance(int exceedance)
{
    if (CKurvexView* view = ActiveView(); view && !view->Printing())
        ShowNavigationText(m_navigator.Show(*view, exceedance));
}

void CMainFrame::ShowChosenExcludedRange(int range)
{
    CKurvexView* view = ActiveView();
    if (!view || view->Printing() || range < 0 || range >= static_cast<int>(view->Document().ExcludedRanges().size()))
        return;
    const BEREICH_OHNE_ERKENNUNG_DATEN shown = view->Document().ExcludedRanges()[static_cast<size_t>(range)];
    if (!view->GoToStation(shown.von))
        view->ShowPageOfStation(shown.von);
    ShowNavigationText(ToQString(ExcludedRangeStatusText(shown)));
}

}  // namespace kurvex
