#include "chart/ui/KurvexView.h"

#include "chart/StationSearch.h"

#include "chart/ChartDescription.h"
#include "chart/PageFrame.h"
#include "chart/RunOverview.h"
#include "chart/ViewCommands.h"
#include "chart/ui/ChartPrinting.h"
#include "common/SettingsCatalogue.h"
#include "common/ui/QtPath.h"
#include "common/ui/QtText.h"
#include "common/ui/WaitCursor.h"
#include "document/KurvexDoc.h"
#include "document/SettingsStore.h"
#include "evaluation/BereichOhneErkennung.h"
#include "measurement/FormatCode.h"
#include "render/ChartRendering.h"
#include "render/ReportRendering.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>
#include <limits>

namespace kurvex {

namespace {

// One notch of a mouse wheel.
constexpr int kWheelNotch = 120;

const CLabelTable& LabelsOf(const ViewContext& context)
{
    static const CLabelTable builtIn;
    return context.labels ? *context.labels : builtIn;
}

ExceedancePageFlag& PageFlagOf(const ViewContext& context)
{
    // The flag is one per application; a context without one shares this.
    static ExceedancePageFlag shared;
    return context.pageFlag ? *context.pageFlag : shared;
}

}  // namespace

CKurvexView::CKurvexView(std::shared_ptr<CKurvexDoc> doc, ViewContext context, QWidget* parent)
    : QAbstractScrollArea(parent),
      m_doc(std::move(doc)),
      m_context(std::move(context)),
      m_painter(*m_doc, LabelsOf(m_context), PageFlagOf(m_context))
{
    m_doc->AddObserver(this);
    m_painter.SetVersionText(m_context.versionText);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setAccessibleName(QStringLiteral("Diagramm waagerecht verschieben"));
    verticalScrollBar()->setAccessibleName(QStringLiteral("Diagramm senkrecht verschieben"));
    setAccessibleName(QStringLiteral("Diagramm"));
    CreateContextMenu();
    // The title is known before the first paint, so the child window never shows an empty caption.
    m_painter.PreparePaint();
    UpdateTitle();
    UpdateScrollExtent();
}

CKurvexView::~CKurvexView() { m_doc->RemoveObserver(this); }

void CKurvexView::closeEvent(QCloseEvent* event)
{
    // A view that never showed a page has not read the setting: leave it alone.
    if (m_firstShown && m_context.settings)
        m_context.settings->SetInt(kStripsPerPageSetting.section, kStripsPerPageSetting.key, StripsPerPage());
    QAbstractScrollArea::closeEvent(event);
}

bool CKurvexView::CanExport() const
{
    return m_doc->Run().FormatCode() == kFormatPm01bs02;
}

QString CKurvexView::PlainTitle() const
{
    return FromCorePath(m_doc->FileName());
}

// The file name is a path's text (UTF-8); the rest of the title is ASCII.
QString CKurvexView::PageTitle() const
{
    return QString::fromStdString(ChartWindowTitle(m_doc->FileName(), CurrentPage(), PageCount()));
}

void CKurvexView::UpdateTitle()
{
    const QString title = Printing() ? PlainTitle() : PageTitle();
    if (windowTitle() != title)
        setWindowTitle(title);
    UpdateAccessibleDescription();
}

void CKurvexView::UpdateAccessibleDescription()
{
    const QString description =
        QString::fromStdString(ChartPageDescription(m_doc->FileName(), m_painter.View(), RunExtentOf(m_doc->Run())));
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
}

QPoint CKurvexView::ScrollPosition() const
{
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

Point CKurvexView::LogicalPointAt(QPointF viewportPosition) const
{
    return ScreenPixelToLogical(viewportPosition, viewport()->logicalDpiX(), viewport()->logicalDpiY(),
                                ScrollPosition());
}

QPointF CKurvexView::ViewportPositionOf(Point logical) const
{
    return ScreenLogicalToPixel(logical, viewport()->logicalDpiX(), viewport()->logicalDpiY(), ScrollPosition());
}

QSize CKurvexView::ScrollExtentPixels() const
{
    const ScrollGeometry geometry = ScrollExtent(ZoomFactor(m_scrollZoomLevel));
    return QSize(UnitsToPixels(geometry.total.cx, viewport()->logicalDpiX()),
                 UnitsToPixels(geometry.total.cy, viewport()->logicalDpiY()));
}

void CKurvexView::UpdateScrollExtent()
{
    m_scrollZoomLevel = ZoomLevel();
    const double dpiX = viewport()->logicalDpiX();
    const double dpiY = viewport()->logicalDpiY();
    const ScrollGeometry geometry = ScrollExtent(ZoomFactor(m_scrollZoomLevel));
    UpdateScrollRanges();
    horizontalScrollBar()->setPageStep(std::max(1, UnitsToPixels(geometry.page.cx, dpiX)));
    horizontalScrollBar()->setSingleStep(std::max(1, UnitsToPixels(geometry.line.cx, dpiX)));
    verticalScrollBar()->setPageStep(std::max(1, UnitsToPixels(geometry.page.cy, dpiY)));
    verticalScrollBar()->setSingleStep(std::max(1, UnitsToPixels(geometry.line.cy, dpiY)));
}

void CKurvexView::UpdateScrollRanges()
{
    const QSize total = ScrollExtentPixels();
    const QSize visible = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, total.width() - visible.width()));
    verticalScrollBar()->setRange(0, std::max(0, total.height() - visible.height()));
}

