#pragma once
// The two roundings the sizing uses: to one decimal and to whole units, halves upward.
#include <cmath>

namespace kalorina {

inline double Round1(double x)
{
    return std::floor(10.0 * x + 0.5) * 0.1;
}
inline double RoundW(double x)
{
    return std::floor(x + 0.5);
}

} // namespace kalorina
