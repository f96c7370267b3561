// kurvex-cli report-lines: the lines of the evaluation report as the builder
// lays them out, each followed by LF; Windows-1252 bytes unless --utf8.

#include "cli/CliCommon.h"
#include "cli/DocumentOpen.h"
#include "common/Cp1252.h"
#include "evaluation/DocumentReport.h"

namespace kurvex::cli {

int RunReportLines(const QStringList& arguments)
{
    SingleRunCommandLine commandLine;
    QCommandLineParser& parser = commandLine.Parser();
    const QCommandLineOption utf8(QStringLiteral("utf8"), QStringLiteral("Zeilen in UTF-8 statt Windows-1252 ausgeben."));
    parser.addOption(utf8);
    if (!commandLine.Parse(arguments, QStringLiteral("Gibt die Zeilen des Überschreitungsprotokolls aus.")))
        return kExitOk;
    const std::unique_ptr<CKurvexDoc> doc = commandLine.OpenRun();

    RebuildDocumentReport(*doc);
    const bool toUtf8 = parser.isSet(utf8);
    std::string out;
    for (const std::string& line : doc->ReportLines()) {
        out += toUtf8 ? Cp1252ToUtf8(line) : line;
        out += '\n';
    }
    WriteStdout(out);
    return kExitOk;
}

}  // namespace kurvex::cli
