// The chart window and the mouse, offscreen: the readout of the point under
// it, the tooltips of exceedance markers, the context menu with Escape and
// the menu key, zooming about the mouse and the centre, and the legend that
// only the screen shows.

#include "chart/ChartReadout.h"
#include "chart/GetMouseDm.h"
#include "chart/LabelTable.h"
#include "chart/ui/KurvexView.h"
#include "common/ui/QtText.h"
#include "document/MemorySettingsStore.h"
#include "render/ChartRendering.h"
#include "shell/KurvexApp.h"
#include "shell/MainFrame.h"
#include "support/DocumentHelpers.h"
#include "ui/support/ChartPositions.h"
#include "ui/support/GuiTestSupport.h"
#include "ui/support/ProgramFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolTip>
#include <QWheelEvent>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* w, QEvent::Type t, int k, Qt::KeyboardModifiers mods,
                                    const QString& text = QString(), bool autorep = false, ushort count = 1);

namespace kurvex {
namespace {

class ChartMouseTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(test::OpenSample(*doc, "pm01bs02_sample.pbs"), OpenResult::Opened); }

    std::unique_ptr<CKurvexView> ShownView(QSize size = QSize(1300, 900))
    {
        auto view = std::make_unique<CKurvexView>(doc, test::MakeViewContext(settings, labels, pageFlag, printer));
        QObject::connect(view.get(), &CKurvexView::readoutChanged, [this](const QString& text) { readouts << text; });
        QObject::connect(view.get(), &CKurvexView::pickedStationsChanged,
                         [this](const QString& n, const QString& p) { picks.emplace_back(n, p); });
        QObject::connect(view.get(), &CKurvexView::excludedRangeClicked,
                         [this](int index) { rangeClicks.push_back(index); });
        QObject::connect(view.get(), &CKurvexView::goToStationRequested, [this] { ++goToRequests; });
        view->resize(size);
        view->show();
        QApplication::processEvents();
        Paint(*view);
        return view;
    }

    static QImage Paint(CKurvexView& view) { return view.viewport()->grab().toImage(); }

    static void Move(CKurvexView& view, QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), view.viewport()->mapToGlobal(QPointF(at)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &move);
    }

    // A viewport position on strip slot whose hit test gives the station.
    static QPoint PositionOfStation(CKurvexView& view, int slot, int station, double height = 0.5)
    {
        return test::PositionOfStation(view, slot, station, height);
    }

    // The strip slot and station under a viewport position, and how far down the strip box it lies.
    struct Place {
        int slot = -1;
        int station = 0;
        double height = 0.0;
    };
    static std::optional<Place> PlaceAt(CKurvexView& view, QPoint at)
    {
        const Point logical = view.LogicalPointAt(QPointF(at));
        const std::optional<StripHit> hit = StripUnder(view.Painter().Mouse(), logical.x, logical.y);
        if (!hit)
            return std::nullopt;
        const Rect box = view.Painter().Mouse().StripRect(hit->slot);
        return Place{hit->slot, hit->station, double(logical.y - box.top) / (box.bottom - box.top)};
    }

    // The viewport position nearest to the wish that lies on a strip.
    static QPoint OnAStripNear(CKurvexView& view, QPoint wish)
    {
        for (int radius = 0; radius < 400; radius += 4) {
            for (int dy = -radius; dy <= radius; dy += 4) {
                for (int dx : {-radius, radius}) {
                    const QPoint candidate = wish + QPoint(dx, dy);
                    if (view.viewport()->rect().contains(candidate) && PlaceAt(view, candidate))
                        return candidate;
                }
            }
        }
        ADD_FAILURE() << "no strip near " << wish.x() << "," << wish.y();
        return wish;
    }

    // The window point nearest to the station among those of [lo, hi], found the long way.
    std::optional<int> NearestByWalking(int station, int lo, int hi) const
    {
        const CMessFahrtDaten& run = doc->Run();
        std::optional<int> best;
        for (int i = 0; i < run.GetCount(); ++i) {
            const int t = run.GetStation(i);
            if (t < lo || t > hi)
                continue;
            if (!best || std::abs(t - station) < std::abs(run.GetStation(*best) - station))
                best = i;
        }
        return best;
    }

    QAction* MenuAction(CKurvexView& view, const char* objectName)
    {
        auto* action = view.findChild<QAction*>(QString::fromLatin1(objectName));
        EXPECT_NE(action, nullptr) << objectName;
        return action;
    }

    void OpenMenu(CKurvexView& view, QPoint at)
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, view.viewport()->mapToGlobal(at));
        QApplication::sendEvent(view.viewport(), &event);
        QApplication::processEvents();
    }

    std::shared_ptr<CKurvexDoc> doc = std::make_shared<CKurvexDoc>();
    MemorySettingsStore settings;
    CLabelTable labels;
    ExceedancePageFlag pageFlag;
    QPrinter printer{QPrinter::HighResolution};
    QStringList readouts;
    std::vector<std::pair<QString, QString>> picks;
    std::vector<int> rangeClicks;
    int goToRequests = 0;
};

