// The counting machinery against the brute-force evaluator: small card lists
// that hold wild cards, a joker, straights, flushes and repeated ranks are
// enumerated here independently (bit masks and base-n counters) and every hand
// is valued by brute force; the category counts, the hand count and the
// number of distinct values must match count_hands exactly. Random hands of
// the seven real games are valued by the evaluators the command calls and by
// brute force, one by one.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <orvix/evaluate.h>
#include <orvix/internal/evaluators.h>
#include "reference/reference_count.h"
#include "support/brute_force.h"

namespace orvix {
namespace {

ReferenceCounts brute_force_counts(const std::vector<CardCode>& cards, int dealt,
                                   bool with_repetition) {
  ReferenceCounts counts{};
  std::set<HandValue> values;
  auto tally = [&](const std::vector<CardCode>& hand) {
    const HandValue v = test::brute_force_value(hand);
    ++counts.category_hands[hand_category(v)];
    ++counts.hands;
    values.insert(v);
  };
  const int n = static_cast<int>(cards.size());
  std::vector<CardCode> hand;
  if (with_repetition) {
    int total = 1;
    for (int i = 0; i < dealt; ++i) total *= n;
    for (int code = 0; code < total; ++code) {
      hand.clear();
      for (int i = 0, rest = code; i < dealt; ++i, rest /= n) hand.push_back(cards[rest % n]);
      tally(hand);
    }
  } else {
    for (std::uint32_t mask = 0; mask < (1u << n); ++mask) {
      if (std::popcount(mask) != dealt) continue;
      hand.clear();
      for (int i = 0; i < n; ++i)
        if (mask >> i & 1) hand.push_back(cards[i]);
      tally(hand);
    }
  }
  counts.distinct_values = static_cast<std::int32_t>(values.size());
  return counts;
}

void expect_same_counts(const ReferenceCounts& got, const ReferenceCounts& want) {
  for (int c = 0; c < kCategoryCount; ++c)
    EXPECT_EQ(got.category_hands[c], want.category_hands[c]) << kCategoryNames[c];
  EXPECT_EQ(got.hands, want.hands);
  EXPECT_EQ(got.distinct_values, want.distinct_values);
}

TEST(CountHands, MatchesBruteForceOnSmallCardLists) {
  struct Case {
    const char* name;
    const char* cards;
    int dealt;
    bool with_repetition;
  };
  // "2d*" is a wild Two of diamonds, "*" a joker.
  const Case cases[] = {
      {"five of deuces, joker, wheel and broadway pieces",
       "2d* 2s* 2c* 2h* * Ad As 3d 3s 4d 4s 5d 5s 9d Td Jd Qd Kd", 5, false},
      {"seven of two deuces, joker, a diamond run and spades",
       "2d* 2s* * Ad Kd Qd Jd Td 9d As 3s 4s 5s 9c 9h Ks", 7, false},
      {"seven natural: flushes over sets and full houses",
       "8h 9h Th Jh Qh Kh Ah 8d 8s 8c Ad As 5c 6c 7d 4h", 7, false},
      {"five with repetition: one card may fill the hand", "* As Ks Qs Js Ts 9d", 5, true},
  };
  build_eval_tables();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<CardCode> cards = test::hand(c.cards);
    const ReferenceCounts want = brute_force_counts(cards, c.dealt, c.with_repetition);
    const ReferenceCounts got =
        count_hands(cards.data(), static_cast<int>(cards.size()), c.dealt, c.with_repetition);
    expect_same_counts(got, want);
  }
}

TEST(ReferenceGames, RandomHandsAgreeWithBruteForce) {
  const ReferenceGame games[] = {
      {false, 5, false, false}, {false, 5, false, true}, {false, 5, true, false},
      {false, 7, false, false}, {false, 7, true, false}, {false, 7, false, true},
      {true, 5, false, false},
  };
  build_eval_tables();
  std::mt19937 random(20261209);
  for (const ReferenceGame& game : games) {
    CardCode deck[kCardKinds + 1];
    const int n = build_reference_deck(game, deck);
    const int dealt = dealt_cards(game);
    const evaluate_hand evaluate = dealt == 5 ? evaluate_5 : evaluate_7;
    int mismatches = 0;
    for (int trial = 0; trial < 2000; ++trial) {
      std::vector<CardCode> pool(deck, deck + n);
      std::vector<CardCode> hand;
      for (int i = 0; i < dealt; ++i) {
        if (game.infinite_deck) {
          hand.push_back(pool[random() % n]);
        } else {
          const std::size_t pick = i + random() % (pool.size() - i);
          std::swap(pool[i], pool[pick]);
          hand.push_back(pool[i]);
        }
      }
      const HandValue got = evaluate(hand.data());
      const HandValue want = test::brute_force_value(hand);
      if (got != want && ++mismatches <= 5)
        ADD_FAILURE() << test::hand_text(hand) << ": " << std::hex << got << " should be " << want;
    }
    EXPECT_EQ(mismatches, 0);
  }
}

}  // namespace
}  // namespace orvix
