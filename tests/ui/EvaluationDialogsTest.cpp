// The evaluation dialogs on the sample run: the evaluation list, the section
// list with the section dialog, and the excluded-range dialog.

#include "chart/LabelTable.h"
#include "common/ui/ExListCtrl.h"
#include "common/ui/Label.h"
#include "document/MemorySettingsStore.h"
#include "evaluation/ui/AuswertungDlg.h"
#include "evaluation/ui/BereichOhneErkennungDlg.h"
#include "evaluation/ui/BreiteAendernDlg.h"
#include "evaluation/ui/BreitenaendernDlg.h"
#include "evaluation/ui/DialogUnits.h"
#include "evaluation/ui/EvaluationDialogs.h"
#include "render/ChartRendering.h"
#include "support/DocumentHelpers.h"
#include "ui/support/GuiTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace kurvex {
namespace {

using test::AnswerNextModal;

class EvaluationDialogs : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(test::OpenSample(doc, "pm01bs02_sample.pbs"), OpenResult::Opened); }

    QString Text(const CEvaluationListModel& model, int row, int column) const
    {
        return model.data(model.index(row, column)).toString();
    }
    QStringList Column(const CEvaluationListModel& model, int column) const
    {
        QStringList texts;
        for (int row = 0; row < model.rowCount(); ++row)
            texts << Text(model, row, column);
        return texts;
    }

    CKurvexDoc doc;
    MemorySettingsStore settings;
};

// --- Evaluation list ------------------------------------------------------------------------

TEST_F(EvaluationDialogs, TheEvaluationListGroupsTheSampleBySectionWithItsExcludedRanges)
{
    CAuswertungDlg dialog(doc, settings);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Auswertung Überschreitungen und Abzüge"));
    const CEvaluationListModel& model = *dialog.Model();
    ASSERT_EQ(model.columnCount(), 9);
    const QStringList headings{"Nr.", "Seite", "Station [m]", "Breite", "Messwert [mm]", "p [mm]", "p² [mm]",
                               "Geschw. [km/h]", "Bemerkung"};
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(model.headerData(c, Qt::Horizontal).toString(), headings[c]);
    // Widths made for the classic 8-point dialog font, grown with the font in use.
    const std::vector<int> widths = dialog.List()->ColumnWidths();
    EXPECT_EQ(widths, ScaledColumnWidths(*dialog.List(), {40, 0, 100, 40, 90, 50, 50, 100, 270}));
    EXPECT_EQ(widths[1], 0);  // "Seite" waits for the user to widen it
    const QFontMetrics metrics(dialog.List()->font());
    EXPECT_GE(widths[2], metrics.horizontalAdvance(QStringLiteral("12385.0 - 12397.0")) + 3);

    // 41 exceedances in three sections (17, 10, 14), a blank line after each
    // group, and the two excluded ranges before the exceedances they precede.
    ASSERT_EQ(model.rowCount(), 46);
    const QStringList nr = Column(model, 0);
    EXPECT_EQ(nr.mid(0, 8), (QStringList{"1", "2", "3", "4", "5", "6", "7", "7"}));
    EXPECT_EQ(nr[18], QString());  // blank line after section 1
    EXPECT_EQ(Text(model, 6, 2), QStringLiteral("12385.0 - 12397.0"));
    EXPECT_EQ(Text(model, 6, 5), QStringLiteral("--"));
    EXPECT_EQ(Text(model, 6, 8), QStringLiteral("Baustellenzufahrt"));
    EXPECT_FALSE(model.data(model.index(6, 0), kLineCountsRole).toBool());
    // The exceedance at 12404.0 m does not count; the one before counts.
    EXPECT_EQ(Text(model, 7, 2), QStringLiteral("12404.0"));
    EXPECT_FALSE(model.data(model.index(7, 0), kLineCountsRole).toBool());
    EXPECT_TRUE(model.data(model.index(5, 0), kLineCountsRole).toBool());
    EXPECT_EQ(Text(model, 7, 8), QStringLiteral("Fremdleitung, nicht Auftragnehmer"));
    // Lane widths of the sections; the remark of two lines on one line; no speed.
    EXPECT_EQ(Text(model, 0, 3), QStringLiteral("3.50"));
    EXPECT_EQ(Text(model, 20, 3), QStringLiteral("3.75"));
    EXPECT_EQ(Text(model, 2, 8), QStringLiteral("Schachtdeckel Höhenlage prüfen"));
    EXPECT_EQ(Text(model, 0, 7), QString());
    EXPECT_EQ(Text(model, 0, 4), QStringLiteral("2.8"));
    EXPECT_EQ(Text(model, 5, 6), QStringLiteral("25"));
    // The second range, with its line break, before exceedance 35 in section 3.
    const int secondRange = static_cast<int>(nr.indexOf(QStringLiteral("35")));
    EXPECT_EQ(Text(model, secondRange, 2), QStringLiteral("12655.0 - 12663.0"));
    EXPECT_EQ(Text(model, secondRange, 8), QStringLiteral("Schieber Wasserleitung"));
    EXPECT_EQ(Text(model, model.rowCount() - 1, 2), QString());
}

