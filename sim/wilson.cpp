#include "sim/wilson.h"

#include <algorithm>
#include <cmath>

namespace orvix {

Interval wilson_interval(std::uint64_t hits, std::uint64_t trials, double z) {
  if (trials == 0) return {0.0, 1.0};
  const double n = static_cast<double>(trials);
  const double p = static_cast<double>(hits) / n;
  const double z2 = z * z;
  const double scale = 1.0 + z2 / n;
  const double centre = (p + z2 / (2.0 * n)) / scale;
  const double half = z / scale * std::sqrt(p * (1.0 - p) / n + z2 / (4.0 * n * n));
  // The exact ends at 0 and n hits are 0 and 1; rounding must not move them.
  const double low = hits == 0 ? 0.0 : std::max(0.0, centre - half);
  const double high = hits == trials ? 1.0 : std::min(1.0, centre + half);
  return {low, high};
}

}  // namespace orvix
