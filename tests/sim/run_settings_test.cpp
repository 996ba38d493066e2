// Where run seeds come from, and the Wilson interval's known values.

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "sim/run_settings.h"
#include "sim/wilson.h"

namespace orvix {
namespace {

TEST(RunSeeds, AFixedSeedStartsAKnownSequence) {
  // Outputs of the published splitmix64 generator started at 0 and at 42.
  EXPECT_EQ(seed_sequence_value(0, 1), 0xE220A8397B1DCDAFu);
  EXPECT_EQ(seed_sequence_value(0, 2), 0x6E789E6AA1B965F4u);
  EXPECT_EQ(seed_sequence_value(42, 1), 13679457532755275413u);
  EXPECT_EQ(seed_sequence_value(42, 2), 2949826092126892291u);
  EXPECT_EQ(seed_sequence_value(~std::uint64_t{0}, 0), ~std::uint64_t{0});

  RunSettings settings;
  EXPECT_FALSE(settings.has_last_seed);
  fix_seed(settings, 42);
  EXPECT_EQ(take_run_seed(settings), 42u);
  EXPECT_EQ(take_run_seed(settings), 13679457532755275413u);
  EXPECT_EQ(settings.last_seed, 13679457532755275413u);
  // Giving the seed again starts the sequence again.
  fix_seed(settings, 42);
  EXPECT_EQ(take_run_seed(settings), 42u);
}

TEST(RunSeeds, FreshSeedsDifferAndResetKeepsTheLastSeed) {
  RunSettings settings;
  fix_seed(settings, 7);
  settings.part = 2;
  settings.parts = 9;
  take_run_seed(settings);
  use_fresh_seeds(settings);
  std::set<std::uint64_t> seen;
  for (int i = 0; i < 16; ++i) seen.insert(take_run_seed(settings));
  EXPECT_EQ(seen.size(), 16u);  // 64 random bits: a repeat means a broken source
  EXPECT_EQ(seen.count(settings.last_seed), 1u);

  fix_seed(settings, 7);
  const std::uint64_t last = settings.last_seed;
  reset_run_settings(settings);
  EXPECT_FALSE(settings.fixed_seed);
  EXPECT_EQ(settings.part, 1u);
  EXPECT_EQ(settings.parts, 1u);
  EXPECT_TRUE(settings.has_last_seed);
  EXPECT_EQ(settings.last_seed, last);
  EXPECT_NE(take_run_seed(settings), 7u);
}

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
