#include "cli/DocumentOpen.h"

#include <QFileInfo>

#include "cli/CliCommon.h"
#include "common/ui/QtPath.h"
#include "document/FirstLoadAdjustments.h"
#include "document/MemorySettingsStore.h"

namespace kurvex::cli {

namespace {

QString MessageText(const UserMessage& message)
{
    return FromCp1252(message.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The open's questions answered from the command line; messages go to stderr.
class CliInteraction : public OpenInteraction {
public:
    CliInteraction(const QCommandLineParser& parser, const FirstLoadOptions& firstLoad)
        : m_parser(parser), m_firstLoad(firstLoad)
    {
    }
    void ShowMessage(const UserMessage& message) override { PrintError(MessageText(message)); }
    FirstLoadAnswer AskFirstLoadAdjustments(int32_t fileStart, int32_t fileEnd) override
    {
        return m_firstLoad.Answer(m_parser, fileStart, fileEnd);
    }

private:
    const QCommandLineParser& m_parser;
    const FirstLoadOptions& m_firstLoad;
};

// The open of a batch: messages kept, the first-load question answered OK.
class CollectingInteraction : public OpenInteraction {
public:
    explicit CollectingInteraction(std::vector<QString>& messages) : m_messages(messages) {}
    void ShowMessage(const UserMessage& message) override { m_messages.push_back(MessageText(message)); }
    FirstLoadAnswer AskFirstLoadAdjustments(int32_t fileStart, int32_t fileEnd) override
    {
        const FirstLoadAdjustments model(fileStart, fileEnd);
        return FirstLoadAnswer{model.Mirror(), model.OkResult()};
    }

private:
    std::vector<QString>& m_messages;
};

std::unique_ptr<CKurvexDoc> OpenWith(const QString& path, OpenInteraction& interaction)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw CliError{QStringLiteral("Die Datei %1 wurde nicht gefunden.").arg(path)};
    // No user settings from the command line: the built-in defaults.
    const MemorySettingsStore store;
    CEinstellungen settings;
    settings.ReadFrom(store);
    auto doc = std::make_unique<CKurvexDoc>();
    switch (doc->Open(ToCorePath(path), settings, interaction)) {
    case OpenResult::Opened:
        return doc;
    case OpenResult::CannotOpenFile:
        throw CliError{QStringLiteral("Die Datei %1 kann nicht geöffnet werden.").arg(path)};
    case OpenResult::UnexpectedFormat:
        break;
    }
    throw CliError{QString::fromUtf8(kMsgUnexpectedFormat)};
}

}  // namespace

void FirstLoadOptions::AddTo(QCommandLineParser& parser)
{
    parser.addOptions({m_adjustStart, m_ascending, m_descending, m_mirror});
}

void FirstLoadOptions::Check(const QCommandLineParser& parser) const
{
    if (parser.isSet(m_ascending) && parser.isSet(m_descending))
        throw CliError{QStringLiteral("--ascending und --descending schließen sich aus.")};
}

FirstLoadAnswer FirstLoadOptions::Answer(const QCommandLineParser& parser, int32_t fileStart, int32_t fileEnd) const
{
    FirstLoadAdjustments model(fileStart, fileEnd);
    if (parser.isSet(m_adjustStart)) {
        model.SetAdjust(true);
        model.SetStartText(parser.value(m_adjustStart).toStdString());
    }
    if (parser.isSet(m_ascending))
        model.SetAscending(true);
    if (parser.isSet(m_descending))
        model.SetAscending(false);
    model.SetMirror(parser.isSet(m_mirror));
    return FirstLoadAnswer{model.Mirror(), model.OkResult()};
}

std::unique_ptr<CKurvexDoc> OpenDocument(const QString& path, const QCommandLineParser& parser,
                                         const FirstLoadOptions& firstLoad)
{
    firstLoad.Check(parser);
    CliInteraction interaction(parser, firstLoad);
    return OpenWith(path, interaction);
}

std::unique_ptr<CKurvexDoc> OpenDocumentCollecting(const QString& path, std::vector<QString>& messages)
{
    CollectingInteraction interaction(messages);
    return OpenWith(path, interaction);
}

bool SingleRunCommandLine::Parse(const QStringList& arguments, const QString& description)
{
    return ParseCommandLine(m_parser, arguments, description);
}

std::unique_ptr<CKurvexDoc> SingleRunCommandLine::OpenRun() const
{
    return OpenDocument(SingleFile(m_parser), m_parser, m_firstLoad);
}

QString IconName(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Stop: return QStringLiteral("stop");
    case MessageIcon::Exclamation: return QStringLiteral("exclamation");
    case MessageIcon::Information: return QStringLiteral("information");
    case MessageIcon::Question: return QStringLiteral("question");
    }
    return QString();
}

}  // namespace kurvex::cli
