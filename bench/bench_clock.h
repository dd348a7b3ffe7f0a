#pragma once
// Timing for the benchmarks: every figure is the median of several runs, and
// what is reported is a ratio against a baseline measured in the same run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace bench {

inline double nowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Runs each measurement in turn, rounds times, so both see the same machine.
inline std::vector<double> interleaved(int rounds, const std::vector<std::function<double()>>& runs) {
    std::vector<std::vector<double>> times(runs.size());
    for (int r = 0; r < rounds; ++r)
        for (size_t i = 0; i < runs.size(); ++i) times[i].push_back(runs[i]());
    std::vector<double> medians;
    for (auto& t : times) medians.push_back(median(t));
    return medians;
}

// One line of the results table: name, figure, baseline, ratio, target.
inline void report(const char* what, double value, double baseline, double target, const char* unit) {
    double ratio = baseline > 0 ? value / baseline : 0;
    std::printf("| %s | %.1f %s | %.1f %s | %.2fx | <= %.2fx | %s |\n", what, value, unit, baseline, unit, ratio,
                target, ratio <= target ? "met" : "NOT met");
    std::fflush(stdout);
}

} // namespace bench