TEST_F(ChartMouseTest, ReadoutOfThePointNearestTheMouseClearedOffTheStrips)
{
    const auto view = ShownView();
    EXPECT_TRUE(view->viewport()->hasMouseTracking());
    const CGetMouseDm& strips = view->Painter().Mouse();
    ASSERT_EQ(strips.Count(), 3);
    for (const auto& [slot, station] :
         std::vector<std::pair<int, int>>{{0, 123405}, {0, 123977}, {1, 124712}, {2, 125550}, {2, 126399}}) {
        const QPoint at = PositionOfStation(*view, slot, station);
        Move(*view, at);
        const int lo = std::min(strips.StartStation(slot), strips.EndStation(slot));
        const int hi = std::max(strips.StartStation(slot), strips.EndStation(slot));
        const std::optional<int> nearest = NearestByWalking(station, lo, hi);
        ASSERT_TRUE(nearest.has_value()) << station;
        const QString expected = ToQString(PointReadoutText(doc->Run(), *nearest, false));
        ASSERT_FALSE(readouts.isEmpty());
        EXPECT_EQ(readouts.back(), expected) << station;
        EXPECT_TRUE(expected.startsWith(QStringLiteral("Station 12,"))) << expected.toStdString();
        EXPECT_TRUE(expected.contains(QStringLiteral(" km   Messwert "))) << expected.toStdString();
    }

    // Between two strips the readout goes; on a strip it comes back; leaving the window clears it.
    const QPoint onStrip = PositionOfStation(*view, 0, 123500);
    const QPoint between(onStrip.x(),
                         static_cast<int>(view->ViewportPositionOf(Point{0, strips.StripRect(0).bottom}).y()) + 8);
    ASSERT_FALSE(PlaceAt(*view, between).has_value());
    Move(*view, between);
    EXPECT_EQ(readouts.back(), QString());
    Move(*view, PositionOfStation(*view, 1, 124712));
    EXPECT_FALSE(readouts.back().isEmpty());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(view->viewport(), &leave);
    EXPECT_EQ(readouts.back(), QString());
}

TEST_F(ChartMouseTest, ReadoutFollowsThePageUnderAMouseAtRest)
{
    const auto view = ShownView();
    const QPoint at = PositionOfStation(*view, 0, 123500);
    Move(*view, at);
    const QString onPageOne = readouts.back();
    view->PageForward();
    Paint(*view);
    const std::optional<Place> place = PlaceAt(*view, at);
    ASSERT_TRUE(place.has_value());
    const CGetMouseDm& strips = view->Painter().Mouse();
    const std::optional<int> nearest = NearestByWalking(place->station, strips.StartStation(0), strips.EndStation(0));
    ASSERT_TRUE(nearest.has_value());
    EXPECT_NE(readouts.back(), onPageOne);
    EXPECT_EQ(readouts.back(), ToQString(PointReadoutText(doc->Run(), *nearest, false)));
}

