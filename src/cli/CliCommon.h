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

enum ExitCode { kExitOk = 0, kExitSomeRefused = 1, kExitRefused = 2 };

// Thrown by the commands to end with a message on stderr and exit code 2.
struct CliError {
    QString message;
};

QString FromCp1252(const std::string& text);
void PrintError(const QString& message);
void WriteStdout(const std::string& bytes);
// Writes the bytes into the file; throws CliError when it cannot be written.
void WriteOutputFile(const QString& path, const std::string& bytes);

// Parses the options of a command whose last argument is one FILE. Returns false
// when --help was asked for (the help is then printed); throws CliError on bad usage.
bool ParseCommandLine(QCommandLineParser& parser, const QStringList& arguments, const QString& description);
QString SingleFile(const QCommandLineParser& parser);
// The same for a command over one or more PATHs (files or folders).
bool ParsePathsCommandLine(QCommandLineParser& parser, const QStringList& arguments, const QString& description);

// The --decimal and --separator values of the export, shared by the commands that write tables.
bool DecimalCommaOption(const QString& value);
std::string SeparatorOption(const QString& value);

}  // namespace kurvex::cli

namespace kurvex {
struct ChartRenderSettings;
}

namespace kurvex::cli {

// The printed chart pages of `render`: --strips 2|3 and --grid, today's date and the version.
ChartRenderSettings PrintedChartSettings(const QCommandLineParser& parser, const QCommandLineOption& strips,
                                         const QCommandLineOption& grid);

int RunInfo(const QStringList& arguments);
int RunPoints(const QStringList& arguments);
int RunExport(const QStringList& arguments);
int RunRender(const QStringList& arguments);
// render --out-dir DIR PATH...: chart and report PDF of every run into DIR.
bool WantsOutputFolder(const QStringList& arguments);
int RunRenderToFolder(const QStringList& arguments);
int RunSummary(const QStringList& arguments);

// The application object of `render`: Qt Gui on the offscreen platform unless one is chosen.
std::unique_ptr<QCoreApplication> MakeGuiApplication(int& argc, char** argv);
int RunReportLines(const QStringList& arguments);

}  // namespace kurvex::cli
