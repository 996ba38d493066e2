#pragma once
// The Wilson score interval for a proportion seen as `hits` of `trials`.

#include <cstdint>

namespace orvix {

// The two-sided 95% normal quantile.
inline constexpr double kZ95 = 1.959963984540054;

struct Interval {
  double low = 0.0;
  double high = 0.0;
};

// Wilson interval of hits/trials at quantile z, as fractions in [0, 1].
// With no trials nothing is known: [0, 1].
// wilson_interval(0, 10, kZ95) ~ {0, 0.2775}.
Interval wilson_interval(std::uint64_t hits, std::uint64_t trials, double z);

}  // namespace orvix
