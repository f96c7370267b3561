#pragma once
// Opening a measurement file as a document from the command line: the
// first-load question is answered by options that mirror the dialog.

#include <QCommandLineParser>
#include <QString>

#include <memory>
#include <vector>

#include "document/KurvexDoc.h"

namespace kurvex::cli {

class FirstLoadOptions {
public:
    // --adjust-start METRES, --ascending, --descending, --mirror
    void AddTo(QCommandLineParser& parser);
    // Throws CliError for contradicting options.
    void Check(const QCommandLineParser& parser) const;
    FirstLoadAnswer Answer(const QCommandLineParser& parser, int32_t fileStart, int32_t fileEnd) const;

private:
    QCommandLineOption m_adjustStart{QStringLiteral("adjust-start"),
                                     QStringLiteral("Kilometrierung anpassen: neuer Start in Metern (Komma oder Punkt)."),
                                     QStringLiteral("METER")};
    QCommandLineOption m_ascending{QStringLiteral("ascending"), QStringLiteral("Aufsteigend (mit --adjust-start).")};
    QCommandLineOption m_descending{QStringLiteral("descending"), QStringLiteral("Absteigend (mit --adjust-start).")};
    QCommandLineOption m_mirror{QStringLiteral("mirror"), QStringLiteral("Abfolge der Messwerte spiegeln.")};
};

// The preamble of a command over one measurement file: its options after the
// first-load options, the parse, and FILE opened as the viewer opens it.
class SingleRunCommandLine {
public:
    SingleRunCommandLine() { m_firstLoad.AddTo(m_parser); }

    QCommandLineParser& Parser() { return m_parser; }
    const QCommandLineParser& Parser() const { return m_parser; }
    // False when --help was asked for (the help is then printed); throws CliError on bad usage.
    bool Parse(const QStringList& arguments, const QString& description);
    // Opens FILE as OpenDocument does.
    std::unique_ptr<CKurvexDoc> OpenRun() const;

private:
    QCommandLineParser m_parser;
    FirstLoadOptions m_firstLoad;
};

// Opens FILE as the viewer does; throws CliError when it cannot be opened or
// no reader accepts it. The messages of the open are kept in the document.
std::unique_ptr<CKurvexDoc> OpenDocument(const QString& path, const QCommandLineParser& parser,
                                         const FirstLoadOptions& firstLoad);

// Opens FILE as OpenDocument does without first-load options (the question
// answered OK without changes), keeping the open's messages in messages instead
// of printing them: for runs opened side by side.
std::unique_ptr<CKurvexDoc> OpenDocumentCollecting(const QString& path, std::vector<QString>& messages);

QString IconName(MessageIcon icon);

}  // namespace kurvex::cli
