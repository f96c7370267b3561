#include <gtest/gtest.h>

#include "document/Einstellungen.h"
#include "document/MemorySettingsStore.h"

namespace kurvex {
namespace {

TEST(Einstellungen, BuiltInDefaults)
{
    const CEinstellungen settings;
    EXPECT_EQ(settings.Colour(0), 0);
    EXPECT_EQ(settings.Colour(1), 192 + 65536 * 192);
    EXPECT_EQ(settings.Colour(3), 30 * 256 + 190 * 65536);
    EXPECT_EQ(settings.Colour(8), 192 + 256 * 192 + 65536 * 192);
    EXPECT_EQ(settings.TextColour(5), 255 * 256);
    EXPECT_EQ(settings.LineWidth(0), 10);
    EXPECT_EQ(settings.LineWidth(8), 10);
    EXPECT_EQ(settings.LeftMargin(), 0);
    EXPECT_TRUE(settings.PrintVarK());
    EXPECT_FALSE(settings.PageNumbering());
    EXPECT_TRUE(settings.DisplaySpeed());
    EXPECT_FALSE(settings.NegativeAsZero());
    EXPECT_EQ(settings.EvaluationAttachment(), "1");
    EXPECT_EQ(settings.ChartAttachment(), "2");
    EXPECT_EQ(settings.CurrencySelector(), 0);
    for (int index = 0; index < CEinstellungen::kCount; ++index)
        EXPECT_TRUE(settings.IsDefaultAt(index)) << index;
}

TEST(Einstellungen, KeyTables)
{
    struct Case {
        int index;
        const char* sideFileKey;
        const char* section;
        const char* key;
    } cases[] = {
        {0, "Farben_Farbe0", "Farben", "Farbe0"},
        {8, "Farben_Farbe8", "Farben", "Farbe8"},
        {9, "Farben_TextFarbe0", "Farben", "TextFarbe0"},
        {14, "Farben_TextFarbe5", "Farben", "TextFarbe5"},
        {15, "Dicken_Dicke0", "Dicken", "Dicke0"},
        {23, "Dicken_Dicke8", "Dicken", "Dicke8"},
        {24, "Druck_linkerRand", "Druck", "linkerRand"},
        {25, "Druck_VarKanzeigen", "Druck", "VarKanzeigen"},
        {26, "Druck_Nummerierung", "Druck", "Nummerierung"},
        {27, "Druck_MetadatenAufFolgeseiten", "Druck", "MetadatenAufFolgeseiten"},
        {28, "Druck_DisplaySpeed", "Druck", "DisplaySpeed"},
        {29, "Sonstiges_SpiegelabfrageAbschalten", "Sonstiges", "SpiegelabfrageAbschalten"},
        {30, "NEGWERTENULL", "Sonstiges", "CheckNegativ"},
        {31, "ANLAGENNUMMER_AUSWERTUNGSSEITEN", "Sonstiges", "NrAusWertung"},
        {32, "ANLAGENNUMMER_DIAGRAMMSEITEN", "Sonstiges", "NrDiagramme"},
        {33, "Sonstiges_Waerung", "Sonstiges", "Waerung"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CEinstellungen::SideFileKey(c.index), c.sideFileKey);
        EXPECT_EQ(CEinstellungen::StoreSection(c.index), c.section);
        EXPECT_EQ(CEinstellungen::StoreKey(c.index), c.key);
    }
    EXPECT_TRUE(CEinstellungen::IsTextField(31));
    EXPECT_FALSE(CEinstellungen::IsTextField(30));
    EXPECT_EQ(CEinstellungen::SideFileKey(34), "");
}

TEST(Einstellungen, ReadFromStoreKeepsDefaultsForAbsentValues)
{
    MemorySettingsStore store;
    store.SetInt("Farben", "Farbe3", 255);
    store.SetInt("Dicken", "Dicke2", 30);
    store.SetInt("Druck", "VarKanzeigen", 0);
    store.SetText("Sonstiges", "NrAusWertung", "A1");
    store.SetInt("Sonstiges", "Waerung", 2);
    CEinstellungen settings;
    settings.SetIntAt(CEinstellungen::kLeftMargin, 77);  // reset before reading
    settings.ReadFrom(store);
    EXPECT_EQ(settings.Colour(3), 255);
    EXPECT_EQ(settings.LineWidth(2), 30);
    EXPECT_FALSE(settings.PrintVarK());
    EXPECT_EQ(settings.EvaluationAttachment(), "A1");
    EXPECT_EQ(settings.CurrencySelector(), 2);
    EXPECT_EQ(settings.LeftMargin(), 0);
    EXPECT_EQ(settings.Colour(4), CEinstellungen().Colour(4));
}

TEST(Einstellungen, MapRoundTripWritesOnlyChangedFields)
{
    CEinstellungen settings;
    settings.SetIntAt(CEinstellungen::kFirstColour + 3, 255);
    settings.SetFromText(CEinstellungen::kChartAttachment, "9");
    CMapString2String map = {{"Farben_Farbe2", "1"}, {"OTHER", "x"}};
    settings.WriteToMap(map);
    EXPECT_EQ(map, (CMapString2String{{"Farben_Farbe3", "255"}, {"ANLAGENNUMMER_DIAGRAMMSEITEN", "9"}, {"OTHER", "x"}}));
    CEinstellungen back;
    back.ReadFromMap(map);
    EXPECT_EQ(back, settings);
}

TEST(MemorySettingsStore, ValuesAndSections)
{
    MemorySettingsStore store;
    EXPECT_EQ(store.GetInt("Sonstiges", "DiagrammeProSeite", 3), 3);
    store.SetInt("Sonstiges", "DiagrammeProSeite", 2);
    store.SetText("Sonstiges", "LastFileOpen", "C:\\a.dat");
    store.SetText("Spalten", "Breite0", "120");
    EXPECT_EQ(store.GetInt("Sonstiges", "DiagrammeProSeite", 3), 2);
    EXPECT_EQ(store.GetText("Sonstiges", "LastFileOpen", ""), "C:\\a.dat");
    EXPECT_EQ(store.GetInt("Spalten", "Breite0", 0), 120);
    store.RemoveSection("Sonstiges");
    EXPECT_FALSE(store.Contains("Sonstiges", "LastFileOpen"));
    EXPECT_FALSE(store.Contains("Sonstiges", "DiagrammeProSeite"));
    EXPECT_TRUE(store.Contains("Spalten", "Breite0"));
}

}  // namespace
}  // namespace kurvex
