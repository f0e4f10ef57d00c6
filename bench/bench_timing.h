#pragma once

// Clocks for the benchmarks, and repeated runs summed up as min / median / max.
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <time.h>
#include <vector>

struct Spread {
    double min = 0;
    double median = 0;
    double max = 0;
};

inline Spread spreadOf(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return {times.front(), times[times.size() / 2], times.back()};
}

// One row of figures, in milliseconds unless said otherwise, lined up with the rows around it.
inline void printTimes(const char* what, const Spread& figures, const char* unit = "ms") {
    std::printf("  %-44s min %6.2f  median %6.2f  max %6.2f %s\n", what, figures.min,
                figures.median, figures.max, unit);
}

template <class Work> double elapsedMs(Work work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

// Processor time of the calling thread.
inline double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The processor time of the children reaped so far.
inline double childrenCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval& t) {
        return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}
