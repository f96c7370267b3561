// kurvex-cli export: the IMEXPORT001 text of a PM01BS02 or IMEXPORT001 run, with
// the same checks of decimal sign and separator as the export dialog.

#include "cli/CliCommon.h"
#include "cli/DocumentOpen.h"
#include "measurement/ExportText.h"
#include "measurement/FormatCode.h"

namespace kurvex::cli {

int RunExport(const QStringList& arguments)
{
    SingleRunCommandLine commandLine;
    QCommandLineParser& parser = commandLine.Parser();
    const QCommandLineOption decimal(QStringLiteral("decimal"), QStringLiteral("Dezimalzeichen: comma (Vorgabe) oder point."),
                                     QStringLiteral("comma|point"), QStringLiteral("comma"));
    const QCommandLineOption separator(QStringLiteral("separator"),
                                       QStringLiteral("Feldtrenner: tab (Vorgabe), semicolon, comma oder ein anderes Zeichen."),
                                       QStringLiteral("tab|semicolon|comma|TEXT"), QStringLiteral("tab"));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Ausgabedatei (Vorgabe: Standardausgabe)."), QStringLiteral("AUSGABE"));
    parser.addOptions({decimal, separator, output});
    if (!commandLine.Parse(arguments, QStringLiteral("Exportiert die Messwerte als IMEXPORT001-Text.")))
        return kExitOk;

    const bool decimalComma = DecimalCommaOption(parser.value(decimal));
    const std::string separatorText = SeparatorOption(parser.value(separator));
    const std::string problem = CheckExportSeparator(decimalComma, separatorText);
    if (!problem.empty())
        throw CliError{FromCp1252(problem).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))};

    // Opened as the viewer opens it, so that its messages (an inconsistent side
    // file, an incomplete run) reach standard error as with the other commands.
    // The exported lines are those of the file, whatever the adjustments.
    const std::unique_ptr<CKurvexDoc> doc = commandLine.OpenRun();
    const CMessFahrtDaten& run = doc->Run();
    if (run.FormatCode() != kFormatPm01bs02)
        throw CliError{QStringLiteral("Der Export ist nur für Messdateien im Format PM01BS02 oder IMEXPORT001 möglich.")};

    const std::string text = run.BuildExportText(decimalComma, separatorText);
    if (parser.isSet(output))
        WriteOutputFile(parser.value(output), text);
    else
        WriteStdout(text);
    return kExitOk;
}

}  // namespace kurvex::cli
