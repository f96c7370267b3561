// The overview below the charts, the exceedance steps (F3, Shift+F3) and the
// exceedance list that stays open, over the sample run.

#include "chart/ui/KurvexView.h"
#include "common/ui/QtText.h"
#include "document/KurvexDoc.h"
#include "shell/Commands.h"
#include "shell/ExceedanceDock.h"
#include "shell/KurvexApp.h"
#include "shell/MainFrame.h"
#include "shell/OverviewDock.h"
#include "support/DocumentHelpers.h"
#include "ui/support/GuiTestSupport.h"
#include "ui/support/ProgramFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QDockWidget>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace kurvex {
namespace {

using test::Sample;

class NavigationDocksTest : public test::ProgramTest {
protected:
    void SetUp() override
    {
        test::ClearSettings();
        Start();
    }
    // The program started anew, its window shown at a usual size.
    void Start()
    {
        ASSERT_TRUE(StartProgram());
        Frame().resize(1280, 800);
        Frame().show();
        QCoreApplication::processEvents();
    }
    // The whole text of status pane 0 (the pane shows it cut to its width).
    QString Pane0() { return Frame().StatusPane(0)->toolTip(); }
    std::string Newest(CKurvexView* view) { return view->Document().PickedStations().Get(0); }
};

TEST_F(NavigationDocksTest, StepsThroughTheExceedancesInRunDirection)
{
    CKurvexView* view = Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs"));
    ASSERT_NE(view, nullptr);
    const int count = view->Document().Exceedances().ExceedanceCount();
    ASSERT_GT(count, 8);
    const QString of = QStringLiteral(" von %1: ").arg(count);

    // Nothing picked: from the page's start, the first one is next; there is none before it.
    QTest::keyClick(view, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(Pane0(), U("Keine vorherige Überschreitung in Fahrtrichtung."));
    EXPECT_TRUE(Newest(view).empty());
    QTest::keyClick(view, Qt::Key_F3);
    EXPECT_EQ(Pane0(), U("Überschreitung 1") + of + U("Station 12,3470 km, p 1 mm, p² 1 mm²"));
    EXPECT_EQ(Newest(view), "123470");
    // Its station is now the newest pick: the next step goes beyond it, with its remark.
    Frame().Action(Command::NextExceedance)->trigger();
    Frame().Action(Command::NextExceedance)->trigger();
    EXPECT_EQ(Pane0(), U("Überschreitung 3") + of + U("Station 12,3550 km, p 1 mm, p² 1 mm², Schachtdeckel"));
    EXPECT_EQ(Newest(view), "123550");
    // One that does not count says so before its remark.
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(view, Qt::Key_F3);
    EXPECT_EQ(Pane0(), U("Überschreitung 7") + of +
                           U("Station 12,4040 km, p 2 mm, p² 4 mm², zählt nicht, Fremdleitung, nicht Auftragnehmer"));
    QTest::keyClick(view, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_TRUE(Pane0().startsWith(U("Überschreitung 6") + of));

    // To the last one and no farther; its page is shown.
    for (int i = 0; i < count; ++i)
        QTest::keyClick(view, Qt::Key_F3);
    EXPECT_EQ(Pane0(), U("Keine weitere Überschreitung in Fahrtrichtung."));
    UEBERSCHREITUNG last;
    view->Document().Exceedances().ExceedanceCopy(count - 1, last);
    EXPECT_EQ(Newest(view), std::to_string(last.station));
    EXPECT_EQ(view->CurrentPage(), view->PageCount());
    // Paged away from the pick, a step starts at the page on screen.
    view->PageBack();
    QTest::keyClick(view, Qt::Key_F3);
    EXPECT_TRUE(Pane0().startsWith(U("Überschreitung 1") + of)) << Pane0().toStdString();
    // Hovering a command shows its prompt; leaving it brings the exceedance's text back.
    const QString reached = Pane0();
    QStatusTipEvent hover(U("Zeigt die nächste Diagrammseite."));
    QApplication::sendEvent(&Frame(), &hover);
    EXPECT_EQ(Pane0(), U("Zeigt die nächste Diagrammseite."));
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(&Frame(), &leave);
    EXPECT_EQ(Pane0(), reached);
}

TEST_F(NavigationDocksTest, OverviewFollowsTheActiveRunAndShowsPages)
{
    COverviewDock* dock = Frame().OverviewDock();
    ASSERT_NE(dock, nullptr);
    EXPECT_EQ(dock->windowTitle(), U("Übersicht"));
    EXPECT_TRUE(dock->isVisible());
    EXPECT_TRUE(Frame().Action(Command::ToggleOverview)->isChecked());
    EXPECT_EQ(Frame().dockWidgetArea(dock), Qt::BottomDockWidgetArea);

    CKurvexView* view = Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs"));
    ASSERT_NE(view, nullptr);
    ASSERT_GT(view->PageCount(), 1);
    COverviewStrip* strip = dock->Strip();
    EXPECT_EQ(strip->View(), view);
    strip->repaint();
    EXPECT_EQ(strip->ColumnCount(), strip->StripRect().width());

    // A click near the right end shows the last page, one at the left end the first.
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(strip->StripRect().right() - 1, strip->height() / 2));
    EXPECT_EQ(view->CurrentPage(), view->PageCount());
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(strip->StripRect().left(), strip->height() / 2));
    EXPECT_EQ(view->CurrentPage(), 1);
    // The wheel and the arrow keys page; nothing gets picked.
    const QPointF at(10, 10);
    QWheelEvent down(at, strip->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                     false);
    QApplication::sendEvent(strip, &down);
    EXPECT_EQ(view->CurrentPage(), 2);
    QTest::keyClick(strip, Qt::Key_Left);
    EXPECT_EQ(view->CurrentPage(), 1);
    QTest::keyClick(strip, Qt::Key_End);
    EXPECT_EQ(view->CurrentPage(), view->PageCount());
    EXPECT_TRUE(view->Document().PickedStations().Get(0).empty());
    EXPECT_TRUE(strip->accessibleDescription().startsWith(QStringLiteral("Seite %1 von").arg(view->PageCount())));

    // Another run's window brings its run; with no window left there is none.
    CKurvexView* other = Frame().OpenDocumentFile(Sample("pm01bs02_compare.pbs"));
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(strip->View(), other);
    const std::weak_ptr<CKurvexDoc> first = view->SharedDocument();
    const std::weak_ptr<CKurvexDoc> second = other->SharedDocument();
    Frame().MdiArea()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(strip->View(), nullptr);
    // Neither dock keeps a closed run.
    EXPECT_TRUE(first.expired());
    EXPECT_TRUE(second.expired());

    // The command hides it; the saved window state keeps that for the next start.
    Frame().Action(Command::ToggleOverview)->trigger();
    EXPECT_FALSE(dock->isVisible());
    Frame().close();
    m_app.reset();
    Start();
    EXPECT_FALSE(Frame().OverviewDock()->isVisible());
    EXPECT_FALSE(Frame().Action(Command::ToggleOverview)->isChecked());
}

TEST_F(NavigationDocksTest, ExceedanceListGroupsFiltersAndShowsTheChosenOne)
{
    CExceedanceDock* dock = Frame().ExceedanceDock();
    ASSERT_NE(dock, nullptr);
    EXPECT_EQ(dock->windowTitle(), U("Überschreitungen"));
    EXPECT_FALSE(dock->isVisible());
    EXPECT_FALSE(Frame().Action(Command::ToggleExceedanceList)->isChecked());
    CKurvexView* view = Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs"));
    ASSERT_NE(view, nullptr);
    // Hidden, it reads nothing.
    EXPECT_EQ(dock->Model()->rowCount(), 0);

    Frame().Action(Command::ToggleExceedanceList)->trigger();
    ASSERT_TRUE(dock->isVisible());
    CExceedanceTreeModel* model = dock->Model();
    ASSERT_EQ(model->rowCount(), 3);  // the sample's three sections
    // The lines come first, the report's figures right after.
    EXPECT_EQ(model->index(0, 0).data().toString(), U("Abschnitt 1"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(model->index(0, 0).data().toString().startsWith(U("Abschnitt 1   Teilstrecke Summe p²: ")));
    EXPECT_EQ(model->index(1, 0).data().toString(), U("Abschnitt 2   keine Auswertung"));
    int lines = 0;
    for (int g = 0; g < model->rowCount(); ++g)
        lines += model->rowCount(model->index(g, 0));
    EXPECT_EQ(lines, view->Document().Exceedances().ExceedanceCount() + 2);  // and the two excluded ranges
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), U("Abschnitt"));
    EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), U("Station [m]"));

    // The filter narrows to a remark; Return on the line shows it as F3 would.
    dock->FilterField()->setText(QStringLiteral("schacht"));
    ASSERT_EQ(model->rowCount(), 1);
    const QModelIndex line = model->index(0, 3, model->index(0, 0));
    EXPECT_EQ(line.data().toString(), QStringLiteral("12355.0"));
    dock->Tree()->setFocus();
    dock->Tree()->setCurrentIndex(line);
    QTest::keyClick(dock->Tree(), Qt::Key_Return);
    EXPECT_EQ(Newest(view), "123550");
    EXPECT_TRUE(Pane0().startsWith(U("Überschreitung 3 von ")));
    // A range's line shows the range.
    dock->FilterField()->setText(QStringLiteral("baustellen"));
    ASSERT_EQ(model->rowCount(), 1);
    const QModelIndex range = model->index(0, 1, model->index(0, 0));
    QTest::mouseClick(dock->Tree()->viewport(), Qt::LeftButton, {}, dock->Tree()->visualRect(range).center());
    EXPECT_EQ(Newest(view), "123850");
    EXPECT_TRUE(Pane0().startsWith(U("Bereich ohne Überschreitungsauswertung: Station 12,3850 km")));

    // "nur zählende" leaves out the ranges and the struck exceedances.
    dock->FilterField()->clear();
    dock->OnlyCounting()->setChecked(true);
    int counting = 0;
    for (int g = 0; g < model->rowCount(); ++g) {
        const QModelIndex group = model->index(g, 0);
        for (int r = 0; r < model->rowCount(group); ++r) {
            EXPECT_FALSE(model->index(r, 1, group).data(Qt::FontRole).value<QFont>().strikeOut());
            ++counting;
        }
    }
    EXPECT_LT(counting, lines - 2);
    // F3 selects the reached exceedance's line.
    dock->OnlyCounting()->setChecked(false);
    QTest::keyClick(view, Qt::Key_F3);
    const QModelIndex current = dock->Tree()->currentIndex();
    ASSERT_TRUE(current.isValid());
    EXPECT_EQ(current.sibling(current.row(), 3).data().toString().toStdString(),
              std::to_string(std::stoi(Newest(view)) / 10) + "." + std::to_string(std::stoi(Newest(view)) % 10));

    // Its own close button switches it off like the command.
    dock->close();
    EXPECT_FALSE(Frame().Action(Command::ToggleExceedanceList)->isChecked());
}

