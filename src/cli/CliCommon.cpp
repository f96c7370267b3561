#include "cli/CliCommon.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include "common/Cp1252.h"
#include "measurement/ExportText.h"

namespace kurvex::cli {

namespace {
constexpr const char* kMsgUnexpectedFormat = "Unerwartetes Dateiformat.";
}

QString FromCp1252(const std::string& text)
{
    return QString::fromStdString(Cp1252ToUtf8(text));
}

void PrintError(const QString& message)
{
    const QByteArray bytes = message.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fputc('\n', stderr);
}

void WriteStdout(const std::string& bytes)
{
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

namespace {

// Parses with the --help option added; false when the help was asked for and printed.
bool ParseWithHelp(QCommandLineParser& parser, const QStringList& arguments)
{
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Diese Hilfe anzeigen."));
    parser.addOption(help);
    if (!parser.parse(arguments))
        throw CliError{parser.errorText()};
    if (parser.isSet(help)) {
        WriteStdout(parser.helpText().toStdString());
        return false;
    }
    return true;
}

}  // namespace

bool ParseCommandLine(QCommandLineParser& parser, const QStringList& arguments, const QString& description)
{
    parser.setApplicationDescription(description);
    parser.addPositionalArgument(QStringLiteral("DATEI"), QStringLiteral("Messdatei"));
    if (!ParseWithHelp(parser, arguments))
        return false;
    if (parser.positionalArguments().size() != 1)
        throw CliError{QStringLiteral("Bitte genau eine Messdatei angeben.\n") + parser.helpText()};
    return true;
}

bool ParsePathsCommandLine(QCommandLineParser& parser, const QStringList& arguments, const QString& description)
{
    parser.setApplicationDescription(description);
    parser.addPositionalArgument(QStringLiteral("PFAD"), QStringLiteral("Messdateien oder Ordner"), QStringLiteral("PFAD..."));
    if (!ParseWithHelp(parser, arguments))
        return false;
    if (parser.positionalArguments().isEmpty())
        throw CliError{QStringLiteral("Bitte mindestens eine Messdatei oder einen Ordner angeben.\n") + parser.helpText()};
    return true;
}

QString SingleFile(const QCommandLineParser& parser)
{
    return parser.positionalArguments().constFirst();
}

bool DecimalCommaOption(const QString& value)
{
    if (value == QStringLiteral("comma"))
        return true;
    if (value == QStringLiteral("point"))
        return false;
    throw CliError{QStringLiteral("--decimal erwartet comma oder point, nicht \"%1\".").arg(value)};
}

std::string SeparatorOption(const QString& value)
{
    if (value == QStringLiteral("tab"))
        return "\t";
    if (value == QStringLiteral("semicolon"))
        return ";";
    if (value == QStringLiteral("comma"))
        return ",";
    // Any other text is the "anderes Zeichen:" of the dialog, in the file's code page.
    const QByteArray bytes = value.toLatin1();
    return NormalizeOtherSeparator(bytes.toStdString());
}

void WriteOutputFile(const QString& path, const std::string& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw CliError{QStringLiteral("Die Datei %1 kann nicht geschrieben werden: %2").arg(path, file.errorString())};
    const qint64 written = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (written != static_cast<qint64>(bytes.size()) || !file.flush())
        throw CliError{QStringLiteral("Die Datei %1 kann nicht geschrieben werden: %2").arg(path, file.errorString())};
}

}  // namespace kurvex::cli
