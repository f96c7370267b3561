// kurvex-procstat COMMAND [ARG...]: runs the command and reports, on standard
// error, its wall time, its peak resident memory and its processor time:
//   wall_s=0.123456 maxrss_kib=12345 cpu_s=0.120000 exit=0
// The command's standard output and error pass through. scripts/bench.sh times
// kurvex-cli and md5sum with it, so both are measured the same way.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace {

double Seconds(const timeval& t)
{
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: kurvex-procstat COMMAND [ARG...]\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("kurvex-procstat: fork");
        return 2;
    }
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::perror("kurvex-procstat: exec");
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) < 0) {
        std::perror("kurvex-procstat: wait");
        return 2;
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const int exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::fprintf(stderr, "wall_s=%.6f maxrss_kib=%ld cpu_s=%.6f exit=%d\n", wall, usage.ru_maxrss,
                 Seconds(usage.ru_utime) + Seconds(usage.ru_stime), exitCode);
    return exitCode;
}