TEST_F(ChartMouseTest, TooltipOfTheExceedanceMarkerUnderTheMouse)
{
    const auto view = ShownView();
    const std::vector<ExceedanceMarkerBox>& boxes = view->Painter().Markers().Boxes();
    ASSERT_FALSE(boxes.empty());
    // Exceedance 3 carries a remark of two lines, 7 does not count.
    int withRemark = -1;
    int notCounting = -1;
    for (size_t i = 0; i < boxes.size(); ++i) {
        UEBERSCHREITUNG record;
        ASSERT_TRUE(doc->Exceedances().ExceedanceCopy(boxes[i].exceedance, record));
        if (record.lfdNr == 3)
            withRemark = static_cast<int>(i);
        if (record.lfdNr == 7)
            notCounting = static_cast<int>(i);
    }
    ASSERT_GE(withRemark, 0);
    ASSERT_GE(notCounting, 0);
    const auto lineMiddle = [&](const ExceedanceMarkerBox& box) {
        return view->ViewportPositionOf(Point{box.x, (box.y0 + box.y1) / 2}).toPoint();
    };
    EXPECT_EQ(view->ToolTipAt(lineMiddle(boxes[static_cast<size_t>(withRemark)])),
              QString::fromUtf8("Überschreitung 3\nStation 12,3550 km\np 1 mm, p² 1 mm²\nzählt\nSchachtdeckel\n"
                                "Höhenlage prüfen"));
    EXPECT_EQ(view->ToolTipAt(lineMiddle(boxes[static_cast<size_t>(notCounting)])),
              QString::fromUtf8("Überschreitung 7\nStation 12,4040 km\np 2 mm, p² 4 mm²\nzählt nicht\n"
                                "Fremdleitung, nicht Auftragnehmer"));
    // On the label as well; away from every marker, nothing.
    const Rect label = boxes[static_cast<size_t>(notCounting)].label;
    const QPoint onLabel =
        view->ViewportPositionOf(Point{(label.left + label.right) / 2, (label.top + label.bottom) / 2}).toPoint();
    EXPECT_TRUE(view->ToolTipAt(onLabel).startsWith(QString::fromUtf8("Überschreitung 7\n")));
    EXPECT_EQ(view->ToolTipAt(QPoint(3, 3)), QString());

    // The help event shows it.
    const QPoint at = lineMiddle(boxes[static_cast<size_t>(withRemark)]);
    QHelpEvent help(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &help);
    EXPECT_TRUE(QToolTip::text().startsWith(QString::fromUtf8("Überschreitung 3\n")));
    QToolTip::hideText();
}

TEST_F(ChartMouseTest, ContextMenuActsOnTheStationUnderTheMouse)
{
    const auto view = ShownView();
    QMenu* menu = view->ContextMenu();
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << action->text();
    EXPECT_EQ(texts, (QStringList{U("Station übernehmen"), U("Markierung aufheben"),
                                  U("Bereich ohne Überschreitungsauswertung anzeigen ..."), QString(),
                                  U("Gehe zu Station ...\tStrg+G"), U("Station kopieren")}));
    QAction* pick = MenuAction(*view, "chart_pick_station");
    QAction* clear = MenuAction(*view, "chart_clear_picks");
    QAction* range = MenuAction(*view, "chart_show_excluded_range");
    QAction* goTo = MenuAction(*view, "chart_go_to_station");
    QAction* copy = MenuAction(*view, "chart_copy_station");

    // Over the excluded range 123850 .. 123970 of strip 0.
    const QPoint inRange = PositionOfStation(*view, 0, 123900);
    OpenMenu(*view, inRange);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(range->isVisible());
    EXPECT_TRUE(pick->isEnabled());
    EXPECT_FALSE(clear->isEnabled());  // nothing picked yet
    menu->hide();
    range->trigger();
    EXPECT_EQ(rangeClicks, (std::vector<int>{0}));
    EXPECT_TRUE(picks.empty());
    pick->trigger();
    ASSERT_EQ(picks.size(), 1u);
    EXPECT_EQ(picks[0].first, QStringLiteral("123900"));
    EXPECT_TRUE(clear->isEnabled());
    copy->trigger();
    Move(*view, inRange);
    EXPECT_EQ(QApplication::clipboard()->text() + QStringLiteral("   "),
              readouts.back().mid(8, QApplication::clipboard()->text().size() + 3));
    EXPECT_TRUE(QApplication::clipboard()->text().endsWith(QStringLiteral(" km")));
    goTo->trigger();
    EXPECT_EQ(goToRequests, 1);

    // Outside the range the entry is not offered; off the strips nothing can be picked or copied.
    OpenMenu(*view, PositionOfStation(*view, 1, 124500));
    EXPECT_FALSE(range->isVisible());
    EXPECT_TRUE(pick->isEnabled());
    menu->hide();
    OpenMenu(*view, QPoint(3, 3));
    EXPECT_FALSE(pick->isEnabled());
    EXPECT_FALSE(copy->isEnabled());
    EXPECT_TRUE(goTo->isEnabled());
    menu->hide();

    clear->trigger();
    EXPECT_EQ(picks.back(), (std::pair<QString, QString>()));
    EXPECT_EQ(doc->PickedStations().Get(0), "");
    EXPECT_FALSE(clear->isEnabled());
}

