#include "cli/CliCommon.h"

#include <QFileInfo>

#include <cstdio>

#include "common/Cp1252.h"
#include "common/ui/QtPath.h"

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

void LoadRun(const QString& path, CMessFahrtDaten& run)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw CliError{QStringLiteral("Die Datei %1 wurde nicht gefunden.").arg(path)};
    if (info.isDir() || !run.LoadFromFile(ToCorePath(path)))
        throw CliError{QStringLiteral("Die Datei %1 kann nicht geöffnet werden.").arg(path)};
    for (const UserMessage& message : run.ReadMessages())
        PrintError(FromCp1252(message.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    if (!run.IsLoaded())
        throw CliError{QString::fromUtf8(kMsgUnexpectedFormat)};
}

}  // namespace kurvex::cli
