// The list controls with a remembered column layout, and the drawing of the
// evaluation list's lines.

#include "common/ui/ColumnLayout.h"
#include "common/ui/ExListCtrl.h"
#include "common/ui/PersListCtrl.h"
#include "document/MemorySettingsStore.h"
#include "shell/QSettingsStore.h"
#include "ui/support/GuiTestSupport.h"

#include <QHeaderView>
#include <QImage>
#include <QStandardItemModel>

#include <gtest/gtest.h>

#include <memory>

namespace kurvex {
namespace {

// --- Reading a stored layout ------------------------------------------------------------

const std::vector<int> kDefaults{40, 0, 100, 40};

TEST(ColumnLayout, StoredValuesAreTakenWhenSaneAndDefaultsOtherwise)
{
    struct Case {
        const char* name;
        const char* widths;
        const char* order;
        std::vector<int> expectedWidths;
        std::vector<int> expectedOrder;
    };
    const Case cases[] = {
        {"nothing stored", "", "", {40, 0, 100, 40}, {0, 1, 2, 3}},
        {"all stored", "10;20;30;40;", "3;2;1;0;", {10, 20, 30, 40}, {3, 2, 1, 0}},
        {"without the last separator", "10;20;30;40", "1;0;2;3", {10, 20, 30, 40}, {1, 0, 2, 3}},
        {"fewer widths: only those, and the order for that many columns", "10;20;", "1;0;3;2;", {10, 20, 100, 40},
         {1, 0, 2, 3}},
        {"fewer widths and an order beyond them is ignored", "10;20;", "3;2;1;0;", {10, 20, 100, 40}, {0, 1, 2, 3}},
        {"an empty field ends the widths", "10;;30;40;", "1;0;2;3;", {10, 0, 100, 40}, {0, 1, 2, 3}},
        {"more widths than columns", "10;20;30;40;50;60;", "0;1;2;3;4;5;", {10, 20, 30, 40}, {0, 1, 2, 3}},
        {"negative width", "-5;20;30;40;", "", {40, 20, 30, 40}, {0, 1, 2, 3}},
        {"huge width", "10;99999999;30;40;", "", {10, 0, 30, 40}, {0, 1, 2, 3}},
        {"beyond 64 bits", "10;20;123456789012345678901234567890;40;", "", {10, 20, 100, 40}, {0, 1, 2, 3}},
        {"not numbers", "abc;20;3x;4.5;", "", {40, 20, 100, 40}, {0, 1, 2, 3}},
        {"blanks around numbers", " 10 ;20;30;40;", "", {10, 20, 30, 40}, {0, 1, 2, 3}},
        {"order with a repeat", "10;20;30;40;", "0;0;1;2;", {10, 20, 30, 40}, {0, 1, 2, 3}},
        {"order out of range", "10;20;30;40;", "0;1;2;7;", {10, 20, 30, 40}, {0, 1, 2, 3}},
        {"order negative", "10;20;30;40;", "-1;0;1;2;", {10, 20, 30, 40}, {0, 1, 2, 3}},
        {"order not numbers", "10;20;30;40;", "a;b;c;d;", {10, 20, 30, 40}, {0, 1, 2, 3}},
        {"order too short", "10;20;30;40;", "1;0;", {10, 20, 30, 40}, {0, 1, 2, 3}},
        {"only separators", ";;;;", ";;;;", {40, 0, 100, 40}, {0, 1, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ColumnLayout layout = ReadColumnLayout(c.widths, c.order, kDefaults);
        EXPECT_EQ(layout.widths, c.expectedWidths);
        EXPECT_EQ(layout.order, c.expectedOrder);
    }
}

TEST(ColumnLayout, ValuesAreWrittenEachFollowedByASemicolon)
{
    EXPECT_EQ(JoinColumnValues({40, 0, 100}), "40;0;100;");
    EXPECT_EQ(JoinColumnValues({}), "");
}

// --- The control --------------------------------------------------------------------------

std::unique_ptr<QStandardItemModel> Model(int columns, int rows = 3)
{
    auto model = std::make_unique<QStandardItemModel>(rows, columns);
    for (int c = 0; c < columns; ++c)
        model->setHorizontalHeaderItem(c, new QStandardItem(QStringLiteral("Spalte %1").arg(c)));
    return model;
}

// A list of four columns as a dialog sets it up.
struct ListUnderTest {
    std::unique_ptr<QStandardItemModel> model = Model(4);
    std::unique_ptr<CPersListCtrl> list = std::make_unique<CPersListCtrl>();

    explicit ListUnderTest(SettingsStore& store, const std::string& entry = "TestListe")
    {
        list->setModel(model.get());
        list->SetColumnWidths(kDefaults);
        list->Restore(store, kColumnWidthsSection, entry);
    }
    ~ListUnderTest() { list.reset(); }
};

TEST(PersListCtrl, FirstUseKeepsTheDialogsLayoutAndClosingStoresIt)
{
    MemorySettingsStore store;
    {
        ListUnderTest t(store);
        EXPECT_EQ(t.list->ColumnWidths(), kDefaults);
        EXPECT_EQ(t.list->ColumnOrder(), (std::vector<int>{0, 1, 2, 3}));
        EXPECT_EQ(t.list->SortInfo(), -1);
        // A column of no width stays at no width: it waits for the user to widen it.
        EXPECT_EQ(t.list->header()->sectionSize(1), 0);
        EXPECT_FALSE(t.list->header()->isSectionHidden(1));
    }
    EXPECT_EQ(store.GetText("Spaltenbreiten", "TestListe", ""), "40;0;100;40;");
    EXPECT_EQ(store.GetText("Spaltenbreiten", "TestListeiOrder", ""), "0;1;2;3;");
    // No sort state was set, so none is written.
    EXPECT_FALSE(store.Contains("Spaltenbreiten", "TestListeiSortInfo"));
}

TEST(PersListCtrl, WidthsOrderAndSortStateSurviveACloseAndReopen)
{
    MemorySettingsStore store;
    store.SetInt("Spaltenbreiten", "TestListeiSortInfo", 2);
    {
        ListUnderTest t(store);
        t.list->header()->resizeSection(0, 77);
        t.list->header()->resizeSection(1, 33);
        t.list->header()->moveSection(3, 0);  // the user's order, whatever the control allows by mouse
    }
    EXPECT_EQ(store.GetText("Spaltenbreiten", "TestListe", ""), "77;33;100;40;");
    EXPECT_EQ(store.GetText("Spaltenbreiten", "TestListeiOrder", ""), "3;0;1;2;");
    EXPECT_EQ(store.GetInt("Spaltenbreiten", "TestListeiSortInfo", -1), 2);

    ListUnderTest reopened(store);
    EXPECT_EQ(reopened.list->ColumnWidths(), (std::vector<int>{77, 33, 100, 40}));
    EXPECT_EQ(reopened.list->ColumnOrder(), (std::vector<int>{3, 0, 1, 2}));
    EXPECT_EQ(reopened.list->SortInfo(), 2);
}

TEST(PersListCtrl, TheUserCannotDragColumns)
{
    MemorySettingsStore store;
    ListUnderTest t(store);
    EXPECT_FALSE(t.list->header()->sectionsMovable());
    EXPECT_EQ(t.list->selectionBehavior(), QAbstractItemView::SelectRows);
}

TEST(PersListCtrl, BadStoredValuesInTheSettingsGiveSaneWidthsAndOrder)
{
    test::ClearSettings();
    QSettingsStore store;
    store.SetText("Spaltenbreiten", "TestListe", "-20;huge;99999999999;12;");
    store.SetText("Spaltenbreiten", "TestListeiOrder", "0;0;0;0;");
    store.SetText("Spaltenbreiten", "TestListeiSortInfo", "kein Wert");
    {
        ListUnderTest t(store);
        EXPECT_EQ(t.list->ColumnWidths(), (std::vector<int>{40, 0, 100, 12}));
        EXPECT_EQ(t.list->ColumnOrder(), (std::vector<int>{0, 1, 2, 3}));
        EXPECT_EQ(t.list->SortInfo(), -1);
    }
    // Closing writes the sane layout back over the damaged one.
    EXPECT_EQ(store.GetText("Spaltenbreiten", "TestListe", ""), "40;0;100;12;");
    EXPECT_EQ(store.GetText("Spaltenbreiten", "TestListeiOrder", ""), "0;1;2;3;");
    test::ClearSettings();
}

TEST(PersListCtrl, ResettingTheWindowLayoutBringsBackTheDialogsWidths)
{
    test::ClearSettings();
    QSettingsStore store;
    {
        ListUnderTest t(store);
        t.list->header()->resizeSection(2, 250);
        t.list->header()->moveSection(0, 3);
    }
    {
        ListUnderTest t(store, "AndereListe");
    }
    // "&Fensterlayout zurücksetzen"
    store.RemoveSection(kColumnWidthsSection);
    EXPECT_EQ(store.GetText("Spaltenbreiten", "TestListe", "-"), "-");
    EXPECT_EQ(store.GetText("Spaltenbreiten", "AndereListe", "-"), "-");
    ListUnderTest reopened(store);
    EXPECT_EQ(reopened.list->ColumnWidths(), kDefaults);
    EXPECT_EQ(reopened.list->ColumnOrder(), (std::vector<int>{0, 1, 2, 3}));
    test::ClearSettings();
}

TEST(PersListCtrl, WithoutANameNothingIsStored)
{
    MemorySettingsStore store;
    {
        ListUnderTest t(store, "");
    }
    EXPECT_FALSE(store.Contains("Spaltenbreiten", ""));
    EXPECT_FALSE(store.Contains("Spaltenbreiten", "iOrder"));
}

// --- Drawing the lines ------------------------------------------------------------------------

// Three lines of the evaluation list: one that counts, one that does not, and
// a line that does not count and is selected.
struct DrawnList {
    std::unique_ptr<QStandardItemModel> model = Model(9);
    std::unique_ptr<CExListCtrl> list = std::make_unique<CExListCtrl>();
    QImage image;

    DrawnList()
    {
        const bool counts[] = {true, false, false};
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 9; ++column) {
                auto* item = new QStandardItem(QStringLiteral("WWWWWW"));
                item->setData(counts[row], kLineCountsRole);
                model->setItem(row, column, item);
            }
        }
        list->setModel(model.get());
        list->SetColumnWidths({60, 0, 60, 60, 60, 60, 60, 60, 60});
        list->resize(600, 200);
        list->setCurrentIndex(model->index(2, 0));
        list->show();
        image = list->viewport()->grab().toImage();
    }

    QRect Cell(int row, int column) const { return list->visualRect(model->index(row, column)); }

    // The darkest and the lightest grey value in the text band of a line, outside its middle.
    std::pair<int, int> TextRange(int row) const
    {
        const QRect cell = Cell(row, 0);
        const int middle = cell.top() + cell.height() / 2;
        int darkest = 255;
        int lightest = 0;
        for (int y = cell.top() + 1; y < cell.bottom(); ++y) {
            if (y == middle)
                continue;
            for (int x = cell.left() + 3; x < cell.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                darkest = std::min(darkest, c.red());
                lightest = std::max(lightest, c.red());
            }
        }
        return {darkest, lightest};
    }
};

TEST(ExListCtrl, LinesAreDrawnInTheirColoursWithTheMiddleRuleForLinesThatDoNotCount)
{
    DrawnList d;
    ASSERT_FALSE(d.image.isNull());
    const QRect counting = d.Cell(0, 2);
    const QRect notCounting = d.Cell(1, 2);
    const QRect selected = d.Cell(2, 2);
    const auto middle = [](const QRect& r) { return r.top() + r.height() / 2; };

    // Backgrounds: white, white, blue.
    EXPECT_EQ(d.image.pixelColor(counting.left() + 1, counting.top() + 1), QColor(255, 255, 255));
    EXPECT_EQ(d.image.pixelColor(notCounting.left() + 1, notCounting.top() + 1), QColor(255, 255, 255));
    EXPECT_EQ(d.image.pixelColor(selected.left() + 1, selected.top() + 1), QColor(0, 0, 255));
    // The rule: none on a counting line, grey on the other, white on the selected one.
    EXPECT_EQ(d.image.pixelColor(counting.right() - 1, middle(counting)), QColor(255, 255, 255));
    EXPECT_EQ(d.image.pixelColor(notCounting.right() - 1, middle(notCounting)), QColor(127, 127, 127));
    EXPECT_EQ(d.image.pixelColor(selected.right() - 1, middle(selected)), QColor(255, 255, 255));
    // The rule runs through every column of the line.
    EXPECT_EQ(d.image.pixelColor(d.Cell(1, 8).right() - 1, middle(notCounting)), QColor(127, 127, 127));
    // Text: black on a counting line, no darker than grey on the other.
    EXPECT_LT(d.TextRange(0).first, 60);
    EXPECT_GE(d.TextRange(1).first, 120);
    EXPECT_LT(d.TextRange(1).first, 200);
}

TEST(ExListCtrl, TextsAreOneLineWithTheRemarksBreaksAsBlanksAndCutWithAnEllipsis)
{
    QStandardItemModel model(1, 10);
    model.setItem(0, 8, new QStandardItem(QStringLiteral("erste{{CRLF}}zweite Zeile")));
    model.setItem(0, 2, new QStandardItem(QStringLiteral("A{{CRLF}}B")));
    model.setItem(0, 9, new QStandardItem(QStringLiteral("1")));
    const QFontMetrics metrics{QFont()};
    EXPECT_EQ(CExListDelegate::ShownText(model.index(0, 8), metrics, 1000), QStringLiteral("erste zweite Zeile"));
    // Only the remark column knows the stored line break.
    EXPECT_EQ(CExListDelegate::ShownText(model.index(0, 2), metrics, 1000), QStringLiteral("A{{CRLF}}B"));
    EXPECT_EQ(CExListDelegate::ShownText(model.index(0, 9), metrics, 1000), QString());
    const QString cut = CExListDelegate::ShownText(model.index(0, 8), metrics, metrics.horizontalAdvance("erste z"));
    EXPECT_TRUE(cut.endsWith(QChar(0x2026))) << cut.toStdString();
    EXPECT_TRUE(cut.startsWith(QStringLiteral("erst"))) << cut.toStdString();
}

}  // namespace
}  // namespace kurvex
