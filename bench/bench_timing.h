#pragma once

// Wall times of repeated runs of a benchmark, summed up as min / median / max.
#include <QElapsedTimer>
#include <algorithm>
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

template <class Work> double elapsedMs(Work work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}
