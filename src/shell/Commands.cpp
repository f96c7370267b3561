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
        {Command::Open, "file_open", CommandScope::MainWindow,
         U("Ö&ffnen...\tStrg+O"), U("Öffnen"), U("Öffnet eine Messdatei."), U("open"),
         QKeySequence(Qt::CTRL | Qt::Key_O)},
        {Command::Close, "file_close", CommandScope::ChartWindow,
         U("&Schließen"), none, U("Schließt die aktive Messdatei."), none, {}},
        {Command::Export, "file_export", CommandScope::ChartWindow,
         U("Messdaten e&xportieren"), none,
         U("Exportiert die Messwerte als Text in eine Datei oder die Zwischenablage."), none, {}},
        {Command::Print, "file_print", CommandScope::ChartWindow,
         U("&Drucken...\tStrg+P"), none, U("Druckt das Diagramm oder die Auswertung."), none,
         QKeySequence(Qt::CTRL | Qt::Key_P)},
        {Command::PrintSetup, "file_print_setup", CommandScope::MainWindow,
         U("Drucker&einrichtung..."), none, U("Wählt den Drucker und seine Einstellungen."), none, {}},
        {Command::NewRunDefaults, "file_new_run_defaults", CommandScope::NotAvailable,
         U("Vorgaben für neue Fahrten"), none, notInThisProgram, none, {}},
        {Command::ResetState, "file_reset_state", CommandScope::NotAvailable,
         U("Bearbeitungsstand  auf Ursprung zurücksetzen ..."), none, notInThisProgram, none, {}},
        {Command::Exit, "file_exit", CommandScope::MainWindow,
         U("&Beenden"), none, U("Beendet das Programm."), none, {}},
        {Command::ToolBar, "view_toolbar", CommandScope::MainWindow,
         U("&Symbolleiste"), none, U("Blendet die Symbolleiste ein oder aus."), none, {}, true},
        {Command::StatusBar, "view_statusbar", CommandScope::MainWindow,
         U("S&tatusleiste"), none, U("Blendet die Statusleiste ein oder aus."), none, {}, true},
        {Command::ResetColumnLayout, "view_reset_column_layout", CommandScope::ChartWindow,
         U("&Fensterlayout zurücksetzen"), none, U("Setzt die gespeicherten Spaltenbreiten der Listen zurück."), none,
         {}},
        {Command::RepositionBars, "view_reposition_bars", CommandScope::MainWindow,
         U("Repositioniere Menüleisten"), none, U("Repositioniert die beiden Menüleisten an ihre normale Stelle."),
         none, {}},
        {Command::RunSettings, "settings_run", CommandScope::NotAvailable,
         U("Einstellungen für die Fahrt"), none, notInThisProgram, none, {}},
        {Command::ComparisonRuns, "settings_comparison_runs", CommandScope::NotAvailable,
         U("&Vergleichsfahrten"), none, notInThisProgram, none, {}},
        {Command::EditComments, "settings_edit_comments", CommandScope::NotAvailable,
         U("Messungskommentare bearbeiten"), none, notInThisProgram, none, {}},
        {Command::EditHeaderData, "settings_edit_header_data", CommandScope::NotAvailable,
         U("Messungskopfdaten bearbeiten"), none, notInThisProgram, none, {}},
        {Command::InsertFreeText, "settings_insert_free_text", CommandScope::NotAvailable,
         U("freien Text einfügen"), none, notInThisProgram, none, {}},
        {Command::EditFreeTexts, "settings_edit_free_texts", CommandScope::NotAvailable,
         U("freie Texte bearbeiten"), none, notInThisProgram, none, {}},
        {Command::InsertRangeText, "settings_insert_range_text", CommandScope::NotAvailable,
         U("Bereichstext einfügen"), none, notInThisProgram, none, {}},
        {Command::EditRangeTexts, "settings_edit_range_texts", CommandScope::NotAvailable,
         U("Bereichstexte bearbeiten"), none, notInThisProgram, none, {}},
        {Command::EditHeadings, "settings_edit_headings", CommandScope::NotAvailable,
         U("Überschriften bearbeiten"), none, notInThisProgram, none, {}},
        {Command::ShownMeasuringPoints, "settings_shown_measuring_points", CommandScope::NotAvailable,
         U("darzustellende Messstellen"), none, notInThisProgram, none, {}},
        {Command::CalibrationValue, "settings_calibration_value", CommandScope::NotAvailable,
         U("Korrekturwert für Messwerte"), none, notInThisProgram, none, {}},
        {Command::EditSections, "exceedances_edit_sections", CommandScope::ChartWindow,
         U("Streckenabschnitte bearbeiten"), none, U("Zeigt die Streckenabschnitte mit ihren Werten zum Bearbeiten."),
         none, {}},
        {Command::ShowEvaluation, "exceedances_show_evaluation", CommandScope::ChartWindow,
         U("Auswertung anzeigen/bearbeiten"), none, U("Zeigt die Überschreitungen und Abzüge je Streckenabschnitt."),
         none, {}},
        {Command::PreviewEvaluation, "exceedances_preview", CommandScope::ChartWindow,
         U("Seitenansicht Auswertung"), U("Seitenansicht Auswertung"),
         U("Zeigt die Seiten der Auswertung in der Seitenansicht."), U("preview_evaluation"), {}},
        {Command::PrintEvaluation, "exceedances_print", CommandScope::ChartWindow,
         U("Auswertung drucken"), none, U("Druckt die Auswertung."), none, {}},
        {Command::AutomaticDetection, "exceedances_automatic_detection", CommandScope::NotAvailable,
         U("Automatische Erkennung"), none, notInThisProgram, none, {}},
        {Command::ReportHeaderFooter, "exceedances_report_header_footer", CommandScope::NotAvailable,
         U("Kopf-/Fußtexte für den Ausdruck"), none, notInThisProgram, none, {}},
        {Command::NewWindow, "window_new", CommandScope::ChartWindow,
         U("Neues &Fenster"), none, U("Öffnet ein weiteres Fenster für die aktive Messdatei."), none, {}},
        {Command::Cascade, "window_cascade", CommandScope::AnyWindow,
         U("Über&lappend"), none, U("Ordnet die Fenster überlappend an."), none, {}},
        {Command::TileSideBySide, "window_tile_side_by_side", CommandScope::AnyWindow,
         U("&Nebeneinander"), none, U("Ordnet die Fenster nebeneinander an."), none, {}},
        {Command::TileStacked, "window_tile_stacked", CommandScope::AnyWindow,
         U("&Übereinander"), none, U("Ordnet die Fenster übereinander an."), none, {}},
        {Command::ArrangeIcons, "window_arrange_icons", CommandScope::AnyWindow,
         U("&Symbole anordnen"), none, U("Ordnet die Symbole der minimierten Fenster am unteren Rand an."), none, {}},
        {Command::About, "help_about", CommandScope::MainWindow,
         U("Inf&o über Kurvex..."), none, U("Zeigt Programminformationen und Versionsnummer."), none, {}},
        {Command::PreviewChart, "chart_preview", CommandScope::ChartWindow,
         U("Sei&tenansicht"), U("Seitenansicht"), U("Zeigt die Diagrammseiten in der Seitenansicht."), U("preview"),
         {}},
        {Command::PrintChart, "chart_print", CommandScope::ChartWindow,
         U("Diagramm Drucken"), U("Diagramm Drucken"), U("Druckt die Diagrammseiten."), U("print"), {}},
        {Command::ToolComments, "tool_comments", CommandScope::NotAvailable,
         U("Messungskommentare"), U("Messungskommentare"), notInThisProgram, U("comments"), {}},
        {Command::ToolHeaderData, "tool_header_data", CommandScope::NotAvailable,
         U("Messungskopfdaten bearbeiten"), U("Messungskopfdaten bearbeiten"), notInThisProgram, U("header_data"), {}},
        {Command::ToolInsertFreeText, "tool_insert_free_text", CommandScope::NotAvailable,
         U("freien Text einfügen"), U("freien Text einfügen"), notInThisProgram, U("free_text_insert"), {}},
        {Command::ToolEditFreeTexts, "tool_edit_free_texts", CommandScope::NotAvailable,
         U("freie Textboxen bearbeiten"), U("freie Textboxen bearbeiten"), notInThisProgram, U("free_text_edit"), {}},
        {Command::ToolInsertRangeText, "tool_insert_range_text", CommandScope::NotAvailable,
         U("Berichstext einfügen"), U("Berichstext einfügen"), notInThisProgram, U("range_text_insert"), {}},
        {Command::ToolEditRangeTexts, "tool_edit_range_texts", CommandScope::NotAvailable,
         U("Bereichstexte bearbeiten"), U("Bereichstexte bearbeiten"), notInThisProgram, U("range_text_edit"), {}},
        {Command::ToggleFileViewer, "view_file_viewer", CommandScope::MainWindow,
         U("Datei-Viewer ein-/ausblenden"), U("Datei-Viewer ein-/ausblenden"),
         U("Zeigt den Text der Messdatei neben dem Diagramm oder blendet ihn aus."), U("file_viewer"), {}, true},
        {Command::Zoom, "chart_zoom", CommandScope::ChartWindow,
         U("Zoomstufe weiter schalten"), U("Zoom"), U("Schaltet die Zoomstufe weiter."), U("zoom"), {}},
        {Command::PageBack, "chart_page_back", CommandScope::ChartWindow,
         U("Eine Seite zurück"), U("Seite zurück"), U("Zeigt die vorige Diagrammseite."), U("page_back"),
         QKeySequence(Qt::Key_PageUp)},
        {Command::PageForward, "chart_page_forward", CommandScope::ChartWindow,
         U("Eine Seite weiter"), U("Seite weiter"), U("Zeigt die nächste Diagrammseite."), U("page_forward"),
         QKeySequence(Qt::Key_PageDown)},
        {Command::TwoMetreGrid, "chart_grid", CommandScope::ChartWindow,
         U("2m-Raster ein-/ausblenden"), U("2m-Raster ein-/ausblenden"), U("Blendet das 2-m-Raster ein oder aus."),
         U("grid"), {}, true},
        {Command::ToggleStrips, "chart_strips", CommandScope::ChartWindow,
         U("Diagrammansicht mit 2 oder 3 Streifen umschalten"), U("Diagrammansicht 2/3 Streifen"),
         U("Schaltet zwischen 2 und 3 Streifen je Seite um."), U("strips"), {}},
        {Command::ExcludeRange, "chart_exclude_range", CommandScope::NotAvailable,
         U("Bereich bestimmen, der aus der Auswertung rausgenommen werden soll"),
         U("Bereich bestimmen, der aus der Auswertung rausgenommen werden soll"), notInThisProgram, U("exclude_range"),
         {}},
        {Command::EditSideFile, "chart_edit_side_file", CommandScope::ChartWindow,
         U("Bearbeitungsstand im Editor öffnen"), none, U("Öffnet die Datei des Bearbeitungsstands im Texteditor."),
         none, QKeySequence(Qt::Key_ScrollLock)},
        {Command::NewDocument, "file_new", CommandScope::MainWindow,
         U("&Neu"), none, U("Öffnet ein leeres Dokument."), none, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {Command::GoToStation, "view_go_to_station", CommandScope::ChartWindow,
         U("&Gehe zu Station ...\tStrg+G"), none, U("Zeigt die Seite mit einer Station und markiert sie."), none,
         QKeySequence(Qt::CTRL | Qt::Key_G)},
        {Command::Reload, "view_reload", CommandScope::ChartWindow,
         U("Neu &laden\tF5"), none, U("Liest die Messdatei und ihren Bearbeitungsstand neu von der Festplatte."), none,
         QKeySequence(Qt::Key_F5)},
        {Command::SaveChartPdf, "file_save_chart_pdf", CommandScope::ChartWindow,
         U("Diagramm als PDF speichern ..."), none,
         U("Speichert die Diagrammseiten, wie sie gedruckt werden, als PDF-Datei."), none, {}},
        {Command::SaveReportPdf, "file_save_report_pdf", CommandScope::ChartWindow,
         U("Auswertung als PDF speichern ..."), none,
         U("Speichert die Seiten der Auswertung, wie sie gedruckt werden, als PDF-Datei."), none, {}},
        {Command::AskFirstLoadAgain, "file_ask_first_load_again", CommandScope::ChartWindow,
         U("Datenanpassungen erneut abfragen"), none,
         U("Vergisst die Antwort auf die Datenanpassungen dieser Messdatei und öffnet sie neu."), none, {}},
        {Command::NextExceedance, "exceedances_next", CommandScope::ChartWindow,
         U("Nächste Überschreitung\tF3"), U("Nächste Überschreitung"),
         U("Zeigt die nächste Überschreitung in Fahrtrichtung und markiert ihre Station."), U("next_exceedance"),
         QKeySequence(Qt::Key_F3)},
        {Command::PreviousExceedance, "exceedances_previous", CommandScope::ChartWindow,
         U("Vorherige Überschreitung\tUmschalt+F3"), U("Vorherige Überschreitung"),
         U("Zeigt die vorherige Überschreitung in Fahrtrichtung und markiert ihre Station."),
         U("previous_exceedance"), QKeySequence(Qt::SHIFT | Qt::Key_F3)},
        {Command::ToggleOverview, "view_overview", CommandScope::MainWindow,
         U("Übersicht ein-/ausblenden"), none,
         U("Zeigt die ganze Messfahrt in einem Streifen unter den Diagrammen oder blendet sie aus."), none, {}, true},
        {Command::ToggleExceedanceList, "view_exceedance_list", CommandScope::MainWindow,
         U("Überschreitungsliste ein-/ausblenden"), none,
         U("Zeigt die Überschreitungen je Streckenabschnitt in einer Liste, die offen bleibt, oder blendet sie aus."),
         none, {}, true},
        {Command::FirstPage, "chart_first_page", CommandScope::ChartWindow,
         U("Erste Seite"), none, U("Zeigt die erste Diagrammseite."), none, QKeySequence(Qt::Key_Home)},
        {Command::LastPage, "chart_last_page", CommandScope::ChartWindow,
         U("Letzte Seite"), none, U("Zeigt die letzte Diagrammseite."), none, QKeySequence(Qt::Key_End)},
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

bool CommandEnabled(CommandScope scope, bool hasActiveChart, bool printing, bool hasWindows)
{
    switch (scope) {
    case CommandScope::MainWindow: return true;
    case CommandScope::ChartWindow: return hasActiveChart && !printing;
    case CommandScope::AnyWindow: return hasWindows;
    case CommandScope::NotAvailable: return false;
    }
    return false;
}

}  // namespace kurvex
