#include "shell/Commands.h"

#include "common/ui/QtText.h"

#include <algorithm>
#include <stdexcept>

namespace kurvex {

namespace {

std::vector<CommandInfo> BuildTable()
{
    const QString none;
    const QString notInThisProgram = U("Dieser Befehl ist in diesem Programm nicht verfügbar.");
    return {
        {Command::Open, U("Ö&ffnen...\tStrg+O"), U("Öffnen"), U("Öffnet eine Messdatei."), U("open"),
         QKeySequence(Qt::CTRL | Qt::Key_O)},
        {Command::Close, U("&Schließen"), none, U("Schließt die aktive Messdatei."), none, {}},
        {Command::Export, U("Messdaten e&xportieren"), none,
         U("Exportiert die Messwerte als Text in eine Datei oder die Zwischenablage."), none, {}},
        {Command::Print, U("&Drucken...\tStrg+P"), none, U("Druckt das Diagramm oder die Auswertung."), none,
         QKeySequence(Qt::CTRL | Qt::Key_P)},
        {Command::PrintSetup, U("Drucker&einrichtung..."), none, U("Wählt den Drucker und seine Einstellungen."),
         none, {}},
        {Command::NewRunDefaults, U("Vorgaben für neue Fahrten"), none, notInThisProgram, none, {}},
        {Command::ResetState, U("Bearbeitungsstand  auf Ursprung zurücksetzen ..."), none, notInThisProgram, none,
         {}},
        {Command::Exit, U("&Beenden"), none, U("Beendet das Programm."), none, {}},
        {Command::ToolBar, U("&Symbolleiste"), none, U("Blendet die Symbolleiste ein oder aus."), none, {}, true},
        {Command::StatusBar, U("S&tatusleiste"), none, U("Blendet die Statusleiste ein oder aus."), none, {}, true},
        {Command::ResetColumnLayout, U("&Fensterlayout zurücksetzen"), none,
         U("Setzt die gespeicherten Spaltenbreiten der Listen zurück."), none, {}},
        {Command::RepositionBars, U("Repositioniere Menüleisten"), none,
         U("Repositioniert die beiden Menüleisten an ihre normale Stelle."), none, {}},
        {Command::RunSettings, U("Einstellungen für die Fahrt"), none, notInThisProgram, none, {}},
        {Command::ComparisonRuns, U("&Vergleichsfahrten"), none, notInThisProgram, none, {}},
        {Command::EditComments, U("Messungskommentare bearbeiten"), none, notInThisProgram, none, {}},
        {Command::EditHeaderData, U("Messungskopfdaten bearbeiten"), none, notInThisProgram, none, {}},
        {Command::InsertFreeText, U("freien Text einfügen"), none, notInThisProgram, none, {}},
        {Command::EditFreeTexts, U("freie Texte bearbeiten"), none, notInThisProgram, none, {}},
        {Command::InsertRangeText, U("Bereichstext einfügen"), none, notInThisProgram, none, {}},
        {Command::EditRangeTexts, U("Bereichstexte bearbeiten"), none, notInThisProgram, none, {}},
        {Command::EditHeadings, U("Überschriften bearbeiten"), none, notInThisProgram, none, {}},
        {Command::ShownMeasuringPoints, U("darzustellende Messstellen"), none, notInThisProgram, none, {}},
        {Command::CalibrationValue, U("Korrekturwert für Messwerte"), none, notInThisProgram, none, {}},
        {Command::EditSections, U("Streckenabschnitte bearbeiten"), none,
         U("Zeigt die Streckenabschnitte mit ihren Werten zum Bearbeiten."), none, {}},
        {Command::ShowEvaluation, U("Auswertung anzeigen/bearbeiten"), none,
         U("Zeigt die Überschreitungen und Abzüge je Streckenabschnitt."), none, {}},
        {Command::PreviewEvaluation, U("Seitenansicht Auswertung"), U("Seitenansicht Auswertung"),
         U("Zeigt die Seiten der Auswertung in der Seitenansicht."), U("preview_evaluation"), {}},
        {Command::PrintEvaluation, U("Auswertung drucken"), none, U("Druckt die Auswertung."), none, {}},
        {Command::AutomaticDetection, U("Automatische Erkennung"), none, notInThisProgram, none, {}},
        {Command::ReportHeaderFooter, U("Kopf-/Fußtexte für den Ausdruck"), none, notInThisProgram, none, {}},
        {Command::NewWindow, U("Neues &Fenster"), none, U("Öffnet ein weiteres Fenster für die aktive Messdatei."),
         none, {}},
        {Command::Cascade, U("Über&lappend"), none, U("Ordnet die Fenster überlappend an."), none, {}},
        {Command::TileSideBySide, U("&Nebeneinander"), none, U("Ordnet die Fenster nebeneinander an."), none, {}},
        {Command::TileStacked, U("&Übereinander"), none, U("Ordnet die Fenster übereinander an."), none, {}},
        {Command::ArrangeIcons, U("&Symbole anordnen"), none,
         U("Ordnet die Symbole der minimierten Fenster am unteren Rand an."), none, {}},
        {Command::About, U("Inf&o über Kurvex..."), none, U("Zeigt Programminformationen und Versionsnummer."),
         none, {}},
        {Command::PreviewChart, U("Sei&tenansicht"), U("Seitenansicht"),
         U("Zeigt die Diagrammseiten in der Seitenansicht."), U("preview"), {}},
        {Command::PrintChart, U("Diagramm Drucken"), U("Diagramm Drucken"), U("Druckt die Diagrammseiten."),
         U("print"), {}},
        {Command::ToolComments, U("Messungskommentare"), U("Messungskommentare"), notInThisProgram, U("comments"),
         {}},
        {Command::ToolHeaderData, U("Messungskopfdaten bearbeiten"), U("Messungskopfdaten bearbeiten"),
         notInThisProgram, U("header_data"), {}},
        {Command::ToolInsertFreeText, U("freien Text einfügen"), U("freien Text einfügen"), notInThisProgram,
         U("free_text_insert"), {}},
        {Command::ToolEditFreeTexts, U("freie Textboxen bearbeiten"), U("freie Textboxen bearbeiten"),
         notInThisProgram, U("free_text_edit"), {}},
        {Command::ToolInsertRangeText, U("Berichstext einfügen"), U("Berichstext einfügen"), notInThisProgram,
         U("range_text_insert"), {}},
        {Command::ToolEditRangeTexts, U("Bereichstexte bearbeiten"), U("Bereichstexte bearbeiten"),
         notInThisProgram, U("range_text_edit"), {}},
        {Command::ToggleFileViewer, U("Datei-Viewer ein-/ausblenden"), U("Datei-Viewer ein-/ausblenden"),
         U("Zeigt den Text der Messdatei neben dem Diagramm oder blendet ihn aus."), U("file_viewer"), {}, true},
        {Command::Zoom, U("Zoomstufe weiter schalten"), U("Zoom"), U("Schaltet die Zoomstufe weiter."), U("zoom"), {}},
        {Command::PageBack, U("Eine Seite zurück"), U("Seite zurück"), U("Zeigt die vorige Diagrammseite."),
         U("page_back"), QKeySequence(Qt::Key_PageUp)},
        {Command::PageForward, U("Eine Seite weiter"), U("Seite weiter"), U("Zeigt die nächste Diagrammseite."),
         U("page_forward"), QKeySequence(Qt::Key_PageDown)},
        {Command::TwoMetreGrid, U("2m-Raster ein-/ausblenden"), U("2m-Raster ein-/ausblenden"),
         U("Blendet das 2-m-Raster ein oder aus."), U("grid"), {}, true},
        {Command::ToggleStrips, U("Diagrammansicht mit 2 oder 3 Streifen umschalten"),
         U("Diagrammansicht 2/3 Streifen"), U("Schaltet zwischen 2 und 3 Streifen je Seite um."), U("strips"), {}},
        {Command::ExcludeRange, U("Bereich bestimmen, der aus der Auswertung rausgenommen werden soll"),
         U("Bereich bestimmen, der aus der Auswertung rausgenommen werden soll"), notInThisProgram,
         U("exclude_range"), {}},
        {Command::EditSideFile, U("Bearbeitungsstand im Editor öffnen"), none,
         U("Öffnet die Datei des Bearbeitungsstands im Texteditor."), none, QKeySequence(Qt::Key_ScrollLock)},
        {Command::NewDocument, U("&Neu"), none, U("Öffnet ein leeres Dokument."), none,
         QKeySequence(Qt::CTRL | Qt::Key_N)},
        {Command::GoToStation, U("&Gehe zu Station ...\tStrg+G"), none,
         U("Zeigt die Seite mit einer Station und markiert sie."), none, QKeySequence(Qt::CTRL | Qt::Key_G)},
        {Command::Reload, U("Neu &laden\tF5"), none,
         U("Liest die Messdatei und ihren Bearbeitungsstand neu von der Festplatte."), none,
         QKeySequence(Qt::Key_F5)},
        {Command::SaveChartPdf, U("Diagramm als PDF speichern ..."), none,
         U("Speichert die Diagrammseiten, wie sie gedruckt werden, als PDF-Datei."), none, {}},
        {Command::SaveReportPdf, U("Auswertung als PDF speichern ..."), none,
         U("Speichert die Seiten der Auswertung, wie sie gedruckt werden, als PDF-Datei."), none, {}},
    };
}

}  // namespace

const std::vector<CommandInfo>& CommandTable()
{
    static const std::vector<CommandInfo> table = BuildTable();
    return table;
}

const CommandInfo& InfoOf(Command command)
{
    const auto& table = CommandTable();
    const auto it =
        std::find_if(table.begin(), table.end(), [command](const CommandInfo& info) { return info.command == command; });
    if (it == table.end())
        throw std::logic_error("command without texts");
    return *it;
}

}  // namespace kurvex
