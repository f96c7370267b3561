#include "cli/BatchRuns.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>


#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "cli/CliCommon.h"
#include "common/FileAccess.h"

namespace kurvex::cli {

namespace {

bool BelongsToARun(const QFileInfo& file)
{
    const QString suffix = file.suffix();
    return suffix.compare(QStringLiteral("zi4"), Qt::CaseInsensitive) == 0 ||
           suffix.compare(QStringLiteral("pgc"), Qt::CaseInsensitive) == 0;
}

QStringList FilesBelow(const QString& folder)
{
    QStringList files;
    // Links to folders are not followed: a link back up would never end.
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo file(it.next());
        if (!BelongsToARun(file))
            files.append(file.filePath());
    }
    std::sort(files.begin(), files.end());
    return files;
}

class Progress {
public:
    explicit Progress(int count) : m_count(count), m_shown(StandardErrorIsTerminal()) {}
    ~Progress()
    {
        if (m_shown && m_count > 0)
            std::fputc('\n', stderr);
    }
    // One more run is done.
    void Advance()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        ++m_done;
        if (!m_shown)
            return;
        std::fprintf(stderr, "\r%d/%d Fahrten", m_done, m_count);
        std::fflush(stderr);
    }

private:
    const int m_count;
    const bool m_shown;
    std::mutex m_mutex;
    int m_done = 0;
};

}  // namespace

QStringList CollectRunFiles(const QStringList& paths)
{
    QStringList files;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (!info.exists())
            throw CliError{QStringLiteral("Die Datei %1 wurde nicht gefunden.").arg(path)};
        if (info.isDir())
            files += FilesBelow(path);
        else
            files.append(path);
    }
    return files;
}

QCommandLineOption JobsOptionDefinition()
{
    return QCommandLineOption(QStringLiteral("jobs"),
                              QStringLiteral("Messfahrten, die gleichzeitig geöffnet werden (Vorgabe: Zahl der Kerne)."),
                              QStringLiteral("N"));
}

int JobsOption(const QCommandLineParser& parser, const QCommandLineOption& option)
{
    if (!parser.isSet(option))
        return static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    bool ok = false;
    const int jobs = parser.value(option).toInt(&ok);
    if (!ok || jobs < 1)
        throw CliError{QStringLiteral("--jobs muss eine Zahl ab 1 sein: %1").arg(parser.value(option))};
    return jobs;
}

void RunInParallel(int count, int jobs, const std::function<void(int)>& work)
{
    Progress progress(count);
    std::atomic<int> next{0};
    const auto worker = [&]() {
        for (int i = next++; i < count; i = next++) {
            work(i);
            progress.Advance();
        }
    };
    const int threads = std::min(jobs, count);
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(worker);
    worker();  // the calling thread works too
    for (std::thread& thread : pool)
        thread.join();
}

}  // namespace kurvex::cli
