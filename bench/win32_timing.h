// Timing helpers shared by the benchmarks that run under Wine: elapsed time
// from QueryPerformanceCounter readings, a message pump between the timed
// steps, and the best and median of a set of repetitions.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

namespace bench {

inline double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

struct Stats {
    double best;
    double median;
};

inline Stats Summarise(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values.front(), values[values.size() / 2]};
}

}  // namespace bench
