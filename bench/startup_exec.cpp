// Whole-process start-up: runs a program that prints "quillnote-first-paint
// <ns>" (CLOCK_MONOTONIC) to stderr when its window is painted, and reports
// the time from just before its fork and exec to that line, and the CPU time
// the process used (user + system; on a busy machine the steadier figure).
// Each run starts half a second after the last one ended, as a user's start
// meets a settled machine: straight after an exit, the system is still
// tearing the last run down, which here added about 60 ms to the next start.
// Usage:
//   startup_exec RUNS PROGRAM [ARGS...]
// prints every run, then min, median and max in milliseconds. bench/startup.sh
// runs it under a virtual X server; see there.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

struct Run {
    double wallMs;
    double cpuMs;
};

double milliseconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

// One run to the painted window; nothing when the program ended without it.
std::optional<Run> runOnce(char** argv) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return std::nullopt;
    const long long start = monotonicNs();
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDERR_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        execv(argv[0], argv);
        _exit(127);
    }
    close(pipeEnds[1]);
    std::string output;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<size_t>(n));
    close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const char kMark[] = "quillnote-first-paint ";
    const size_t at = output.find(kMark);
    if (at == std::string::npos) {
        std::fprintf(stderr, "no painted window; the program wrote:\n%s", output.c_str());
        return std::nullopt;
    }
    const long long painted = std::atoll(output.c_str() + at + std::strlen(kMark));
    return Run{static_cast<double>(painted - start) / 1e6,
               milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime)};
}

void summarise(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    const size_t n = ms.size();
    const double median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
    std::printf("%s: min %.1f ms, median %.1f ms, max %.1f ms over %zu runs\n", what, ms.front(),
                median, ms.back(), n);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_exec RUNS PROGRAM [ARGS...]\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int i = 0; i < runs; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        const auto run = runOnce(argv + 2);
        if (!run) return 1;
        wall.push_back(run->wallMs);
        cpu.push_back(run->cpuMs);
        std::printf("run %2d: %7.1f ms wall-clock, %7.1f ms CPU\n", i + 1, run->wallMs, run->cpuMs);
    }
    summarise("wall-clock", wall);
    summarise("CPU", cpu);
    return 0;
}
