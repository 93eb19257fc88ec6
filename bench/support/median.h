#pragma once

#include <algorithm>
#include <vector>

// The median of a benchmark's timings: the middle one, or the mean of the two middle
// ones when their number is even.
template <typename T> T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