void CKurvexView::Repaint()
{
    viewport()->update();
}

void CKurvexView::DocumentChanged(DocumentChange)
{
    // Every change shows on the page: the yellow band of the picks, what
    // counts, the exceedances' page numbers. The page on screen numbers them
    // again, as it did when it was shown.
    if (PrepareScreenPage()) {
        UpdateTitle();
        Q_EMIT viewStateChanged();
    }
    Repaint();
    UpdateContextActions();
}

bool CKurvexView::PrepareScreenPage()
{
    const int pageCount = PageCount();
    m_painter.PrepareForPages(CurrentPage(), CurrentPage());
    return PageCount() != pageCount;
}

void CKurvexView::AnnouncePickedStations()
{
    const CFifo& picked = m_doc->PickedStations();
    Q_EMIT pickedStationsChanged(ToQString(picked.Get(0)), ToQString(picked.Get(1)));
}

// --- Painting and events -----------------------------------------------------

void CKurvexView::showEvent(QShowEvent* event)
{
    if (!m_firstShown) {
        m_firstShown = true;
        if (m_context.settings) {
            const int stored =
                m_context.settings->GetInt(kStripsPerPageSetting.section, kStripsPerPageSetting.key, StripsPerPage());
            m_painter.View().stripsPerPage = SanitizeStripsPerPage(stored);
        }
        PrepareScreenPage();
        UpdateTitle();
        UpdateScrollExtent();
        Q_EMIT viewStateChanged();
    }
    QAbstractScrollArea::showEvent(event);
}

void CKurvexView::paintEvent(QPaintEvent* event)
{
    // The page was prepared when it, the layout or the document last changed.
    UpdateTitle();

    QPainter painter(viewport());
    painter.fillRect(event->rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    DrawScreenChartPage(painter, m_painter, CurrentPage(), viewport()->logicalDpiX(), viewport()->logicalDpiY(),
                        ScrollPosition());
    PaintLegend(painter);
    painter.end();
    // The strips under a resting mouse may have changed with the page.
    RefreshReadout();
}

void CKurvexView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRanges();
}

void CKurvexView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Plus:  // main keyboard and keypad alike
        ZoomIn();
        break;
    case Qt::Key_Minus:
        ZoomOut();
        break;
    case Qt::Key_ScrollLock:
        OpenSideFileInEditor();
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        // Page back and forward are the main window's; the scroll area must
        // not scroll by a page when they are disabled.
        event->ignore();
        return;
    default:
        break;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void CKurvexView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        ClickAt(event->position().toPoint(), event->modifiers());
    QAbstractScrollArea::mousePressEvent(event);
}

void CKurvexView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        m_wheelZoom = 0;
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // Touchpads send small steps: a zoom level per whole notch.
    m_wheelZoom += event->angleDelta().y();
    while (m_wheelZoom >= kWheelNotch) {
        m_wheelZoom -= kWheelNotch;
        ZoomAround(ZoomInLevel(ZoomLevel()), event->position());
    }
    while (m_wheelZoom <= -kWheelNotch) {
        m_wheelZoom += kWheelNotch;
        ZoomAround(ZoomOutLevel(ZoomLevel()), event->position());
    }
    event->accept();
}

