#include "Watchdog.h"

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace kurvex::exerciser {

namespace {

int64_t Now()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

Watchdog::Watchdog(std::chrono::seconds limit, std::function<std::string()> describe)
    : m_limit(limit), m_describe(std::move(describe)), m_mainThread(pthread_self()), m_lastProgress(Now())
{
    m_thread = std::thread([this] { Watch(); });
}

Watchdog::~Watchdog()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void Watchdog::Progress()
{
    m_lastProgress = Now();
}

void Watchdog::Watch()
{
    const int64_t limit = std::chrono::duration_cast<std::chrono::milliseconds>(m_limit).count();
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_stop) {
        m_wake.wait_for(lock, std::chrono::milliseconds(500));
        if (m_stop || Now() - m_lastProgress < limit)
            continue;
        const std::string what = m_describe();
        std::fprintf(stderr, "\nkurvex_exerciser: HANG: no action completed for %lld s\n%s\n",
                     static_cast<long long>(m_limit.count()), what.c_str());
        std::fflush(stderr);
        // In the main thread, so a sanitizer (handle_abort=1) prints where it hangs.
        pthread_kill(m_mainThread, SIGABRT);
        lock.unlock();
        std::this_thread::sleep_for(std::chrono::seconds(20));
        _exit(3);
    }
}

}  // namespace kurvex::exerciser
