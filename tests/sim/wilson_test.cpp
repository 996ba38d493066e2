#include <gtest/gtest.h>

#include <cstdint>

#include "sim/wilson.h"

namespace orvix {
namespace {

TEST(Wilson, KnownIntervals) {
  // 0 of n: [0, z^2 / (n + z^2)]; n of n: [n / (n + z^2), 1].
  const double z2 = kZ95 * kZ95;
  Interval none = wilson_interval(0, 10, kZ95);
  EXPECT_EQ(none.low, 0.0);
  EXPECT_NEAR(none.high, z2 / (10 + z2), 1e-15);
  EXPECT_NEAR(none.high, 0.2775327, 1e-7);
  Interval all = wilson_interval(10, 10, kZ95);
  EXPECT_NEAR(all.low, 10 / (10 + z2), 1e-15);
  EXPECT_EQ(all.high, 1.0);
  // Half of 100: symmetric about one half, 0.4038315 to 0.5961685.
  Interval half = wilson_interval(50, 100, kZ95);
  EXPECT_NEAR(half.low, 0.4038315, 1e-7);
  EXPECT_NEAR(half.high, 0.5961685, 1e-7);
  Interval empty = wilson_interval(0, 0, kZ95);
  EXPECT_EQ(empty.low, 0.0);
  EXPECT_EQ(empty.high, 1.0);
  // Huge counts stay inside [0, 1] and around the proportion.
  Interval huge = wilson_interval(1, ~std::uint64_t{0}, kZ95);
  EXPECT_GE(huge.low, 0.0);
  EXPECT_LT(huge.high, 1e-15);
}

}  // namespace
}  // namespace orvix
