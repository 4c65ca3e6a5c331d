#pragma once
// What the benchmark programs share: a fine clock and the median of samples.
// They print figures and ratios against a baseline from the same run; nothing
// here decides pass or fail.
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace test_support {

// Milliseconds on the performance counter (GetTickCount's 16 ms steps would
// swallow the figures).
inline double now_ms() {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency);
}

inline double median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

}  // namespace test_support
