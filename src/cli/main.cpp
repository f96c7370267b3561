// kurvex-cli: the work of the viewer without a window, for batch use in labs.

#include <QCoreApplication>
#include <QStringList>

#include <cstring>
#include <memory>

#include "cli/CliCommon.h"
#include "common/Version.h"

namespace {

const char* const kUsage =
    "Aufruf: kurvex-cli BEFEHL [OPTIONEN] DATEI\n"
    "\n"
    "Befehle:\n"
    "  info DATEI      Messfahrt lesen und als JSON beschreiben\n"
    "  points DATEI    Messpunkte des Ausschnitts, ein Punkt je Zeile (Tab-getrennt)\n"
    "  export DATEI    Messwerte als IMEXPORT001-Text ausgeben\n"
    "                  [--decimal comma|point] [--separator tab|semicolon|comma|TEXT] [-o AUSGABE]\n"
    "  render DATEI    Diagrammseiten: --chart -o AUSGABE.pdf [--pages A-B] oder -o AUSGABE.png\n"
    "                  [--page N] [--screen] [--pick STATION] [--strips 2|3] [--grid]\n"
    "                  Protokoll: --report -o AUSGABE.pdf oder -o AUSGABE.png [--page N]\n"
    "  render --out-dir ORDNER PFAD...  Diagramm und Protokoll vieler Messfahrten als PDF\n"
    "                  [--jobs N] [--strips 2|3] [--grid]\n"
    "  report-lines DATEI  Zeilen des Überschreitungsprotokolls [--utf8]\n"
    "  summary PFAD... Auswertungen vieler Messfahrten (Dateien oder Ordner) als JSON oder CSV\n"
    "                  [--format json|csv] [--decimal comma|point] [--separator TEXT] [--jobs N] [-o AUSGABE]\n"
    "\n"
    "kurvex-cli BEFEHL --help zeigt die Optionen eines Befehls.\n";

}  // namespace

int main(int argc, char* argv[])
{
    // Only render paints, and painting needs Qt Gui; the other commands stay without it.
    const bool render = argc > 1 && std::strcmp(argv[1], "render") == 0;
    const std::unique_ptr<QCoreApplication> app =
        render ? kurvex::cli::MakeGuiApplication(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kurvex-cli"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kurvex::kVersionText));

    QStringList arguments = QCoreApplication::arguments();
    const QString command = arguments.size() > 1 ? arguments.at(1) : QString();
    if (command == QStringLiteral("--version")) {
        kurvex::cli::WriteStdout(std::string("kurvex-cli ") + kurvex::kVersionText + "\n");
        return kurvex::cli::kExitOk;
    }
    if (command.isEmpty() || command == QStringLiteral("--help") || command == QStringLiteral("-h")) {
        kurvex::cli::WriteStdout(kUsage);
        return command.isEmpty() ? kurvex::cli::kExitRefused : kurvex::cli::kExitOk;
    }
    arguments.removeAt(1);  // the parsers of the commands see "kurvex-cli [options] FILE"

    try {
        if (command == QStringLiteral("info"))
            return kurvex::cli::RunInfo(arguments);
        if (command == QStringLiteral("points"))
            return kurvex::cli::RunPoints(arguments);
        if (command == QStringLiteral("export"))
            return kurvex::cli::RunExport(arguments);
        if (command == QStringLiteral("render"))
            return kurvex::cli::RunRender(arguments);
        if (command == QStringLiteral("summary"))
            return kurvex::cli::RunSummary(arguments);
        if (command == QStringLiteral("report-lines"))
            return kurvex::cli::RunReportLines(arguments);
        kurvex::cli::PrintError(QStringLiteral("Unbekannter Befehl: %1").arg(command));
        kurvex::cli::PrintError(QString::fromUtf8(kUsage));
    } catch (const kurvex::cli::CliError& error) {
        kurvex::cli::PrintError(error.message);
    }
    return kurvex::cli::kExitRefused;
}
