// Where run seeds come from.

#include <gtest/gtest.h>

#include <set>

#include "sim/run_settings.h"

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
}

}  // namespace
}  // namespace orvix
