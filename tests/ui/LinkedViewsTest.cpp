// The chart and the file viewer follow each other; the page keys belong to
// whichever of them has the focus; "Gehe zu Station" asks again after a
// station the run does not have; what screen readers are told.

#include "chart/ChartDescription.h"
#include "chart/ChartPainter.h"
#include "chart/ui/KurvexView.h"
#include "common/Numbers.h"
#include "common/ui/AccessibleToolBar.h"
#include "common/ui/QtText.h"
#include "document/KurvexDoc.h"
#include "measurement/PointLines.h"
#include "measurement/ui/FileTextModel.h"
#include "measurement/ui/NMDateiDlg.h"
#include "shell/Commands.h"
#include "shell/KurvexApp.h"
#include "shell/MainFrame.h"
#include "support/DocumentHelpers.h"
#include "ui/support/GuiTestSupport.h"
#include "ui/support/ProgramFixture.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kurvex {
namespace {

using test::Sample;

class LinkedViewsTest : public test::ProgramTest {
protected:
    CNMDateiDlg& Viewer() { return *Frame().FileViewer(); }

    // The sample in its window, painted, with the file viewer shown.
    CKurvexView* OpenWithViewer(const char* sample)
    {
        CKurvexView* view = Frame().OpenDocumentFile(Sample(sample));
        if (!view)
            return nullptr;
        Frame().resize(1280, 800);
        if (!Frame().FileViewerShown())
            Frame().Action(Command::ToggleFileViewer)->trigger();
        Frame().activateWindow();
        QApplication::processEvents();
        view->viewport()->repaint();
        return view;
    }

    // The window point of the viewer's current line (none for a line without one).
    std::optional<int> PointOfCurrentLine(const CKurvexView& view)
    {
        if (Viewer().CurrentLine() < 0)
            return std::nullopt;
        return view.Document().Run().WindowPointOfFileLine(static_cast<size_t>(Viewer().CurrentLine()));
    }

    // Key events as the window system delivers them, shortcuts first.
    void Key(int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWindow* window = Frame().windowHandle();
        qt_handleKeyEvent(window, QEvent::KeyPress, code, modifiers);
        qt_handleKeyEvent(window, QEvent::KeyRelease, code, modifiers);
        QApplication::processEvents();
    }