void CKurvexView::ClickAt(QPoint viewportPosition, Qt::KeyboardModifiers modifiers)
{
    const Point logical = LogicalPointAt(QPointF(viewportPosition));
    const std::optional<int> station = m_painter.Mouse().HitTest(logical.x, logical.y);
    if (!station)
        return;
    switch (ClickKindFor((modifiers & Qt::ControlModifier) != 0, (modifiers & Qt::AltModifier) != 0)) {
    case ClickKind::Ignore: return;
    case ClickKind::ExcludedRange:
        if (const auto index = ExcludedRangeAt(m_doc->ExcludedRanges(), *station))
            Q_EMIT excludedRangeClicked(static_cast<int>(*index));
        return;
    case ClickKind::Pick:
        if (PickStation(m_doc->PickedStations(), *station)) {
            AnnouncePickedStations();
            m_doc->NotifyChanged(DocumentChange::PickedStations);
        }
        return;
    }
}

// --- Commands ----------------------------------------------------------------

bool CKurvexView::GoToStation(int32_t station)
{
    m_painter.PreparePaint();
    const RunExtent run = RunExtentOf(m_doc->Run());
    if (!StationInRun(run, station))
        return false;
    const ChartView& view = m_painter.View();
    const int page = PageOfStation(view.paging, view.stripLength, view.stripsPerPage, run.ascending, station);
    if (page < 1)
        return false;
    SetCurrentPage(page);
    if (PickStation(m_doc->PickedStations(), station)) {
        AnnouncePickedStations();
        m_doc->NotifyChanged(DocumentChange::PickedStations);
    }
    Repaint();
    return true;
}

CKurvexView::Layout CKurvexView::CurrentLayout() const
{
    return m_painter.View();
}

void CKurvexView::ApplyLayout(const Layout& layout)
{
    m_firstShown = true;
    ChartLayout& view = m_painter.View();
    view = layout;
    view.currentPage = std::max(layout.currentPage, 1);
    view.stripsPerPage = SanitizeStripsPerPage(layout.stripsPerPage);
    PrepareScreenPage();
    UpdateTitle();
    UpdateScrollExtent();
    Repaint();
    Q_EMIT viewStateChanged();
}

void CKurvexView::ShowPageOfStation(int32_t station)
{
    m_painter.PreparePaint();
    const int page = PageShowingStation(m_painter.View(), m_doc->Run().IsAscending(), station);
    if (page >= 1)
        SetCurrentPage(page);
}

void CKurvexView::SetCurrentPage(int page)
{
    if (page == CurrentPage())
        return;
    m_painter.View().currentPage = page;
    PrepareScreenPage();
    UpdateTitle();
    Repaint();
    Q_EMIT viewStateChanged();
}

void CKurvexView::PageBack()
{
    SetCurrentPage(PageBackTarget(CurrentPage()));
}

void CKurvexView::PageForward()
{
    SetCurrentPage(PageForwardTarget(CurrentPage(), PageCount()));
}

void CKurvexView::FirstPage()
{
    if (PageCount() >= 1)
        SetCurrentPage(1);
}

void CKurvexView::LastPage()
{
    if (PageCount() >= 1)
        SetCurrentPage(PageCount());
}

void CKurvexView::SetZoomLevel(int level)
{
    const bool changed = level != ZoomLevel();
    m_painter.View().zoomLevel = level;
    UpdateScrollExtent();
    Repaint();
    if (changed)
        Q_EMIT viewStateChanged();
}

void CKurvexView::ZoomStep()
{
    SetZoomLevel(NextZoomLevel(ZoomLevel()));
}

void CKurvexView::ZoomIn()
{
    ZoomAround(ZoomInLevel(ZoomLevel()), QRectF(viewport()->rect()).center());
}

void CKurvexView::ZoomOut()
{
    ZoomAround(ZoomOutLevel(ZoomLevel()), QRectF(viewport()->rect()).center());
}

