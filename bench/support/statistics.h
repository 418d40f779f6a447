#pragma once

#include <algorithm>
#include <vector>

// The middle of the samples (the upper one of an even count); 0 without samples.
inline double median(std::vector<double> values) {
    std::ranges::sort(values);
    return values.empty() ? 0 : values[values.size() / 2];
}
