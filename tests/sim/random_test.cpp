// The random generators: known values, bounded digits, and the stream of
// each block of a run.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "sim/random.h"
#include "sim/seeding.h"

namespace orvix {
namespace {

TEST(Generator, MatchesPublishedPcg32AndSplitmix64Values) {
  // PCG32 seeded with 42 on stream 54 (state 0, one step, add 42, one step):
  // the generator's published first outputs.
  std::uint64_t state = 0;
  const std::uint64_t increment = (54u << 1) | 1u;
  pcg_next(state, increment);
  state += 42;
  pcg_next(state, increment);
  const std::uint32_t expected[] = {0xa15c02b7, 0x7b47f409, 0xba1d3330,
                                    0x83d2f293, 0xbfa4784b, 0xcbed606e};
  for (std::uint32_t value : expected) EXPECT_EQ(pcg_next(state, increment), value);
  EXPECT_EQ(splitmix64(0), 0xE220A8397B1DCDAFULL);
}

TEST(Generator, DigitsAreTheMixedRadixDigitsOfOneBoundedDraw) {
  // draw_digits(x, a, b, c) must be floor(x * R / 2^32) written in the digits
  // of a, b, c (R = a * b * c), with the low half of x * R left over: then it
  // is multiply-high bounding on R, exactly uniform with its redraw.
  EXPECT_EQ(rejection_threshold(52), 48u);  // 2^32 = 82595524 * 52 + 48
  EXPECT_EQ(rejection_threshold(1), 0u);
  EXPECT_EQ(rejection_threshold(52 * 51 * 50), 4294967296ULL % (52 * 51 * 50));
  std::uint64_t state = 7;
  const std::uint64_t increment = 9;
  const std::uint32_t ranges[][3] = {{52, 51, 50},    {108, 107, 106}, {256, 255, 254},
                                     {4096, 4095, 1}, {100000, 1, 1},  {3, 2, 1},
                                     {1, 1, 1}};
  for (const auto& r : ranges) {
    const std::uint64_t product = std::uint64_t{r[0]} * r[1] * r[2];
    for (int i = 0; i < 20000; ++i) {
      const std::uint32_t x = pcg_next(state, increment);
      const DigitDraw d = draw_digits(x, r[0], r[1], r[2]);
      const std::uint64_t whole = x * product;  // product < 2^32: no overflow
      const std::uint64_t value = whole >> 32;
      ASSERT_EQ(d.low, static_cast<std::uint32_t>(whole));
      ASSERT_EQ(value, (std::uint64_t{d.first} * r[1] + d.second) * r[2] + d.third) << r[0];
      ASSERT_LT(d.first, r[0]);
      ASSERT_LT(d.second, r[1]);
      ASSERT_LT(d.third, r[2]);
    }
  }
}

TEST(Generator, BoundedDigitsRedrawExactlyTheLowHalvesBelowTheThreshold) {
  // Against a slow reference: draw, and draw again while the low half is
  // below 2^32 mod R, whatever bound the fast path tests first. Ranges with a large remainder (R =
  // 3 * 2^30 + 1 leaves 2^30 - 1) make the redraw common enough to be exercised.
  const std::uint32_t ranges[][3] = {
      {3, 2, 1}, {0x40000001u, 3, 1}, {0xC0000001u, 1, 1}, {52, 51, 50}, {7, 1, 1}};
  std::uint64_t fast = 99, slow = 99;
  const std::uint64_t increment = 0x1234567u;
  int redraws = 0;
  for (const auto& r : ranges) {
    const std::uint32_t product = r[0] * r[1] * r[2];
    const std::uint32_t threshold = rejection_threshold(product);
    for (int i = 0; i < 20000; ++i) {
      // Any bound from the product up gives the same draws.
      const std::uint32_t bound = i % 2 == 0 ? product : product + (0xFFFFFFFFu - product) / 3;
      const DigitDraw got = bounded_digits(fast, increment, r[0], r[1], r[2], bound);
      DigitDraw want = draw_digits(pcg_next(slow, increment), r[0], r[1], r[2]);
      while (want.low < threshold) {
        ++redraws;
        want = draw_digits(pcg_next(slow, increment), r[0], r[1], r[2]);
      }
      ASSERT_EQ(fast, slow) << r[0];  // as many outputs used
      ASSERT_EQ(got.first, want.first);
      ASSERT_EQ(got.second, want.second);
      ASSERT_EQ(got.third, want.third);
      ASSERT_GE(got.low, threshold);
    }
  }
  EXPECT_GT(redraws, 10000);
}

TEST(Generator, BlockStreamsDependOnSeedAndBlockAlone) {
  // The same (seed, block) always starts the same stream; any other pair,
  // neighbours included, starts another state on another stream.
  std::vector<std::uint64_t> states, increments;
  for (std::uint64_t seed : {0ULL, 1ULL, 2ULL, 0xFFFFFFFFFFFFFFFFULL})
    for (std::uint64_t block = 0; block < 64; ++block) {
      DealGenerator a, b;
      seed_block_stream(a, seed, block);
      seed_block_stream(b, seed, block);
      ASSERT_EQ(a.state, b.state);
      ASSERT_EQ(a.increment, b.increment);
      ASSERT_EQ(a.increment & 1, 1u);  // a full-period stream
      states.push_back(a.state);
      increments.push_back(a.increment);
    }
  for (auto* words : {&states, &increments}) {
    std::sort(words->begin(), words->end());
    EXPECT_EQ(std::adjacent_find(words->begin(), words->end()), words->end());
  }
}

}  // namespace
}  // namespace orvix