void CKurvexView::ToggleStrips()
{
    m_painter.View().stripsPerPage = ToggledStripsPerPage(StripsPerPage());
    // Only the page count follows; the current page may now lie beyond it.
    PrepareScreenPage();
    UpdateTitle();
    Repaint();
    Q_EMIT viewStateChanged();
}

void CKurvexView::ToggleTwoMetreGrid()
{
    m_painter.View().twoMetreGrid = !TwoMetreGrid();
    Repaint();
    Q_EMIT viewStateChanged();
}

void CKurvexView::OpenSideFileInEditor()
{
    // A new empty document has no file, hence no side file: the editor would be
    // handed a bare ".zi4".
    if (m_doc->FullPath().empty())
        return;
    const QString path = FromCorePath(SideFilePath(m_doc->FullPath()));
    if (m_context.openInEditor) {
        m_context.openInEditor(path);
        return;
    }
    // Whatever program the desktop opens the file with; a failure is ignored.
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

// --- Printing ----------------------------------------------------------------

QPrinter& CKurvexView::PrinterSettings()
{
    if (m_context.printer)
        return *m_context.printer;
    if (!m_ownPrinter) {
        m_ownPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        InitPrinterSettings(*m_ownPrinter);
    }
    return *m_ownPrinter;
}

void CKurvexView::PrintChart()
{
    SetEvaluationPrint(false);
    RunPrint(false);
}

void CKurvexView::PreviewChart()
{
    SetEvaluationPrint(false);
    RunPrint(true);
}

void CKurvexView::PrintEvaluation()
{
    SetEvaluationPrint(true);
    RunPrint(false);
}

void CKurvexView::PreviewEvaluation()
{
    SetEvaluationPrint(true);
    RunPrint(true);
}

void CKurvexView::SetEvaluationPrint(bool evaluation)
{
    if (evaluation == m_evaluationPrint)
        return;
    m_evaluationPrint = evaluation;
    Q_EMIT viewStateChanged();  // the print command's prompt names what it prints
}

void CKurvexView::Print()
{
    RunPrint(false);
}

void CKurvexView::Preview()
{
    RunPrint(true);
}

bool CKurvexView::SavePdf(bool evaluation, const QString& path, QString& error)
{
    const WaitCursor busy;
    if (evaluation)
        return WriteReportPdf(*m_doc, path, m_context.versionText, error);
    const ChartRenderSettings settings = PrintedChartSettingsFor(CurrentLayout(), m_context.versionText);
    return WriteChartPdf(*m_doc, LabelsOf(m_context), PageFlagOf(m_context), path, 1, std::numeric_limits<int>::max(),
                         settings, error);
}

void CKurvexView::ShowFailure(const QString& message)
{
    if (m_context.printDialogs.failure)
        m_context.printDialogs.failure(message, this);
    else
        ShowPrintFailure(message, this);
}

int CKurvexView::PreparePrint(QPrinter& printer)
{
    // What the window's first paint does, should a print come before it.
    SettleLengthScale(m_doc->State());
    if (m_evaluationPrint) {
        // The report is a portrait form whichever orientation the last print used.
        printer.setPageOrientation(QPageLayout::Portrait);
        return PrepareReport(*m_doc);
    }
    printer.setPageOrientation(QPageLayout::Landscape);
    const int zoomLevel = ZoomLevel();
    PrepareChartPrint(m_painter);
    if (ZoomLevel() != zoomLevel)
        Q_EMIT viewStateChanged();
    return PageCount();
}

void CKurvexView::BeginPrint()
{
    m_painter.View().printing = true;
    UpdateTitle();
    Q_EMIT printingChanged(true);
}

void CKurvexView::EndPrint(const ScreenPlace& place)
{
    m_painter.View().printing = false;
    RestoreScreenPlace(place);
    UpdateTitle();
    // The printed pages numbered the exceedances; every window of the run shows them.
    m_doc->NotifyChanged(DocumentChange::ExceedancePages);
    Q_EMIT printingChanged(false);
}

CKurvexView::ScreenPlace CKurvexView::CurrentScreenPlace() const
{
    return ScreenPlace{ZoomLevel(), ScrollPosition()};
}

void CKurvexView::RestoreScreenPlace(const ScreenPlace& place)
{
    // Preparing a chart print sets the print zoom; the window comes back as the user left it.
    const bool zoomChanged = ZoomLevel() != place.zoomLevel;
    m_painter.View().zoomLevel = place.zoomLevel;
    m_painter.PreparePaint();
    UpdateScrollExtent();
    horizontalScrollBar()->setValue(place.scroll.x());
    verticalScrollBar()->setValue(place.scroll.y());
    Repaint();
    if (zoomChanged)
        Q_EMIT viewStateChanged();
}

SheetJob CKurvexView::PrintJob(int lastPage)
{
    if (m_evaluationPrint)
        return ReportPrintJob(*m_doc, m_context.versionText);
    return ChartPrintJob(m_painter, lastPage, TodayEditingDate());
}

void CKurvexView::RunPrint(bool preview)
{
    if (Printing())
        return;  // a print or preview of this window is still open
    const ScreenPlace place = CurrentScreenPlace();
    QPrinter& printer = PrinterSettings();
    const int maxPage = PreparePrint(printer);
    if (maxPage < 1) {
        RestoreScreenPlace(place);
        ShowFailure(QString::fromUtf8(m_evaluationPrint ? kNoReportPagesMessage : kNoChartPagesMessage));
        return;
    }
    printer.setDocName(PlainTitle());
    printer.setCreator(QStringLiteral("Kurvex"));
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);

    if (preview) {
        // The preview draws every page.
        PreparePrintedPages(1, maxPage);
        ForgetOutputFile(printer);
        BeginPrint();
        {
            QPrintPreviewDialog dialog(&printer, this);
            if (QWidget* top = window(); top && top != this)
                dialog.resize(top->size());
            SetUpPreview(dialog, PrintJob(maxPage), PrintedPageOnScreen(maxPage), PreviewDialogTitle(m_evaluationPrint));
            if (m_context.printDialogs.preview)
                m_context.printDialogs.preview(dialog);
            else
                ExecPreviewDialog(dialog);
        }
        EndPrint(place);
        return;
    }

    const PageSpan pages =
        AskPrintDialog(printer, maxPage) ? ChosenPages(printer, maxPage, PrintedPageOnScreen(maxPage)) : PageSpan{1, 0};
    if (pages.Empty()) {
        RestoreScreenPlace(place);
        return;
    }
    PreparePrintedPages(pages.first, pages.last);
    BeginPrint();
    const bool printed = PrintJobPages(printer, PrintJob(pages.last), pages.first, pages.last);
    EndPrint(place);
    if (!printed)
        ShowFailure(QString::fromUtf8(kPrintFailedMessage));
}

