#include "chart/LabelTable.h"
#include "chart/Supplier.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace kurvex {
namespace {

TEST(LabelTable, BuiltInTextsAreGerman)
{
    const CLabelTable labels;
    const struct {
        const char* key;
        const char* text;
    } table[] = {
        {kLabelHeadline, "Diagramm der Ebenheitsmessung mit dem Planografen"},
        {kLabelYAxis, "Abweichung [mm]"},
        {kLabelTestedBy, "Pr\xFC" "fer"},
        {kLabelScaleLevel, "Ma\xDFstab H\xF6he"},
        {kLabelScaleLength, "Ma\xDFstab L\xE4nge"},
        {kLabelPageAOfB, "Seite %%A%% von %%B%%"},
        {kLabelEnclosure, "Anlage"},
        {kLabelRequirementSeparator, "GW"},
        {kLabelLaneWidthSeparator, "FSB"},
        {kLabelLanguageName, "German"},
        {"KEY", "DE"},
    };
    for (const auto& row : table)
        EXPECT_EQ(labels.LookupLabel(row.key), row.text) << row.key;
    EXPECT_EQ(labels.Labels().size(), 20u);
}

TEST(LabelTable, ColonAndMissingKeys)
{
    CLabelTable labels;
    EXPECT_EQ(labels.LookupLabel(kLabelDate, true), "Messung vom :");
    EXPECT_EQ(labels.LookupLabel("NO_SUCH_KEY"), "ERROR");
    EXPECT_EQ(labels.LookupLabel("NO_SUCH_KEY", true), "ERROR :");
    labels.LoadLabelText("{PLOTPAGE_DATE}{Datum}\n");  // no third group: the text becomes empty
    EXPECT_EQ(labels.LookupLabel(kLabelDate, true), "");
}

TEST(LabelTable, ACopyOfTheBuiltInLinesSwitchesToEnglish)
{
    // In a folder named with letters outside Windows-1252 ("Łódź Straße").
    const std::string folder = test::TempFolder("label_table_english_\xC5\x81\xC3\xB3" "d\xC5\xBA Stra\xC3\x9F" "e");
    const std::string path = folder + "/lang.txt";
    // Written with CR LF as an editor on the office machines would.
    std::string text(CLabelTable::BuiltInText());
    Replace(text, "\n", "\r\n");
    test::WriteWholeFile(path, text);

    CLabelTable labels;
    ASSERT_TRUE(labels.LoadLabelFile(path));
    EXPECT_EQ(labels.LookupLabel(kLabelHeadline), "4-m Straight Edge Testresults");
    EXPECT_EQ(labels.LookupLabel(kLabelEnclosure), "Enclosure");
    EXPECT_EQ(labels.LookupLabel(kLabelProjectNo, true), "Project Number :");
    EXPECT_EQ(labels.LookupLabel("KEY"), "EN");
}

TEST(LabelTable, FileLinesChangeOnlyTheirKeys)
{
    const std::string folder = test::TempFolder("label_table_partial");
    const std::string path = folder + "/lang.txt";
    test::WriteWholeFile(path,
                         "{PLOTPAGE_ENCLOSURE}{Anlage}{Beilage}\n"
                         "just a comment line\n"
                         "{}{no key}{ignored}\n"
                         "{MY_OWN_KEY}{x}{Eigener Text}");  // no line feed at the end
    CLabelTable labels;
    ASSERT_TRUE(labels.LoadLabelFile(path));
    EXPECT_EQ(labels.LookupLabel(kLabelEnclosure), "Beilage");
    EXPECT_EQ(labels.LookupLabel("MY_OWN_KEY"), "Eigener Text");
    EXPECT_EQ(labels.LookupLabel(kLabelHeadline), "Diagramm der Ebenheitsmessung mit dem Planografen");
    EXPECT_EQ(labels.LookupLabel(""), "ERROR");
}

TEST(LabelTable, MissingFileLeavesTheGermanTexts)
{
    CLabelTable labels;
    EXPECT_FALSE(labels.LoadLabelFile(test::TempFolder("label_table_missing") + "/lang.txt"));
    EXPECT_EQ(labels.LookupLabel(kLabelEnclosure), "Anlage");
}

TEST(Supplier, ContactDataUseTheExampleDomain)
{
    EXPECT_STREQ(kSupplierName, "Ostwerk GmbH");
    for (const char* line : {kSupplierMail, kSupplierWeb, kSupplierWebLine, kSupplierProductLine})
        EXPECT_NE(std::string(line).find("ostwerk.example"), std::string::npos) << line;
}

}  // namespace
}  // namespace kurvex
