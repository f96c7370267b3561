#pragma once
// Many runs at once: the measurement files of PATHs given on the command line,
// and their work shared among threads with the results kept in file order.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <functional>

namespace kurvex::cli {

// The files to open, in order: each file PATH as given, then for each folder
// every file below it in sorted order of the paths. In folders, side files
// (".zi4") and limit tables (".PGC") are left out; they belong to a run and are
// read with it. Every other file is tried as a run, recognised by content.
// Throws CliError for a PATH that does not exist.
QStringList CollectRunFiles(const QStringList& paths);

// --jobs N, by default the number of cores.
QCommandLineOption JobsOptionDefinition();
int JobsOption(const QCommandLineParser& parser, const QCommandLineOption& option);

// Calls work(i) for i in [0, count) on up to jobs threads; each index once.
// While it works, "done/count Fahrten" stands on standard error when that is a terminal.
void RunInParallel(int count, int jobs, const std::function<void(int)>& work);

}  // namespace kurvex::cli
