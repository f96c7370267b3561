#include "cli/CliCommon.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include "common/Cp1252.h"

namespace kurvex::cli {

namespace {
constexpr const char* kMsgUnexpectedFormat = "Unerwartetes Dateiformat.";
}

QString FromCp1252(const std::string& text)
{
    return QString::fromStdString(Cp1252ToUtf8(text));
}

std::string ToLocalPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
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

bool ParseCommandLine(QCommandLineParser& parser, const QStringList& arguments, const QString& description)
{
    parser.setApplicationDescription(description);
    parser.addPositionalArgument(QStringLiteral("DATEI"), QStringLiteral("Messdatei"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Diese Hilfe anzeigen."));
    parser.addOption(help);
    if (!parser.parse(arguments))
        throw CliError{parser.errorText()};
    if (parser.isSet(help)) {
        WriteStdout(parser.helpText().toStdString());
        return false;
    }
    if (parser.positionalArguments().size() != 1)
        throw CliError{QStringLiteral("Bitte genau eine Messdatei angeben.\n") + parser.helpText()};
    return true;
}

QString SingleFile(const QCommandLineParser& parser)
{
    return parser.positionalArguments().constFirst();
}

}  // namespace kurvex::cli