TEST_F(EvaluationDialogs, TheSeiteColumnShowsThePagesTheChartGaveTheExceedances)
{
    {
        CAuswertungDlg before(doc, settings);
        EXPECT_EQ(Text(*before.Model(), 0, 1), QString());  // no chart drawn yet
    }
    CLabelTable labels;
    ExceedancePageFlag pageFlag;
    RenderScreenChartPage(doc, labels, pageFlag, 1, ChartRenderSettings{}, 30.0);

    CAuswertungDlg dialog(doc, settings);
    const CEvaluationListModel& model = *dialog.Model();
    QStringList pages;
    UEBERSCHREITUNG record;
    for (int row = 0, i = 0; row < model.rowCount(); ++row) {
        if (model.List().Line(row).kind != EvaluationLineKind::Exceedance)
            continue;
        doc.Exceedances().ExceedanceCopy(i++, record);
        EXPECT_EQ(Text(model, row, 1), QString::number(record.seite)) << row;
        pages << Text(model, row, 1);
    }
    EXPECT_TRUE(pages.contains("1"));
    EXPECT_TRUE(pages.contains("2"));
}

TEST_F(EvaluationDialogs, DoubleClickAndF7ChangeNothing)
{
    CAuswertungDlg dialog(doc, settings);
    dialog.show();
    QTreeView* list = dialog.List();
    const QModelIndex first = dialog.Model()->index(0, 2);
    const QString before = first.data().toString();
    const QRect cell = list->visualRect(first);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::keyClick(list, Qt::Key_F7);
    QTest::keyClick(&dialog, Qt::Key_F7);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Model()->rowCount(), 46);
    EXPECT_EQ(first.data().toString(), before);
    EXPECT_EQ(doc.Exceedances().ExceedanceCount(), 41);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(EvaluationDialogs, TenThousandExceedancesFormatOnlyTheLinesOnScreen)
{
    std::string exceedances;
    for (int i = 0; i < 10000; ++i)
        exceedances += "[" + std::to_string(123450 + i % 3990) + ";50;1;0;0;1;;5.0;;]";
    doc.Exceedances().Load(exceedances, "", "");
    CAuswertungDlg dialog(doc, settings);
    dialog.show();
    QApplication::processEvents();
    const CEvaluationListModel& model = *dialog.Model();
    EXPECT_EQ(model.rowCount(), 10000 + 3 + 2);
    EXPECT_GT(model.FormattedRowCount(), 0);
    EXPECT_LT(model.FormattedRowCount(), 200);
    dialog.List()->scrollToBottom();
    dialog.List()->viewport()->grab();
    EXPECT_LT(model.FormattedRowCount(), 400);
}