TEST_F(ChartMouseTest, EscapeClearsThePicksAndTheMenuKeyOpensTheMenuAtTheNewestPick)
{
    const auto view = ShownView();
    view->activateWindow();
    view->setFocus();
    QApplication::processEvents();
    ASSERT_NE(view->windowHandle(), nullptr);
    view->ClickAt(PositionOfStation(*view, 0, 123500), Qt::NoModifier);
    const QPoint newest = PositionOfStation(*view, 2, 126000);
    view->ClickAt(newest, Qt::NoModifier);
    ASSERT_EQ(doc->PickedStations().Get(0), "126000");

    // The menu key with the mouse elsewhere: at the newest pick, which lies inside the other range.
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(5, 5), view->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(view.get(), &key);
    const std::optional<Place> place = PlaceAt(*view, view->KeyboardMenuPosition());
    ASSERT_TRUE(place.has_value());
    EXPECT_EQ(place->slot, 2);
    EXPECT_NEAR(place->station, 126000, 5);
    EXPECT_TRUE(view->ContextMenu()->isVisible());
    view->ContextMenu()->hide();

    qt_handleKeyEvent(view->windowHandle(), QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    qt_handleKeyEvent(view->windowHandle(), QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
    QApplication::processEvents();
    EXPECT_EQ(doc->PickedStations().Get(0), "");
    EXPECT_EQ(doc->PickedStations().Get(1), "");
    EXPECT_EQ(picks.back(), (std::pair<QString, QString>()));

    // Without a pick the menu key opens it in the middle.
    EXPECT_EQ(view->KeyboardMenuPosition(), view->viewport()->rect().center());
}

TEST_F(ChartMouseTest, CtrlWheelKeepsThePointUnderTheMouseAndTheKeysTheCentre)
{
    const auto view = ShownView(QSize(640, 420));
    // In the middle of the scroll ranges, so that no zoom runs against an end.
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum() / 2);
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum() / 3);
    Paint(*view);
    const auto wheel = [&](QPoint at, int delta) {
        QWheelEvent event(QPointF(at), view->viewport()->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &event);
        Paint(*view);
    };
    const auto expectSamePlace = [&](const Place& before, QPoint at, const char* what) {
        const std::optional<Place> after = PlaceAt(*view, at);
        ASSERT_TRUE(after.has_value()) << what;
        EXPECT_EQ(after->slot, before.slot) << what;
        // A pixel is a few decimetres at 1:400; the height within a pixel of the strip's.
        const CGetMouseDm& strips = view->Painter().Mouse();
        const Rect box = strips.StripRect(after->slot);
        const double dmPerPixel =
            std::abs(strips.EndStation(after->slot) - strips.StartStation(after->slot)) /
            (view->ViewportPositionOf(Point{box.right, 0}).x() - view->ViewportPositionOf(Point{box.left, 0}).x());
        const double pixelsHigh =
            view->ViewportPositionOf(Point{0, box.bottom}).y() - view->ViewportPositionOf(Point{0, box.top}).y();
        EXPECT_LE(std::abs(after->station - before.station), 2 * dmPerPixel + 1) << what;
        EXPECT_NEAR(after->height, before.height, 2.0 / std::abs(pixelsHigh)) << what;
    };

    const struct {
        QPoint at;
        int delta;
        int level;
    } turns[] = {{{200, 150}, 120, 3}, {{420, 300}, 120, 2}, {{300, 220}, -240, 4}, {{150, 330}, -120, 5}};
    for (const auto& turn : turns) {
        const QPoint at = OnAStripNear(*view, turn.at);
        const std::optional<Place> before = PlaceAt(*view, at);
        ASSERT_TRUE(before.has_value()) << turn.level;
        wheel(at, turn.delta);
        ASSERT_EQ(view->ZoomLevel(), turn.level);
        expectSamePlace(*before, at, "Ctrl+wheel");
    }

    // "+" and "-" keep what lies in the middle of the window, once a strip lies there.
    const QPoint centre = view->viewport()->rect().center();
    const QPoint strip = OnAStripNear(*view, centre);
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->value() + strip.x() - centre.x());
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->value() + strip.y() - centre.y());
    Paint(*view);
    for (int key : {Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Minus}) {
        const std::optional<Place> before = PlaceAt(*view, centre);
        ASSERT_TRUE(before.has_value());
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(view.get(), &press);
        Paint(*view);
        expectSamePlace(*before, centre, key == Qt::Key_Plus ? "+" : "-");
    }
}

