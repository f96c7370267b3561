#include "Watchdog.h"

#include <csignal>
#include <cstdio>
#include <execinfo.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace kurvex::exerciser {

namespace {

int64_t Now()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Where the main thread is, printed from within it.
void PrintStack(int)
{
    static const char header[] = "\nkurvex_exerciser: the main thread is at:\n";
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, header, sizeof header - 1);
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_print_stack_trace();
#else
    void* frames[64];
    backtrace_symbols_fd(frames, backtrace(frames, 64), STDERR_FILENO);
#endif
}

}  // namespace

Watchdog::Watchdog(std::chrono::seconds limit, std::function<std::string()> describe)
    : m_limit(limit), m_describe(std::move(describe)), m_mainThread(pthread_self()), m_lastProgress(Now())
{
    std::signal(SIGUSR2, &PrintStack);
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
        // A few samples of where the main thread is, a second apart, then the
        // abort in the main thread (a sanitizer with handle_abort=1 prints it too).
        lock.unlock();
        for (int sample = 0; sample < 3; ++sample) {
            pthread_kill(m_mainThread, SIGUSR2);
            std::this_thread::sleep_for(std::chrono::seconds(1));
        }
        std::fflush(stderr);
        pthread_kill(m_mainThread, SIGABRT);
        std::this_thread::sleep_for(std::chrono::seconds(20));
        _exit(3);
    }
}

}  // namespace kurvex::exerciser
