// The chart window on the offscreen platform: title and paging, zoom and
// scroll extent, strips per page and its setting, mouse measuring with the
// yellow band, keys and wheel, the side file in the editor.

#include "chart/ui/KurvexView.h"

#include "chart/GetMouseDm.h"
#include "chart/LabelTable.h"
#include "common/Numbers.h"
#include "document/MemorySettingsStore.h"
#include "render/A4Sheets.h"
#include "render/ChartRendering.h"
#include "support/DocumentHelpers.h"
#include "ui/support/ChartPositions.h"
#include "ui/support/GuiTestSupport.h"

#include <QAction>
#include <QDesktopServices>
#include <QUrl>
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMainWindow>
#include <QPrinter>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// Key events as the window system delivers them, shortcuts first (what
// QTest's key simulation calls; exported by Qt Gui).
Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* w, QEvent::Type t, int k, Qt::KeyboardModifiers mods,
                                    const QString& text = QString(), bool autorep = false, ushort count = 1);

namespace kurvex {
namespace {

constexpr const char* kSample = "pm01bs02_sample.pbs";

class KurvexViewTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(test::OpenSample(*doc, kSample), OpenResult::Opened); }

    ViewContext Context()
    {
        ViewContext context = test::MakeViewContext(settings, labels, pageFlag, printer);
        context.openInEditor = [this](const QString& path) { editorCalls.push_back(path); };
        return context;
    }

    std::unique_ptr<CKurvexView> ShownView()
    {
        auto view = std::make_unique<CKurvexView>(doc, Context());
        Watch(*view);
        view->resize(1300, 900);
        view->show();
        QApplication::processEvents();
        Paint(*view);
        stateChanges = 0;  // the first display announced the layout read from the settings
        return view;
    }

    void Watch(CKurvexView& view)
    {
        QObject::connect(&view, &CKurvexView::pickedStationsChanged, [this](const QString& n, const QString& p) {
            picks.emplace_back(n, p);
        });
        QObject::connect(&view, &CKurvexView::viewStateChanged, [this] { ++stateChanges; });
        QObject::connect(&view, &CKurvexView::excludedRangeClicked, [this](int index) { rangeClicks.push_back(index); });
    }

    // Paints the page as the screen does and answers the pixels.
    static QImage Paint(CKurvexView& view) { return view.viewport()->grab().toImage(); }

    // A viewport position inside strip slot whose click gives the station, found
    // the way a user finds it: by trying pixels along the strip.
    static QPoint PositionOfStation(CKurvexView& view, int slot, int station)
    {
        return test::PositionOfStation(view, slot, station);
    }

    static QString ExpectedTitle(int page, int count)
    {
        return QStringLiteral("pm01bs02_sample.pbs   Seite %1 von %2").arg(page).arg(count);
    }

    std::shared_ptr<CKurvexDoc> doc = std::make_shared<CKurvexDoc>();
    MemorySettingsStore settings;
    CLabelTable labels;
    ExceedancePageFlag pageFlag;
    QPrinter printer{QPrinter::HighResolution};
    std::vector<QString> editorCalls;
    std::vector<std::pair<QString, QString>> picks;
    std::vector<int> rangeClicks;
    int stateChanges = 0;
};

bool IsMarkYellow(QRgb pixel)
{
    return qRed(pixel) > 235 && qGreen(pixel) > 235 && qBlue(pixel) > 100 && qBlue(pixel) < 160;
}

// Yellow pixels in a column of the image between two rows.
int YellowInColumn(const QImage& image, int x, int y0, int y1)
{
    int count = 0;
    for (int y = std::max(0, y0); y < std::min(image.height(), y1); ++y)
        count += IsMarkYellow(image.pixel(x, y)) ? 1 : 0;
    return count;
}

TEST_F(KurvexViewTest, TitleAndPagingWithinTheChart)
{
    const auto view = ShownView();
    const int count = ChartPageCount(*doc, 3);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(view->PageCount(), count);
    EXPECT_EQ(view->windowTitle(), ExpectedTitle(1, 2));

    view->PageBack();  // page 1: nothing
    EXPECT_EQ(view->CurrentPage(), 1);
    EXPECT_EQ(stateChanges, 0);
    view->PageForward();
    EXPECT_EQ(view->CurrentPage(), 2);
    EXPECT_EQ(view->windowTitle(), ExpectedTitle(2, 2));
    EXPECT_EQ(stateChanges, 1);
    view->PageForward();  // last page: nothing
    EXPECT_EQ(view->CurrentPage(), 2);
    EXPECT_EQ(stateChanges, 1);
    view->PageBack();
    EXPECT_EQ(view->CurrentPage(), 1);
    Paint(*view);
    EXPECT_EQ(view->windowTitle(), ExpectedTitle(1, 2));
}