void CKurvexView::PreparePrintedPages(int first, int last)
{
    if (!m_evaluationPrint)
        m_painter.PrepareForPages(first, last);
}

int CKurvexView::PrintedPageOnScreen(int maxPage) const
{
    // The report has no page on screen: its first page stands for it.
    return m_evaluationPrint ? 1 : std::min(CurrentPage(), maxPage);
}

bool CKurvexView::AskPrintDialog(QPrinter& printer, int maxPage)
{
    const PrintRequest request{PrintDialogTitle(m_evaluationPrint), 1, maxPage, !m_evaluationPrint};
    // A print to a file is proposed beside this run, never where another run was printed last.
    ProposeOutputFile(printer, ProposedPrintFile(QString::fromStdString(m_doc->FullPath()), m_evaluationPrint));
    for (;;) {
        const bool confirmed = m_context.printDialogs.print ? m_context.printDialogs.print(printer, request, this)
                                                            : ExecPrintDialog(printer, request, this);
        if (!confirmed)
            return false;
        DropOutputFileUnlessPrintingToFile(printer);
        const QString file = PrintOutputFile(printer);
        if (file.isEmpty() || !QFileInfo::exists(file))
            return true;
        // The real dialog may have asked already; asked twice, a user wonders what the second means.
        if (!m_context.printDialogs.print && kPrintDialogAsksBeforeReplacing)
            return true;
        const bool replace = m_context.printDialogs.confirmReplace
                                 ? m_context.printDialogs.confirmReplace(file, request.title, this)
                                 : ConfirmReplaceFile(file, request.title, this);
        if (replace)
            return true;
        // Back to the dialog, as a save dialog returns to its file list.
    }
}

}  // namespace kurvex
