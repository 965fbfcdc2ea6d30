#pragma once

// Figures over repeated runs, shared by the benchmark programs.
#include <algorithm>
#include <ctime>
#include <utility>
#include <vector>

namespace Bench {

/// The value `share` of the way up the sorted values (0.5: the median, the upper middle of an even
/// count); 0 for no values.
inline double percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<size_t>(share * values.size()))];
}

inline double median(std::vector<double> values) {
    return percentile(std::move(values), 0.5);
}

/// CPU time of the calling thread, in milliseconds. Other processes' load does not count in it;
/// with LP_NUM_THREADS=0 a software rasteriser draws on this thread, so it holds the GL work too.
inline double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1.0e6;
}

} // namespace Bench