TEST_F(KurvexViewTest, ZoomLevelsAndTheScrollExtentFollowingThem)
{
    const auto view = ShownView();
    EXPECT_EQ(view->ZoomLevel(), 4);
    const double dpiX = view->viewport()->logicalDpiX();
    const double dpiY = view->viewport()->logicalDpiY();
    const auto expectExtent = [&](int level) {
        const ScrollGeometry geometry = ScrollExtent(ZoomFactor(level));
        QScrollBar* h = view->horizontalScrollBar();
        QScrollBar* v = view->verticalScrollBar();
        EXPECT_EQ(h->maximum(),
                  std::max(0, UnitsToPixels(geometry.total.cx, dpiX) - view->viewport()->width())) << level;
        EXPECT_EQ(v->maximum(),
                  std::max(0, UnitsToPixels(geometry.total.cy, dpiY) - view->viewport()->height())) << level;
        EXPECT_EQ(h->pageStep(), UnitsToPixels(geometry.page.cx, dpiX)) << level;
        EXPECT_EQ(h->singleStep(), UnitsToPixels(geometry.line.cx, dpiX)) << level;
        EXPECT_EQ(v->pageStep(), UnitsToPixels(geometry.page.cy, dpiY)) << level;
        EXPECT_EQ(v->singleStep(), UnitsToPixels(geometry.line.cy, dpiY)) << level;
    };
    expectExtent(4);

    // The zoom command: one level closer each time, from -2 back to 5.
    const int steps[] = {3, 2, 1, 0, -1, -2, 5, 4};
    for (int expected : steps) {
        view->ZoomStep();
        EXPECT_EQ(view->ZoomLevel(), expected);
        expectExtent(expected);
    }
    EXPECT_EQ(stateChanges, 8);

    // The keys stop at the ends of the table.
    for (int i = 0; i < 8; ++i)
        view->ZoomIn();
    EXPECT_EQ(view->ZoomLevel(), -2);
    expectExtent(-2);
    for (int i = 0; i < 9; ++i)
        view->ZoomOut();
    EXPECT_EQ(view->ZoomLevel(), 5);
    expectExtent(5);
}

TEST_F(KurvexViewTest, PlusAndMinusKeysOfBothKeyboardsZoom)
{
    const auto view = ShownView();
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        int level;
    } table[] = {
        {Qt::Key_Plus, Qt::NoModifier, 3},
        {Qt::Key_Plus, Qt::KeypadModifier, 2},
        {Qt::Key_Minus, Qt::KeypadModifier, 3},
        {Qt::Key_Minus, Qt::NoModifier, 4},
        {Qt::Key_A, Qt::NoModifier, 4},
    };
    for (const auto& row : table) {
        QKeyEvent press(QEvent::KeyPress, row.key, row.modifiers);
        QApplication::sendEvent(view.get(), &press);
        EXPECT_EQ(view->ZoomLevel(), row.level) << row.key;
    }
}

TEST_F(KurvexViewTest, CtrlWheelZoomsAndThePlainWheelScrolls)
{
    const auto view = ShownView();
    view->resize(500, 300);  // small enough to scroll at every level
    QApplication::processEvents();
    const auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
        const QPointF at(100, 100);
        QWheelEvent event(at, view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &event);
    };
    wheel(120, Qt::ControlModifier);
    EXPECT_EQ(view->ZoomLevel(), 3);
    wheel(-240, Qt::ControlModifier);
    EXPECT_EQ(view->ZoomLevel(), 5);
    wheel(60, Qt::ControlModifier);  // half a notch: not yet
    EXPECT_EQ(view->ZoomLevel(), 5);
    wheel(60, Qt::ControlModifier);
    EXPECT_EQ(view->ZoomLevel(), 4);

    // Zooming kept the point under the mouse in place, which scrolled the page;
    // the plain wheel starts from the top.
    view->verticalScrollBar()->setValue(0);
    EXPECT_EQ(view->verticalScrollBar()->value(), 0);
    wheel(-120, Qt::NoModifier);
    EXPECT_GT(view->verticalScrollBar()->value(), 0);
    EXPECT_EQ(view->ZoomLevel(), 4);
}

