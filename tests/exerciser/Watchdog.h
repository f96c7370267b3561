#pragma once
// Turns a hang into a failure: when no action has completed for the given
// time, it prints what was running and aborts the main thread, so a sanitizer
// build prints the main thread's stack.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include <pthread.h>

namespace kurvex::exerciser {

class Watchdog {
public:
    // describe: what the run is doing (called from the watchdog's thread).
    Watchdog(std::chrono::seconds limit, std::function<std::string()> describe);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // An action completed.
    void Progress();

private:
    void Watch();

    std::chrono::seconds m_limit;
    std::function<std::string()> m_describe;
    pthread_t m_mainThread;
    std::atomic<int64_t> m_lastProgress;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};

}  // namespace kurvex::exerciser