TEST_F(EvaluationDialogs, TheHiddenSeiteColumnIsWidenedByDraggingItsBorder)
{
    CAuswertungDlg dialog(doc, settings);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QHeaderView* header = dialog.List()->header();
    ASSERT_EQ(header->sectionSize(1), 0);
    // The border between "Nr." and "Station [m]" is also the one of "Seite".
    const int border = header->sectionViewportPosition(2);
    const int y = header->height() / 2;
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(border + 1, y));
    QTest::mouseMove(header->viewport(), QPoint(border + 31, y));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(border + 31, y));
    EXPECT_EQ(header->sectionSize(1), 30);
    EXPECT_EQ(header->sectionSize(0), ScaledColumnWidths(*dialog.List(), {40})[0]);
}

TEST_F(EvaluationDialogs, TheEvaluationListKeepsItsColumnLayout)
{
    {
        CAuswertungDlg dialog(doc, settings);
        dialog.List()->header()->resizeSection(1, 45);
        dialog.reject();
        std::vector<int> widths = ScaledColumnWidths(*dialog.List(), {40, 0, 100, 40, 90, 50, 50, 100, 270});
        widths[1] = 45;
        std::string stored;
        for (int w : widths)
            stored += std::to_string(w) + ";";
        EXPECT_EQ(settings.GetText("Spaltenbreiten", "AuswertungDlg", ""), stored);
    }
    CAuswertungDlg reopened(doc, settings);
    EXPECT_EQ(reopened.List()->header()->sectionSize(1), 45);
}

// --- Section list ---------------------------------------------------------------------------