TEST_F(KurvexViewTest, PageKeysReachTheMainWindowsActionsWhileTheViewHasFocus)
{
    QMainWindow window;
    auto* view = new CKurvexView(doc, Context());
    window.setCentralWidget(view);
    auto* back = new QAction(QStringLiteral("Seite zurück"), &window);
    auto* forward = new QAction(QStringLiteral("Seite weiter"), &window);
    back->setShortcut(QKeySequence(Qt::Key_PageUp));
    forward->setShortcut(QKeySequence(Qt::Key_PageDown));
    window.addAction(back);
    window.addAction(forward);
    QObject::connect(back, &QAction::triggered, view, &CKurvexView::PageBack);
    QObject::connect(forward, &QAction::triggered, view, &CKurvexView::PageForward);
    window.resize(1200, 800);
    window.show();
    window.activateWindow();
    view->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(view->hasFocus());
    ASSERT_NE(window.windowHandle(), nullptr);

    const auto key = [&](int code) {
        qt_handleKeyEvent(window.windowHandle(), QEvent::KeyPress, code, Qt::NoModifier);
        qt_handleKeyEvent(window.windowHandle(), QEvent::KeyRelease, code, Qt::NoModifier);
        QApplication::processEvents();
    };
    key(Qt::Key_PageDown);
    EXPECT_EQ(view->CurrentPage(), 2);
    key(Qt::Key_PageUp);
    EXPECT_EQ(view->CurrentPage(), 1);

    // A disabled action leaves the key to the view, which does not scroll a page either.
    view->resize(400, 300);
    forward->setEnabled(false);
    key(Qt::Key_PageDown);
    EXPECT_EQ(view->CurrentPage(), 1);
    EXPECT_EQ(view->verticalScrollBar()->value(), 0);

    // The zoom keys arrive at the view through the window as well.
    key(Qt::Key_Plus);
    EXPECT_EQ(view->ZoomLevel(), 3);
}

TEST_F(KurvexViewTest, StripsToggleKeepsTheCurrentPageAlsoBeyondTheCount)
{
    const auto view = ShownView();
    view->ToggleStrips();
    EXPECT_EQ(view->StripsPerPage(), 2);
    EXPECT_EQ(view->PageCount(), 3);
    EXPECT_EQ(view->CurrentPage(), 1);
    view->PageForward();
    view->PageForward();
    EXPECT_EQ(view->CurrentPage(), 3);

    view->ToggleStrips();
    EXPECT_EQ(view->StripsPerPage(), 3);
    EXPECT_EQ(view->PageCount(), 2);
    EXPECT_EQ(view->CurrentPage(), 3);
    Paint(*view);  // a page beyond the run draws its axes
    EXPECT_EQ(view->windowTitle(), ExpectedTitle(3, 2));
    view->PageForward();  // refused
    EXPECT_EQ(view->CurrentPage(), 3);
    view->PageBack();
    EXPECT_EQ(view->CurrentPage(), 2);
    EXPECT_EQ(view->windowTitle(), ExpectedTitle(2, 2));
}

TEST_F(KurvexViewTest, TwoMetreGridToggles)
{
    const auto view = ShownView();
    EXPECT_FALSE(view->TwoMetreGrid());
    view->ToggleTwoMetreGrid();
    EXPECT_TRUE(view->TwoMetreGrid());
    view->ToggleTwoMetreGrid();
    EXPECT_FALSE(view->TwoMetreGrid());
    EXPECT_EQ(stateChanges, 2);
}