    std::vector<UserMessage>& m_messages = m_interaction.shown;
};

// A viewport position on a strip, found as the mouse would.
std::optional<QPoint> PositionOnAStrip(CKurvexView& view, int fromX)
{
    for (int y = 0; y < view.viewport()->height(); y += 4) {
        for (int x = fromX; x < view.viewport()->width(); x += 4) {
            const Point logical = view.LogicalPointAt(QPointF(x, y));
            if (view.Painter().Mouse().HitTest(logical.x, logical.y))
                return QPoint(x, y);
        }
    }
    return std::nullopt;
}

TEST_F(LinkedViewsTest, AClickOnTheChartSelectsTheLineOfTheNearestPoint)
{
    CKurvexView* view = OpenWithViewer("pm01bs02_sample.pbs");
    ASSERT_NE(view, nullptr);
    const CMessFahrtDaten& run = view->Document().Run();
    for (const int fromX : {0, 300, 600}) {
        const std::optional<QPoint> where = PositionOnAStrip(*view, fromX);
        ASSERT_TRUE(where) << fromX;
        view->ClickAt(*where + QPoint(fromX == 0 ? 40 : 0, 0), Qt::NoModifier);
        const int32_t picked = ToInt(view->Document().PickedStations().Get(0));
        ASSERT_EQ(PointOfCurrentLine(*view), NearestWindowPoint(run, picked)) << picked;
        EXPECT_FALSE(Viewer().View().hasFocus());
        // In sight.
        const QRect row = Viewer().View().visualRect(Viewer().Model().index(Viewer().CurrentLine()));
        EXPECT_TRUE(Viewer().View().viewport()->rect().intersects(row)) << picked;
    }

    // "Gehe zu Station" picks as well: the line of the last point, scrolled to.
    const int last = run.GetCount() - 1;
    ASSERT_TRUE(Frame().GoToStation(ToQString(FormatTenths(run.GetStation(last)))));
    EXPECT_EQ(PointOfCurrentLine(*view), last);
    EXPECT_EQ(Viewer().View().selectionModel()->selectedRows().size(), 1);

    // A line out of sight comes to the middle, not to the edge.
    Viewer().View().scrollToTop();
    const int middle = run.GetCount() / 2;
    ASSERT_TRUE(Frame().GoToStation(ToQString(FormatTenths(run.GetStation(middle)))));
    ASSERT_EQ(PointOfCurrentLine(*view), middle);
    const QRect shown = Viewer().View().viewport()->rect();
    const QRect row = Viewer().View().visualRect(Viewer().Model().index(Viewer().CurrentLine()));
    EXPECT_LT(std::abs(row.center().y() - shown.center().y()), shown.height() / 4);
}

TEST_F(LinkedViewsTest, ADataLineChosenInTheViewerShowsItsPageAndPicksItsStation)
{
    CKurvexView* view = OpenWithViewer("pm01bs01_sample.txt");
    ASSERT_NE(view, nullptr);
    ASSERT_GT(view->PageCount(), 1);
    const CMessFahrtDaten& run = view->Document().Run();
    QTableView& lines = Viewer().View();
    lines.setFocus();

    // A header line holds no point: nothing changes.
    lines.setCurrentIndex(Viewer().Model().index(0));
    QTest::keyClick(&lines, Qt::Key_Return);
    EXPECT_EQ(view->CurrentPage(), 1);
    EXPECT_TRUE(view->Document().PickedStations().Get(0).empty());

    const int last = run.GetCount() - 1;
    const int line = static_cast<int>(*run.FileLineOfWindowPoint(last));
    lines.setCurrentIndex(Viewer().Model().index(line));
    QTest::keyClick(&lines, Qt::Key_Return);
    EXPECT_EQ(view->CurrentPage(), view->PageCount());
    EXPECT_EQ(view->Document().PickedStations().Get(0), std::to_string(run.GetStation(last)));
    EXPECT_EQ(Viewer().CurrentLine(), line);
    EXPECT_TRUE(lines.hasFocus());

    // A double-click does the same.
    const int first = static_cast<int>(*run.FileLineOfWindowPoint(0));
    lines.scrollTo(Viewer().Model().index(first));
    const QPoint at = lines.visualRect(Viewer().Model().index(first)).center();
    // As the window system delivers a double-click: a click, then the second press.
    QTest::mouseClick(lines.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(lines.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(view->CurrentPage(), 1);
    EXPECT_EQ(view->Document().PickedStations().Get(0), std::to_string(run.GetStation(0)));
    EXPECT_EQ(Viewer().CurrentLine(), first);
}

// The page commands are window shortcuts: in the viewer its own keys move it.
TEST_F(LinkedViewsTest, PageAndEndKeysMoveWhateverHasTheFocus)
{
    CKurvexView* view = OpenWithViewer("pm01bs02_sample.pbs");
    ASSERT_NE(view, nullptr);
    view->ToggleStrips();  // two strips a page: more pages
    view->viewport()->repaint();
    ASSERT_GT(view->PageCount(), 2);
    QTableView& lines = Viewer().View();
    lines.setFocus();
    lines.setCurrentIndex(Viewer().Model().index(0));
    QApplication::processEvents();
    ASSERT_TRUE(lines.hasFocus());

    Key(Qt::Key_PageDown);
    EXPECT_EQ(view->CurrentPage(), 1);
    const int afterPageDown = Viewer().CurrentLine();
    EXPECT_GT(afterPageDown, 1);
    Key(Qt::Key_End);
    EXPECT_EQ(Viewer().CurrentLine(), Viewer().LineCount() - 1);
    Key(Qt::Key_PageUp);
    EXPECT_LT(Viewer().CurrentLine(), Viewer().LineCount() - 1);
    Key(Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(Viewer().CurrentLine(), 0);
    EXPECT_EQ(view->CurrentPage(), 1);

    view->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(view->hasFocus());
    Key(Qt::Key_End);
    EXPECT_EQ(view->CurrentPage(), view->PageCount());
    Key(Qt::Key_PageUp);
    EXPECT_EQ(view->CurrentPage(), view->PageCount() - 1);
    Key(Qt::Key_Home);
    EXPECT_EQ(view->CurrentPage(), 1);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(view->CurrentPage(), 2);
    EXPECT_EQ(Viewer().CurrentLine(), 0);
}

TEST_F(LinkedViewsTest, GoToStationTakesKilometresAndAsksAgainAfterAStationOutsideTheRun)
{
    CKurvexView* view = OpenWithViewer("pm01bs02_sample.pbs");
    ASSERT_NE(view, nullptr);
    const RunExtent run = RunExtentOf(view->Document().Run());
    const QString beyond = ToQString(StationKmUnitText(run.lastStation + 1000));  // "…,…… km"
    const QString last = ToQString(StationKmUnitText(run.lastStation));

    std::vector<QString> shownTexts;
    int asked = 0;
    std::function<void(QDialog&)> answer = [&](QDialog& modal) {
        auto* dialog = qobject_cast<QInputDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        shownTexts.push_back(dialog->textValue());
        ++asked;
        if (asked == 1) {
            dialog->setTextValue(beyond);
        } else {
            // Asked again with the answer kept, mended here.
            dialog->setTextValue(last);
        }
        if (asked == 1)
            test::AnswerNextModal(answer);  // the message comes between: answered by the interaction
        dialog->accept();
    };
    test::AnswerNextModal(answer);
    Frame().Action(Command::GoToStation)->trigger();
    ASSERT_EQ(asked, 2);
    EXPECT_EQ(shownTexts[1], beyond);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_NE(m_messages[0].text.find("au\xDF"
                                      "erhalb der Messfahrt"),
              std::string::npos)
        << m_messages[0].text;
    EXPECT_EQ(view->CurrentPage(), view->PageCount());
    EXPECT_EQ(view->Document().PickedStations().Get(0), std::to_string(run.lastStation));

    // Cancelled after a wrong answer: nothing more.
    m_messages.clear();
    asked = 0;
    test::AnswerNextModal([&](QDialog& modal) {
        ++asked;
        auto* dialog = qobject_cast<QInputDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        dialog->setTextValue(QStringLiteral("12 Meter"));
        test::AnswerNextModal([&](QDialog& again) {
            ++asked;
            EXPECT_EQ(qobject_cast<QInputDialog*>(&again)->textValue(), QStringLiteral("12 Meter"));
            again.reject();
        });
        dialog->accept();
    });
    Frame().Action(Command::GoToStation)->trigger();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(m_messages.size(), 1u);
}

TEST_F(LinkedViewsTest, TheChartSaysRunPageAndStationsToScreenReaders)
{
    CKurvexView* view = OpenWithViewer("pm01bs02_sample.pbs");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->accessibleName(), QStringLiteral("Diagramm"));
    const auto expected = [&] {
        return QString::fromStdString(
            ChartPageDescription("pm01bs02_sample.pbs", view->Painter().View(), RunExtentOf(view->Document().Run())));
    };
    EXPECT_TRUE(view->accessibleDescription().startsWith(QStringLiteral("Messfahrt pm01bs02_sample.pbs, Seite 1 von ")))
        << view->accessibleDescription().toStdString();
    EXPECT_EQ(view->accessibleDescription(), expected());
    view->PageForward();
    EXPECT_TRUE(view->accessibleDescription().contains(QStringLiteral("Seite 2 von ")));
    EXPECT_EQ(view->accessibleDescription(), expected());
    view->ToggleStrips();
    view->viewport()->repaint();
    EXPECT_EQ(view->accessibleDescription(), expected());
}

TEST(AccessibleToolBar, ToolbarButtonsAreNamedAfterTheirCommandsAlsoWhenAddedLater)
{
    struct Case {
        const char* text;
        const char* toolTip;
        const char* name;
    };
    const Case cases[] = {
        {"Ö&ffnen...\tStrg+O", "Öffnen", "Öffnen"},
        {"Ö&ffnen...\tStrg+O", "", "Öffnen"},
        {"&Gehe zu Station ...\tStrg+G", "", "Gehe zu Station"},
        {"Drucken && Vorschau", "", "Drucken & Vorschau"},
        {"Nächste Überschreitung\tF3", "", "Nächste Überschreitung"},
    };
    QToolBar bar;
    std::vector<QAction*> actions;
    for (const Case& c : cases) {
        auto* action = new QAction(QString::fromUtf8(c.text), &bar);
        if (*c.toolTip)
            action->setToolTip(QString::fromUtf8(c.toolTip));
        EXPECT_EQ(AccessibleNameOfAction(*action), QString::fromUtf8(c.name)) << c.text;
        actions.push_back(action);
    }
    bar.addAction(actions[0]);
    MakeToolBarAccessible(bar);
    EXPECT_EQ(bar.widgetForAction(actions[0])->accessibleName(), QStringLiteral("Öffnen"));
    for (size_t i = 1; i < actions.size(); ++i)
        bar.addAction(actions[i]);
    QApplication::processEvents();
    for (size_t i = 0; i < actions.size(); ++i)
        EXPECT_EQ(bar.widgetForAction(actions[i])->accessibleName(), QString::fromUtf8(cases[i].name)) << i;
    // And the button for those a narrow window has no room for.
    for (QToolButton* button : bar.findChildren<QToolButton*>())
        EXPECT_FALSE(button->accessibleName().isEmpty()) << button->objectName().toStdString();
}

// A screen reader toggles the checkable button instead of clicking it.
TEST_F(LinkedViewsTest, TheFileViewerButtonToggledByAScreenReaderShowsTheViewer)
{
    ASSERT_NE(OpenWithViewer("pm01bs02_sample.pbs"), nullptr);
    Frame().Action(Command::ToggleFileViewer)->trigger();  // hidden again
    ASSERT_FALSE(Frame().FileViewerShown());
    auto* bar = Frame().findChild<QToolBar*>(QStringLiteral("toolBar"));
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(Frame().Action(Command::ToggleFileViewer)));
    ASSERT_NE(button, nullptr);
    button->toggle();
    EXPECT_TRUE(Frame().FileViewerShown());
    EXPECT_TRUE(Viewer().isVisible());
    button->toggle();
    EXPECT_FALSE(Frame().FileViewerShown());
}

TEST_F(LinkedViewsTest, TheGridButtonToggledByAScreenReaderTogglesTheGrid)
{
    CKurvexView* view = Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs"));
    ASSERT_NE(view, nullptr);
    ASSERT_FALSE(view->TwoMetreGrid());
    auto* bar = Frame().findChild<QToolBar*>(QStringLiteral("toolBar"));
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(Frame().Action(Command::TwoMetreGrid)));
    ASSERT_NE(button, nullptr);
    button->toggle();
    EXPECT_TRUE(view->TwoMetreGrid());
    button->toggle();
    EXPECT_FALSE(view->TwoMetreGrid());
    // A click still toggles it once.
    Frame().Action(Command::TwoMetreGrid)->trigger();
    EXPECT_TRUE(view->TwoMetreGrid());
    EXPECT_TRUE(Frame().Action(Command::TwoMetreGrid)->isChecked());
}

}  // namespace
}  // namespace kurvex