// Both docks with the keyboard alone: reached by their commands, worked with
// their keys, Escape back to the chart.
TEST_F(NavigationDocksTest, BothDocksWorkWithTheKeyboardAlone)
{
    CKurvexView* view = Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs"));
    ASSERT_NE(view, nullptr);
    Frame().activateWindow();
    view->setFocus();
    // Tab stays inside the chart window, as in any MDI child; shown by its
    // command, the overview takes the keyboard.
    COverviewStrip* strip = Frame().OverviewDock()->Strip();
    Frame().Action(Command::ToggleOverview)->trigger();
    EXPECT_FALSE(strip->isVisible());
    Frame().Action(Command::ToggleOverview)->trigger();
    ASSERT_EQ(QApplication::focusWidget(), strip);
    QTest::keyClick(strip, Qt::Key_Right);
    EXPECT_EQ(view->CurrentPage(), 2);
    QTest::keyClick(strip, Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), view);

    // The command shows the list with the keyboard in it; Return shows the current line.
    Frame().Action(Command::ToggleExceedanceList)->trigger();
    CExceedanceDock* dock = Frame().ExceedanceDock();
    EXPECT_EQ(QApplication::focusWidget(), dock->Tree());
    // The list starts at its first section row; two lines down is exceedance 2.
    QTest::keyClick(dock->Tree(), Qt::Key_Down);
    QTest::keyClick(dock->Tree(), Qt::Key_Down);
    QTest::keyClick(dock->Tree(), Qt::Key_Return);
    EXPECT_TRUE(Pane0().startsWith(U("Überschreitung 2 von "))) << Pane0().toStdString();
    // Alt+L goes to the filter, Tab on to "nur zählende" and the list.
    QTest::keyClick(&Frame(), Qt::Key_L, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), dock->FilterField());
    QTest::keyClicks(dock->FilterField(), QStringLiteral("flick"));
    QTest::keyClick(dock->FilterField(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dock->OnlyCounting());
    QTest::keyClick(dock->OnlyCounting(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dock->Tree());
    QTest::keyClick(dock->Tree(), Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), view);

    // What a screen reader says of the docks' controls.
    for (QDockWidget* shown : {static_cast<QDockWidget*>(Frame().OverviewDock()), static_cast<QDockWidget*>(dock)}) {
        EXPECT_FALSE(shown->accessibleName().isEmpty());
        for (QWidget* control : shown->findChildren<QWidget*>()) {
            if (control->focusPolicy() != Qt::NoFocus && control->isVisible())
                EXPECT_FALSE(control->accessibleName().isEmpty() && !qobject_cast<QAbstractButton*>(control))
                    << control->metaObject()->className();
        }
        for (QAbstractButton* button : shown->findChildren<QAbstractButton*>())
            EXPECT_FALSE(button->accessibleName().isEmpty() && button->text().isEmpty())
                << button->metaObject()->className() << " " << button->objectName().toStdString() << " in "
                << button->parentWidget()->metaObject()->className();
    }
}

}  // namespace
}  // namespace kurvex