TEST_F(KurvexViewTest, StripsPerPageAreReadAtFirstDisplayAndWrittenAtClose)
{
    const struct {
        const char* stored;  // nullptr: no value
        int shown;
    } table[] = {{nullptr, 3}, {"2", 2}, {"3", 3}, {"1", 3}, {"7", 3}, {"-2", 3}, {"zwei", 3}, {"", 3}};
    for (const auto& row : table) {
        settings.RemoveSection("Sonstiges");
        if (row.stored)
            settings.SetText("Sonstiges", "DiagrammeProSeite", row.stored);
        {
            const auto view = ShownView();
            EXPECT_EQ(view->StripsPerPage(), row.shown) << (row.stored ? row.stored : "(none)");
            EXPECT_EQ(view->PageCount(), row.shown == 2 ? 3 : 2);
            view->close();
        }
        EXPECT_EQ(settings.GetInt("Sonstiges", "DiagrammeProSeite", 0), row.shown);
    }

    {
        const auto view = ShownView();
        view->ToggleStrips();
        view->close();
    }
    EXPECT_EQ(settings.GetInt("Sonstiges", "DiagrammeProSeite", 0), 2);

    // A window that never showed a page did not read the setting and keeps it.
    settings.SetInt("Sonstiges", "DiagrammeProSeite", 2);
    { CKurvexView unshown(doc, Context()); }
    EXPECT_EQ(settings.GetInt("Sonstiges", "DiagrammeProSeite", 0), 2);
}

TEST_F(KurvexViewTest, ClicksPickStationsAndMarkTheBand)
{
    const auto view = ShownView();
    const QImage before = Paint(*view);
    const QPoint first = PositionOfStation(*view, 0, 123500);
    const QPoint second = PositionOfStation(*view, 0, 123735);

    view->ClickAt(first, Qt::NoModifier);
    ASSERT_EQ(picks.size(), 1u);
    EXPECT_EQ(picks[0].first, QStringLiteral("123500"));
    EXPECT_EQ(picks[0].second, QString());
    EXPECT_EQ(MeasureStatusText(doc->PickedStations().Get(0), doc->PickedStations().Get(1)), "[ 12350.0 ] [ ]");

    view->ClickAt(second, Qt::NoModifier);
    ASSERT_EQ(picks.size(), 2u);
    EXPECT_EQ(picks[1].first, QStringLiteral("123735"));
    EXPECT_EQ(picks[1].second, QStringLiteral("123500"));
    EXPECT_EQ(MeasureStatusText(picks[1].first.toStdString(), picks[1].second.toStdString()),
              "[ 12373.5 ] [ 12350.0 ]  Distanz 23.5m");

    // The same station again changes nothing.
    view->ClickAt(second, Qt::NoModifier);
    EXPECT_EQ(picks.size(), 2u);
    EXPECT_EQ(doc->PickedStations().Get(1), "123500");

    // Ctrl: nothing; outside every strip: nothing.
    view->ClickAt(PositionOfStation(*view, 1, 124600), Qt::ControlModifier);
    view->ClickAt(QPoint(2, 2), Qt::NoModifier);
    EXPECT_EQ(picks.size(), 2u);
    EXPECT_EQ(doc->PickedStations().Get(0), "123735");

    // The band lies between the clicked pixels, where the paint puts the stations.
    const QImage after = Paint(*view);
    const Rect box = view->Painter().Mouse().StripRect(0);
    const int top = static_cast<int>(view->ViewportPositionOf(Point{box.left, box.top}).y()) + 2;
    const int bottom = static_cast<int>(view->ViewportPositionOf(Point{box.left, box.bottom}).y()) - 2;
    const int middle = (first.x() + second.x()) / 2;
    EXPECT_GT(YellowInColumn(after, middle, top, bottom), (bottom - top) / 3);
    EXPECT_EQ(YellowInColumn(before, middle, top, bottom), 0);
    EXPECT_EQ(YellowInColumn(after, first.x() - 3, top, bottom), 0);
    EXPECT_EQ(YellowInColumn(after, second.x() + 3, top, bottom), 0);
    EXPECT_GT(YellowInColumn(after, first.x() + 1, top, bottom), 0);
    EXPECT_GT(YellowInColumn(after, second.x() - 1, top, bottom), 0);
}

TEST_F(KurvexViewTest, ClicksMapTheSameWayWhenScrolledAndZoomed)
{
    const auto view = ShownView();
    view->ZoomStep();
    view->ZoomStep();  // level 2
    view->resize(700, 400);
    QApplication::processEvents();
    view->horizontalScrollBar()->setValue(300);
    view->verticalScrollBar()->setValue(150);
    Paint(*view);
    view->ClickAt(PositionOfStation(*view, 1, 124721), Qt::NoModifier);
    ASSERT_EQ(picks.size(), 1u);
    EXPECT_EQ(picks[0].first, QStringLiteral("124721"));
}

