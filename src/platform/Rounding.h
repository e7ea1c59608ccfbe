#pragma once
// Reals become integers by rounding to the nearest integer, halves to even, as the
// board's own arithmetic always did. Out-of-range and NaN inputs are clamped (NaN gives 0).
#include <cmath>
#include <limits>

inline long long RoundHalfEven64(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double maxValue = 9.2233720368547748e18;
    if (value >= maxValue) {
        return std::numeric_limits<long long>::max();
    }
    if (value <= -maxValue) {
        return std::numeric_limits<long long>::min();
    }
    const double floorValue = std::floor(value);
    const double fraction = value - floorValue;
    auto result = static_cast<long long>(floorValue);
    if (fraction > 0.5 || (fraction == 0.5 && (result % 2 != 0))) {
        ++result;
    }
    return result;
}

inline int RoundHalfEven(double value)
{
    const long long wide = RoundHalfEven64(value);
    if (wide > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (wide < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(wide);
}