TEST_F(ChartMouseTest, LegendOnlyOnTheScreenAndOnlyInItsCorner)
{
    ASSERT_TRUE(doc->ComparisonRun(1).IsLoaded());
    const auto view = ShownView();
    const QImage screen = Paint(*view).convertToFormat(QImage::Format_RGB32);
    // The same page as the screen draws it without the window: what print and renders share.
    QImage page(screen.size(), QImage::Format_RGB32);
    page.setDevicePixelRatio(screen.devicePixelRatio());
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        DrawScreenChartPage(painter, view->Painter(), view->CurrentPage(), view->viewport()->logicalDpiX(),
                            view->viewport()->logicalDpiY(), QPoint());
    }
    const auto differingFromPage = [&page](const QImage& shown) {
        QRect differing;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                if (shown.pixel(x, y) != page.pixel(x, y))
                    differing |= QRect(x, y, 1, 1);
            }
        }
        return differing;
    };
    const QRect differing = differingFromPage(screen);
    ASSERT_FALSE(differing.isEmpty());
    EXPECT_TRUE(view->LegendRect().contains(differing));
    // All of it in the top-right corner, with the comparison run's orange stroke in it.
    EXPECT_GT(differing.left(), screen.width() / 2);
    EXPECT_LT(differing.bottom(), screen.height() / 5);
    EXPECT_GT(differing.right(), screen.width() - 20);
    const Color orange = Color::FromColorRef(static_cast<uint32_t>(doc->State().Settings().Colour(CurvePen(1))));
    int strokes = 0;
    for (int y = differing.top(); y <= differing.bottom(); ++y) {
        for (int x = differing.left(); x <= differing.right(); ++x)
            strokes += screen.pixel(x, y) == qRgb(orange.red, orange.green, orange.blue);
    }
    EXPECT_GT(strokes, 20);

    // With the mouse over it, the legend steps aside; it comes back when the mouse goes.
    Move(*view, view->LegendRect().center());
    EXPECT_TRUE(differingFromPage(Paint(*view).convertToFormat(QImage::Format_RGB32)).isEmpty());
    Move(*view, QPoint(5, view->viewport()->height() - 5));
    EXPECT_EQ(differingFromPage(Paint(*view).convertToFormat(QImage::Format_RGB32)), differing);
}

// In the main window: the readout in status pane 2, gone with its window, and
// "Gehe zu Station ..." of the menu asking as the main window's command does.
class ChartMouseFrameTest : public test::ProgramTest {
protected:
};

TEST_F(ChartMouseFrameTest, ReadoutInPaneTwoAndGoToStationFromTheMenu)
{
    CKurvexView* view = Frame().OpenDocumentFile(test::Sample("pm01bs02_sample.pbs"));
    ASSERT_NE(view, nullptr);
    view->viewport()->grab();  // painted, so that the strips are known
    const Rect strip = view->Painter().Mouse().StripRect(1);
    const QPoint at =
        view->ViewportPositionOf(Point{(strip.left + strip.right) / 2, (strip.top + strip.bottom) / 2}).toPoint();
    QMouseEvent move(QEvent::MouseMove, QPointF(at), view->viewport()->mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &move);
    EXPECT_EQ(Frame().StatusPane(2)->text(), view->ReadoutAt(at));
    EXPECT_TRUE(Frame().StatusPane(2)->text().startsWith(QStringLiteral("Station 12,")));
    // The widest readout is not cut off.
    const QLabel* pane = Frame().StatusPane(2);
    EXPECT_GE(pane->maximumWidth(), pane->fontMetrics().horizontalAdvance(QString::fromLatin1(kWidestPointReadout)));

    bool asked = false;
    test::AnswerNextModal([&](QDialog& modal) {
        auto* dialog = qobject_cast<QInputDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        asked = true;
        dialog->setTextValue(QStringLiteral("12600"));
        dialog->accept();
    });
    view->findChild<QAction*>(QStringLiteral("chart_go_to_station"))->trigger();
    EXPECT_TRUE(asked);
    EXPECT_EQ(view->Document().PickedStations().Get(0), "126000");

    view->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    EXPECT_EQ(Frame().StatusPane(2)->text(), QString());
}

}  // namespace
}  // namespace kurvex