TEST_F(KurvexViewTest, AltClickFindsTheFirstExcludedRangeHoldingTheStation)
{
    const auto view = ShownView();
    ASSERT_EQ(doc->ExcludedRanges().size(), 2u);
    const auto& range = doc->ExcludedRanges()[0];  // 123850 .. 123970, strip 0 of page 1
    ASSERT_EQ(range.von, 123850);
    ASSERT_EQ(range.bis, 123970);

    view->ClickAt(PositionOfStation(*view, 0, 123900), Qt::AltModifier);
    view->ClickAt(PositionOfStation(*view, 0, 123970), Qt::AltModifier);  // both ends belong to the range
    view->ClickAt(PositionOfStation(*view, 0, 123700), Qt::AltModifier);  // no range there
    EXPECT_EQ(rangeClicks, (std::vector<int>{0, 0}));
    EXPECT_TRUE(picks.empty());  // an Alt click picks nothing
    EXPECT_EQ(doc->PickedStations().Get(0), "");

    view->PageForward();
    Paint(*view);
    view->ClickAt(PositionOfStation(*view, 0, 126600), Qt::AltModifier);
    EXPECT_EQ(rangeClicks, (std::vector<int>{0, 0, 1}));
}

TEST_F(KurvexViewTest, PickedStationsAreAnnouncedForTheStatusBar)
{
    doc->PickedStations().Push("1000");
    doc->PickedStations().Push("1235");
    const auto view = ShownView();
    view->AnnouncePickedStations();
    ASSERT_EQ(picks.size(), 1u);
    EXPECT_EQ(MeasureStatusText(picks[0].first.toStdString(), picks[0].second.toStdString()),
              "[ 123.5 ] [ 100.0 ]  Distanz 23.5m");
}

TEST_F(KurvexViewTest, ScrollLockOpensTheSideFileInTheEditor)
{
    const auto view = ShownView();
    const QString sideFile = QString::fromStdString(doc->FullPath() + ".zi4");
    view->OpenSideFileInEditor();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_ScrollLock, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &press);
    ASSERT_EQ(editorCalls.size(), 2u);
    EXPECT_EQ(editorCalls[0], sideFile);
    EXPECT_EQ(editorCalls[1], sideFile);
    EXPECT_TRUE(sideFile.endsWith(QStringLiteral("/samples/pm01bs02_sample.pbs.zi4")));

    // A new empty document ("Neu") has no file to edit beside it.
    editorCalls.clear();
    CKurvexView empty(std::make_shared<CKurvexDoc>(), Context());
    empty.OpenSideFileInEditor();
    EXPECT_TRUE(editorCalls.empty());
}

// Receives the URLs QDesktopServices is asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    std::vector<QUrl> urls;
    Q_INVOKABLE void open(const QUrl& url) { urls.push_back(url); }
};

TEST_F(KurvexViewTest, WithoutAnEditorFunctionTheDesktopOpensTheSideFile)
{
    ViewContext context = Context();
    context.openInEditor = nullptr;
    CKurvexView view(doc, context);
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
    view.OpenSideFileInEditor();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_EQ(recorder.urls.size(), 1u);
    EXPECT_EQ(recorder.urls[0], QUrl::fromLocalFile(QString::fromStdString(doc->FullPath() + ".zi4")));
    EXPECT_TRUE(editorCalls.empty());
}

TEST_F(KurvexViewTest, ExportOnlyForDeviceRecordsAndExchangeFiles)
{
    const auto view = ShownView();
    EXPECT_TRUE(view->CanExport());
    auto listing = std::make_shared<CKurvexDoc>();
    ASSERT_EQ(test::OpenSample(*listing, "listing_sample.lst"), OpenResult::Opened);
    CKurvexView listingView(listing, Context());
    EXPECT_FALSE(listingView.CanExport());
}

TEST_F(KurvexViewTest, ARunWithoutPointsShowsPageOneOfZero)
{
    auto empty = std::make_shared<CKurvexDoc>();
    CKurvexView view(empty, Context());
    view.resize(800, 600);
    view.show();
    Paint(view);
    EXPECT_EQ(view.PageCount(), 0);
    EXPECT_EQ(view.windowTitle(), QStringLiteral("   Seite 1 von 0"));
    view.PageForward();
    EXPECT_EQ(view.CurrentPage(), 1);
}

}  // namespace
}  // namespace kurvex

#include "KurvexViewTest.moc"
