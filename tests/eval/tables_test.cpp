// The lookup tables over rank masks, each checked for every mask against a
// plain restatement of what its entry means, plus the worked examples; and
// the five-card value catalogue derived afresh by enumerating hands.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <set>
#include <vector>

#include <orvix/evaluate.h>
#include <orvix/internal/catalogue.h>
#include <orvix/internal/tables.h>

#include "support/brute_force.h"

namespace orvix::test {
namespace {

// A hand scored while the program's globals are still being initialised,
// before main: the tables must already be complete then.
const CardCode kEarlyHand[7] = {make_card(12, 1, false), make_card(12, 0, false),
                                make_card(9, 2, false),  make_card(8, 3, false),
                                make_card(7, 1, false),  make_card(6, 1, false),
                                make_card(0, 2, false)};
const HandValue kEarlyValue = evaluate(kEarlyHand, 7);

TEST(Tables, ReadyBeforeMain) {
  // Ace Ace Jack Ten Nine: One Pair of Aces; not 0x10000000, the value of empty tables.
  EXPECT_EQ(kEarlyValue, 0x14001380u);
  EXPECT_EQ(kEarlyValue, evaluate(kEarlyHand, 7));
}

TEST(Tables, WorkedExamples) {
  const EvalTables& t = kEvalTables;
  struct Multi {
    unsigned m;
    int want;
  };
  for (Multi c : {Multi{0, 0}, {0x0001, 0}, {0x1000, 0}, {0x0003, 1}, {0x1FFF, 1}})
    EXPECT_EQ(multi_bit(c.m), static_cast<unsigned>(c.want)) << std::hex << c.m;
  for (Multi c :
       {Multi{0x0001, 0}, {0x0002, 1}, {0x0003, 1}, {0x0880, 11}, {0x1000, 12}, {0x1FFF, 12}})
    EXPECT_EQ(high_index(c.m), c.want) << std::hex << c.m;

  struct Top {
    unsigned m;
    unsigned want[5];
  };
  for (const Top& c :
       {Top{0x188A, {0x1000, 0x1800, 0x1880, 0x1888, 0x188A}},
        Top{0x0005, {0x0004, 0x0005, 0x0005, 0x0005, 0x0005}},
        Top{0x1FFF, {0x1000, 0x1800, 0x1C00, 0x1E00, 0x1F00}}, Top{0, {0, 0, 0, 0, 0}}})
    for (int k = 0; k < 5; ++k) {
      EXPECT_EQ(t.top_bits[c.m][k], c.want[k]) << std::hex << c.m << " k " << k;
      EXPECT_EQ(top(c.m, k + 1), c.want[k]) << std::hex << c.m << " k " << k;
    }

  struct Reach {
    unsigned m;
    int want[4];
  };
  for (const Reach& c :
       {Reach{0x100F, {1, 2, 3, 4}}, Reach{0x100E, {0, 1, 3, 4}}, Reach{0x1F00, {10, 10, 10, 10}},
        Reach{0x1E00, {0, 10, 10, 10}}, Reach{0x1C00, {0, 0, 10, 10}}, Reach{0x00E0, {0, 0, 7, 8}},
        Reach{0x1111, {0, 0, 0, 10}}, Reach{0x1001, {0, 0, 0, 1}}, Reach{0x0003, {0, 0, 0, 2}},
        Reach{0x0421, {0, 0, 0, 0}}, Reach{0, {0, 0, 0, 0}}, Reach{0x1F0F, {10, 10, 10, 10}}})
    for (int w = 0; w < 4; ++w)
      EXPECT_EQ(straight_reach(c.m, w), c.want[w]) << std::hex << c.m << " w " << w;
}

// Each entry against its meaning, for all 8192 masks.
TEST(Tables, EveryMaskMatchesItsDefinition) {
  for (unsigned m = 0; m < kRankMaskCount; ++m) {
    ASSERT_EQ(multi_bit(m), std::popcount(m) >= 2 ? 1u : 0u) << m;
    if (m != 0) {  // the highest rank: no higher bit set, and its own bit set
      const int h = high_index(m);
      ASSERT_TRUE(h >= 0 && h < kRankCount && (m >> h) == 1u) << m;
    }
    unsigned highest = 0;  // the k+1 highest bits, peeled off one at a time
    unsigned rest = m;
    for (int k = 0; k < 5; ++k) {
      if (rest != 0) {
        highest |= std::bit_floor(rest);
        rest &= ~std::bit_floor(rest);
      }
      ASSERT_EQ(top(m, k + 1), highest) << m << " k " << k;
    }
    // With w free ranks a straight is reachable when at most w of its ranks are missing.
    for (int w = 0; w < 4; ++w) {
      int best = 0;
      for (int s = 1; s <= kStraightCount; ++s)
        if (std::popcount(kStraightPatterns[s] & ~m & 0x1FFFu) <= w) best = s;
      ASSERT_EQ(straight_reach(m, w), static_cast<unsigned>(best)) << m << " w " << w;
    }
  }
}

TEST(ConstantTables, StraightsNibblesAndSuits) {
  const unsigned patterns[] = {0x100F, 0x001F, 0x003E, 0x007C, 0x00F8,
                               0x01F0, 0x03E0, 0x07C0, 0x0F80, 0x1F00};
  for (int s = 1; s <= kStraightCount; ++s) {
    EXPECT_EQ(kStraightPatterns[s], patterns[s - 1]);
    // Five cards in sequence, valued by the brute force from their ranks.
    int ranks[5];
    for (int i = 0, r = 0; r < kRankCount; ++r)
      if (patterns[s - 1] >> r & 1) ranks[i++] = r;
    EXPECT_EQ(kStraightValues[s], five_card_value(ranks, false)) << s;
    EXPECT_EQ(kStraightFlushValues[s], five_card_value(ranks, true)) << s;
  }
  EXPECT_EQ(kStraightValues[1], 0x4002100Fu);
  EXPECT_EQ(kStraightValues[10], 0x44001F00u);
  EXPECT_EQ(kStraightFlushValues[1], 0x8002100Fu);
  EXPECT_EQ(kStraightFlushValues[10], 0x84001F00u);
  EXPECT_EQ(std::vector<int>(kNibbleShifts, kNibbleShifts + 5),
            (std::vector<int>{16, 12, 8, 4, 0}));
  for (int s = 0; s < kSuitCount; ++s)
    EXPECT_EQ(kSuitBits[s], make_card(0, s, false) & kSuitBitsMask);
}

// Every five-card hand's value is a function of its rank multiset and of
// whether its suits all agree; enumerating those gives every distinct value.
TEST(Catalogue, DerivedByEnumeration) {
  std::set<HandValue> values;
  for_each_rank_multiset_5([&](const int* r) {
    values.insert(five_card_value(r, false));
    values.insert(five_card_value(r, true));
  });
  const std::vector<HandValue> derived(values.begin(), values.end());
  ASSERT_EQ(derived.size(), 12051u);
  ASSERT_EQ(kFiveCardValues.size(), derived.size());
  EXPECT_EQ(derived.front(), 0x000BC000u);
  EXPECT_EQ(derived.back(), 0x94000000u);
  EXPECT_TRUE(
      std::equal(derived.begin(), derived.end(), kFiveCardValues.begin(), kFiveCardValues.end()));

  const int counts[kCategoryCount] = {1277, 2860, 858, 858, 10, 5853, 156, 156, 10, 13};
  int first = 0;
  for (int c = 0; c < kCategoryCount; ++c) {
    const auto in_category = [c](HandValue v) { return hand_category(v) == c; };
    const auto begin = std::find_if(derived.begin(), derived.end(), in_category);
    const int n = static_cast<int>(std::count_if(derived.begin(), derived.end(), in_category));
    EXPECT_EQ(n, counts[c]) << kCategoryNames[c];
    EXPECT_EQ(begin - derived.begin(), first) << kCategoryNames[c];
    EXPECT_EQ(kCategoryRanges[c].first, first) << kCategoryNames[c];
    EXPECT_EQ(kCategoryRanges[c].last, first + n - 1) << kCategoryNames[c];
    first += n;
  }
}

}  // namespace
}  // namespace orvix::test
