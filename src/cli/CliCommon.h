#pragma once
// Shared pieces of the kurvex-cli commands.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>

#include "measurement/MessFahrtDaten.h"

namespace kurvex::cli {

enum ExitCode { kExitOk = 0, kExitRefused = 2 };

// Thrown by the commands to end with a message on stderr and exit code 2.
struct CliError {
    QString message;
};

QString FromCp1252(const std::string& text);
void PrintError(const QString& message);
void WriteStdout(const std::string& bytes);

// Parses the options of a command whose last argument is one FILE. Returns false
// when --help was asked for (the help is then printed); throws CliError on bad usage.
bool ParseCommandLine(QCommandLineParser& parser, const QStringList& arguments, const QString& description);
QString SingleFile(const QCommandLineParser& parser);

// Reads FILE like the viewer does; throws CliError when it cannot be opened or
// no reader accepts it. Messages of the reading go to stderr first.
void LoadRun(const QString& path, CMessFahrtDaten& run);

int RunInfo(const QStringList& arguments);
int RunPoints(const QStringList& arguments);
int RunExport(const QStringList& arguments);
int RunRender(const QStringList& arguments);

// The application object of `render`: Qt Gui on the offscreen platform unless one is chosen.
std::unique_ptr<QCoreApplication> MakeGuiApplication(int& argc, char** argv);
int RunReportLines(const QStringList& arguments);

}  // namespace kurvex::cli