TEST_F(EvaluationDialogs, TheSectionListShowsEvaluatedAndNotEvaluatedSections)
{
    CBreitenaendernDlg dialog(doc, settings);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Streckenabschnitte bearbeiten"));
    QAbstractItemModel* model = dialog.List()->model();
    ASSERT_EQ(model->rowCount(), 3);
    const auto row = [&](int r) {
        QStringList texts;
        for (int c = 0; c < model->columnCount(); ++c)
            texts << model->index(r, c).data().toString();
        return texts;
    };
    // The first section is evaluated; its statistics were computed when the run opened.
    const QStringList first = row(0);
    EXPECT_EQ(first.mid(0, 8), (QStringList{"12345.0", "12478.0", "ja", "350", "2.7", "1.0", "2,50",
                                            "Asphaltbeton AC 11 DS"}));
    EXPECT_EQ(row(1), (QStringList{"12478.0", "12611.0", "nein", "", "", "", "", "", "", ""}));
    EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("ausw.?"));
    EXPECT_EQ(model->index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
    EXPECT_EQ(model->index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_EQ(model->index(0, 7).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
              Qt::AlignLeft);
    EXPECT_EQ(dialog.List()->ColumnWidths(),
              ScaledColumnWidths(*dialog.List(), {50, 50, 50, 70, 80, 60, 70, 80, 80, 80}));
    EXPECT_FALSE(dialog.NewButton()->isEnabled());
    EXPECT_TRUE(dialog.EditButton()->isEnabled());
}

// A motorway run far from its zero point: the stations of the sections are
// shown whole, not cut off at the widths made for a few kilometres.
TEST(SectionList, SixDigitStationsAreShownWhole)
{
    const std::string path = test::TempFolder("section_list_widths") + "/km250.pbs";
    std::string bytes = "PM01BS02\r\n***\r\n";
    for (int i = 0; i < 50; ++i)
        bytes += test::Pm01bs02Record(1.0, 250.0 + i * 0.001, 3.5);
    test::WriteWholeFile(path, bytes + "***\r\n");
    CKurvexDoc far;
    test::ScriptedInteraction interaction;
    ASSERT_EQ(far.Open(path, CEinstellungen(), interaction), OpenResult::Opened);
    MemorySettingsStore store;
    CBreitenaendernDlg dialog(far, store);
    dialog.show();
    CPersListCtrl& list = *dialog.List();
    ASSERT_GT(list.model()->rowCount(), 0);
    EXPECT_EQ(list.model()->index(0, 0).data().toString(), QStringLiteral("250000.0"));
    // What the list itself needs to show the texts of a column whole.
    const QAbstractItemView& view = list;
    for (int column : {0, 1})
        EXPECT_GE(list.columnWidth(column), view.sizeHintForColumn(column)) << column;
}

TEST_F(EvaluationDialogs, EditOpensTheSelectedSectionAndNothingWithoutSelection)
{
    CBreitenaendernDlg dialog(doc, settings);
    int shown = 0;
    std::string position;
    bool readOnly = false;
    dialog.SetSectionDialogRunner([&](CBreiteAendernDlg& section) {
        ++shown;
        position = section.PositionEdit()->text().toStdString();
        readOnly = section.PositionEdit()->isReadOnly();
    });
    dialog.EditButton()->click();
    EXPECT_EQ(shown, 0);

    dialog.List()->setCurrentIndex(dialog.List()->model()->index(2, 0));
    dialog.EditButton()->click();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(position, "12611.0");
    EXPECT_FALSE(readOnly);

    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QRect first = dialog.List()->visualRect(dialog.List()->model()->index(0, 0));
    QTest::mouseClick(dialog.List()->viewport(), Qt::LeftButton, {}, first.center());
    QTest::mouseDClick(dialog.List()->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(position, "12345.0");
    EXPECT_TRUE(readOnly);
}

TEST_F(EvaluationDialogs, OkOfTheSectionListAppliesTheSectionsAndStoresTheRunStatistics)
{
    doc.State().SetText("STATGES", "");
    const std::string sections = doc.State().SectionsText();
    AnswerNextModal([](QDialog& dialog) { dialog.accept(); });
    EXPECT_TRUE(ShowSectionsDialog(nullptr, doc, settings));
    EXPECT_EQ(doc.State().SectionsText(), sections);
    EXPECT_FALSE(doc.State().RunStatisticsText().empty());

    doc.State().SetText("STATGES", "");
    AnswerNextModal([](QDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(ShowSectionsDialog(nullptr, doc, settings));
    EXPECT_EQ(doc.State().GetText("STATGES", "-"), "");
}

// --- Section dialog -------------------------------------------------------------------------

TEST_F(EvaluationDialogs, TheSectionDialogShowsEverythingDisabledButCancel)
{
    doc.PickedStations().Push("124000");
    doc.PickedStations().Push("125003");
    CBreiteAendernDlg dialog("124780|375|27|10|1.0|2,5|0||44.2|1.1|2.5", false, doc.PickedStations().Get(0),
                             doc.PickedStations().Get(1), "Beton");
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Streckenabschnitt bearbeiten"));
    EXPECT_EQ(dialog.PositionEdit()->text(), QStringLiteral("12478.0"));
    EXPECT_FALSE(dialog.PositionEdit()->isReadOnly());
    EXPECT_EQ(dialog.WidthEdit()->text(), QStringLiteral("375"));
    EXPECT_EQ(dialog.LimitEdit()->text(), QStringLiteral("2.7"));
    EXPECT_EQ(dialog.FactorEdit()->text(), QStringLiteral("1.0"));
    EXPECT_EQ(dialog.PriceEdit()->text(), QStringLiteral("2,5"));
    EXPECT_FALSE(dialog.EvaluateCheck()->isChecked());
    EXPECT_EQ(dialog.SurfaceEdit()->text(), QStringLiteral("Beton"));
    EXPECT_EQ(dialog.SurfaceList()->count(), 41);
    EXPECT_EQ(dialog.SurfaceList()->itemText(0), QStringLiteral("Standard"));
    EXPECT_EQ(dialog.SurfaceList()->currentText(), QStringLiteral("Beton"));
    EXPECT_EQ(dialog.SpeedEdit()->text(), QStringLiteral("44.2"));
    EXPECT_EQ(dialog.VarKEdit()->text(), QStringLiteral("2.5"));
    EXPECT_EQ(dialog.Hint()->TextColor(), QColor(0, 0, 191));
    EXPECT_TRUE(dialog.Hint()->text().startsWith(QStringLiteral("Hinweis: \nVermeiden Sie")));

    for (QWidget* w : std::initializer_list<QWidget*>{dialog.EvaluateCheck(), dialog.WidthEdit(), dialog.LimitEdit(),
                                                      dialog.FactorEdit(), dialog.PriceEdit(), dialog.SurfaceEdit(),
                                                      dialog.SurfaceList(), dialog.OkButton()})
        EXPECT_FALSE(w->isEnabled()) << w->metaObject()->className();
    EXPECT_TRUE(dialog.CancelButton()->isEnabled());
    EXPECT_TRUE(dialog.SpeedEdit()->isReadOnly());
    EXPECT_TRUE(dialog.VarKEdit()->isReadOnly());

    // Enter does nothing while OK is disabled; Abbrechen closes.
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    dialog.CancelButton()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(EvaluationDialogs, StationButtonsTakeThePickedStationsAndReformatTheFields)
{
    CBreiteAendernDlg dialog("124780|375|27|10|1,5|2.456|1||||", false, "125003", "", "");
    EXPECT_EQ(dialog.StationButton(0)->text(), QStringLiteral("<   12500.3"));
    EXPECT_TRUE(dialog.StationButton(0)->isEnabled());
    EXPECT_FALSE(dialog.StationButton(0)->isHidden());
    EXPECT_FALSE(dialog.StationButton(1)->isEnabled());  // only one station picked
    EXPECT_FALSE(dialog.StationButton(1)->isHidden());

    dialog.StationButton(0)->click();
    EXPECT_EQ(dialog.PositionEdit()->text(), QStringLiteral("12500.3"));
    EXPECT_EQ(dialog.FactorEdit()->text(), QStringLiteral("1.50"));
    EXPECT_EQ(dialog.PriceEdit()->text(), QStringLiteral("2.46"));
    EXPECT_EQ(dialog.LimitEdit()->text(), QStringLiteral("2.7"));
    EXPECT_EQ(dialog.WidthEdit()->text(), QStringLiteral("375"));
}

TEST_F(EvaluationDialogs, TheFirstSectionKeepsItsPositionAndHasNoStationButtons)
{
    CBreiteAendernDlg dialog("123450|350|27|10|1.0|2,50|1||||", true, "125003", "124000", "");
    EXPECT_TRUE(dialog.PositionEdit()->isReadOnly());
    EXPECT_TRUE(dialog.StationButton(0)->isHidden());
    EXPECT_TRUE(dialog.StationButton(1)->isHidden());
    EXPECT_EQ(dialog.SurfaceList()->currentIndex(), 0);
}

// --- Excluded-range dialog -----------------------------------------------------------------------

TEST_F(EvaluationDialogs, TheExcludedRangeDialogShowsTheRangeInRunDirection)
{
    const BEREICH_OHNE_ERKENNUNG_DATEN range{126630, 126550, "Schieber{{CRLF}}Wasserleitung"};
    CBereichOhneErkennungDlg ascending(range, true);
    EXPECT_EQ(ascending.windowTitle(), QStringLiteral("Bereich ohne Überschreitungsauswertung"));
    EXPECT_EQ(ascending.FromEdit()->text(), QStringLiteral("12655.0"));
    EXPECT_EQ(ascending.ToEdit()->text(), QStringLiteral("12663.0"));
    EXPECT_EQ(ascending.RemarkEdit()->toPlainText(), QStringLiteral("Schieber\nWasserleitung"));
    EXPECT_FALSE(ascending.FromEdit()->isEnabled());
    EXPECT_FALSE(ascending.ToEdit()->isEnabled());
    EXPECT_TRUE(ascending.RemarkEdit()->isReadOnly());
    EXPECT_TRUE(ascending.DeleteCheck()->isHidden());

    CBereichOhneErkennungDlg descending(range, false);
    EXPECT_EQ(descending.FromEdit()->text(), QStringLiteral("12663.0"));
    EXPECT_EQ(descending.ToEdit()->text(), QStringLiteral("12655.0"));
}

TEST_F(EvaluationDialogs, AltClickEntryPointShowsTheRangeAndIgnoresAnIndexOutsideTheList)
{
    QString from;
    AnswerNextModal([&](QDialog& dialog) {
        from = static_cast<CBereichOhneErkennungDlg&>(dialog).FromEdit()->text();
        dialog.accept();
    });
    ShowExcludedRangeDialog(nullptr, doc, 1);
    EXPECT_EQ(from, QStringLiteral("12655.0"));
    // Nothing opens for these; a dialog would block the test.
    ShowExcludedRangeDialog(nullptr, doc, 2);
    ShowExcludedRangeDialog(nullptr, doc, -1);
}

// --- Bad side-file content -----------------------------------------------------------------

TEST_F(EvaluationDialogs, AbsurdStationsAndRemarksOpenEveryDialogWithoutHarm)
{
    const std::string longRemark(5000, 'x');
    doc.State().SetSectionsText("[2147483647|-5|999999999|10|nan|1e308|1|" + longRemark +
                                "||||][-2147483648|0||||||||||][|||||||||||]");
    doc.Exceedances().Load("[2147483647;-2147483648;2147483647;0;0;1;;1e308;;][-2147483648;0;0;0;0;;;nan;;][;;;;;;;;;]",
                           "", "[2147483647\xBF" + longRemark + "{{CRLF}}" + longRemark + "\xBF" "1][-2147483648\xBF\xBF]");
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    doc.ExcludedRanges() = {{kMax, kMin, ""}, {kMin, kMax, longRemark}, {0, 0, "{{CRLF}}"}};
    settings.SetText("Spaltenbreiten", "AuswertungDlg", "-1;2147483647;x;;");
    settings.SetText("Spaltenbreiten", "AuswertungDlgiOrder", "8;8;8;");
    settings.SetText("Spaltenbreiten", "BreitenaendernDlg", "1e9;-0;");

    CAuswertungDlg evaluation(doc, settings);
    evaluation.show();
    evaluation.List()->viewport()->grab();
    const CEvaluationListModel& model = *evaluation.Model();
    for (int row = 0; row < model.rowCount(); ++row)
        for (int column = 0; column < model.columnCount(); ++column)
            model.data(model.index(row, column));
    EXPECT_EQ(evaluation.List()->ColumnWidths()[0], ScaledColumnWidths(*evaluation.List(), {40})[0]);
    EXPECT_EQ(evaluation.List()->ColumnOrder(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));

    CBreitenaendernDlg sections(doc, settings);
    sections.show();
    // A junk stored width leaves the column as the dialog lays it out by itself.
    MemorySettingsStore clean;
    const CBreitenaendernDlg unstored(doc, clean);
    EXPECT_EQ(sections.List()->ColumnWidths()[0], unstored.List()->ColumnWidths()[0]);
    EXPECT_EQ(sections.List()->ColumnWidths()[1], 0);
    sections.SetSectionDialogRunner([](CBreiteAendernDlg& section) {
        section.show();
        section.grab();
        for (int i = 0; i < 2; ++i)
            section.StationButton(i)->click();
    });
    for (int row = 0; row < sections.List()->model()->rowCount(); ++row) {
        sections.List()->setCurrentIndex(sections.List()->model()->index(row, 0));
        sections.EditSelected();
    }

    for (const auto& range : doc.ExcludedRanges()) {
        CBereichOhneErkennungDlg dialog(range, true);
        dialog.show();
        dialog.grab();
    }
}

}  // namespace
}  // namespace kurvex
