#pragma once
// The main window: the chart windows of the open runs in an MDI area, the
// menus (one set without and one with an active run), the toolbar, the status
// bar with its three panes and the file viewer beside the charts. Every command
// is one QAction whose enabled and checked state is computed in one place from
// the active chart window.

#include "document/OpenInteraction.h"
#include "shell/Commands.h"
#include "shell/ExceedanceNavigator.h"
#include "common/Message.h"

#include <QMainWindow>

#include <functional>
#include <QPointer>

#include <map>
#include <optional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace kurvex {

class CKurvexApp;
class CKurvexDoc;
class CKurvexView;
class DocumentManager;
class CNMDateiDlg;
class COverviewDock;
class CExceedanceDock;
class CFileViewerLink;


class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(CKurvexApp& app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    QAction* Action(Command command) const;
    CKurvexView* ActiveView() const;
    std::vector<CKurvexView*> Views() const;
    QMdiArea* MdiArea() const { return m_mdiArea; }
    CNMDateiDlg* FileViewer() const { return m_fileViewer; }
    bool FileViewerShown() const { return m_viewerShown; }
    // The three panes of the status bar.
    QLabel* StatusPane(int pane) const;

    // Opens a measurement file as a document in a new chart window; a file
    // already open is only activated. Answers the view that shows it, or null
    // when the open failed (the user has been told why).
    CKurvexView* OpenDocumentFile(const QString& path);
    // What File > Open does with the chosen file: open it, remember it as "LastFileOpen".
    void OpenChosenFile(const QString& path);
    // "[ %.1lf ] [ %.1lf ]  Distanz %.1lfm" from two station texts in dm.
    void ShowPickedStations(const std::string& newest, const std::string& previous);
    // Caption and text of the file viewer from the active view.
    void RefreshFileViewer();
    // Enabled and checked state of every command from the active view.
    void UpdateCommands();
    // The framework's recent-file list, newest first.
    QStringList RecentFiles() const;
    // "Gehe zu Station": metres as typed; false (and a message) when it is no
    // station of the active run.
    bool GoToStation(const QString& metres);
    // "Neu laden": the active run opened again from disk in its windows, which
    // keep page, zoom, strips and grid. Answers the active window's new view,
    // or null when the file could not be opened again (the run stays as it was).
    CKurvexView* ReloadActiveDocument();
    // "Diagramm/Auswertung als PDF speichern" into a chosen file.
    bool SavePdfTo(bool evaluation, const QString& path);
    // Brings the window forward (a second start of the program asked for it).
    void BringToFront();
    // Size, place and toolbar position as the last session left them (before the
    // first show); the file viewer starts hidden all the same.
    void RestoreWorkspace();
    // The overview below the charts and the exceedance list beside it.
    COverviewDock* OverviewDock() const { return m_overviewDock; }
    CExceedanceDock* ExceedanceDock() const { return m_exceedanceDock; }
    // Who answers the open's messages and questions; tests put a recorder here.
    using InteractionFactory = std::function<std::unique_ptr<OpenInteraction>(QWidget* parent)>;
    void SetInteractionFactory(InteractionFactory factory) { m_interactionFactory = std::move(factory); }

public Q_SLOTS:
    void OnFileOpen();
    void OpenFiles(const QStringList& files);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    // Pane 0 of the status bar: menu and button prompts.
    void ShowPrompt(const QString& text);
    void ShowOpenNotes(const QString& notes);
    void CreateFileViewer();
    // Home and End show the first and last page while the chart has the focus;
    // elsewhere (the file viewer, a text field) they stay the control's own.
    void BindChartKeys();
    void ConnectCommands();
    void UseMenuSet(bool withDocument);
    void UpdateCaption();
    void UpdateRecentFileMenu();
    void AddToRecentFiles(const QString& path);

    std::unique_ptr<OpenInteraction> MakeOpenInteraction(const QString& fileName = QString());
    CKurvexView* MakeView(std::shared_ptr<CKurvexDoc> doc);
    CKurvexView* AddView(std::shared_ptr<CKurvexDoc> doc);
    void ShowUserMessage(MessageIcon icon, const QString& text);
    void AskStationAndGo();
    bool GoToStationIn(CKurvexView* view, const QString& metres);
    void SavePdf(bool evaluation);
    bool SavePdfOf(CKurvexView* view, bool evaluation, const QString& path);
    CKurvexView* FirstViewOf(const std::shared_ptr<CKurvexDoc>& doc) const;
    CKurvexView* ReplaceViewsOf(const std::shared_ptr<CKurvexDoc>& old, std::shared_ptr<CKurvexDoc> doc);
    void AskFirstLoadAdjustmentsAgain();
    void OnSubWindowActivated(QMdiSubWindow* window);
    void OnViewPrinting(bool printing);
    void CloseActiveDocument();
    void NewWindowForActiveDocument();
    void NewEmptyDocument();
    void TileSideBySide();
    void TileStacked();
    void TileWindows(Qt::Orientation along);
    void ArrangeIcons();
    void ToggleFileViewer();
    void RepositionBars();
    void PrintSetup();
    void ResetColumnLayout();
    void ShowAbout();
    template <typename Slot>
    void OnView(Command command, Slot slot);
    // The overview and exceedance docks with their commands; they follow the active view.
    void CreateNavigationDocks();
    void FollowActiveViewInDocks();
    void SyncNavigationDockActions();
    void StepToExceedance(bool forward);
    void ShowChosenExceedance(int exceedance);
    void ShowChosenExcludedRange(int range);
    // Pane 0 keeps the text of the exceedance reached between the prompts.
    void ShowNavigationText(const QString& text);

    CKurvexApp& m_app;
    QMdiArea* m_mdiArea = nullptr;
    QToolBar* m_toolBar = nullptr;
    CNMDateiDlg* m_fileViewer = nullptr;
    CFileViewerLink* m_fileViewerLink = nullptr;
    std::map<Command, QAction*> m_actions;
    std::vector<QMenu*> m_menusWithoutDocument;
    std::vector<QMenu*> m_menusWithDocument;
    QMenu* m_fileMenuWithout = nullptr;
    QMenu* m_fileMenuWith = nullptr;
    std::vector<QAction*> m_recentActions;
    QLabel* m_panes[3] = {nullptr, nullptr, nullptr};
    QPointer<QMdiSubWindow> m_activeWindow;
    bool m_viewerShown = false;
    bool m_minimised = false;
    bool m_printing = false;
    bool m_destroying = false;
    bool m_withDocumentMenus = false;
    InteractionFactory m_interactionFactory;
    std::unique_ptr<DocumentManager> m_documents;
    COverviewDock* m_overviewDock = nullptr;
    CExceedanceDock* m_exceedanceDock = nullptr;
    ExceedanceNavigator m_navigator;
    QString m_restingPrompt;  // shown in pane 0 when no prompt is
};

}  // namespace kurvex
