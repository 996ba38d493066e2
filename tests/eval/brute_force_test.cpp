// The brute-force reference must itself be right before it judges anything:
// it is checked against the hand-worked values and against the literal
// definition (every subset, every card for every wild card).
#include <gtest/gtest.h>

#include <random>

#include "eval/known_hands.h"
#include "support/brute_force.h"

namespace orvix::test {
namespace {

int wild_count(const std::vector<CardCode>& cards) {
  int w = 0;
  for (CardCode c : cards) w += is_wild(c) ? 1 : 0;
  return w;
}

TEST(BruteForce, ReproducesKnownValues) {
  for (const KnownHand& k : kKnownBigHands) {
    const auto cards = hand(k.hand);
    EXPECT_EQ(brute_force_value(cards), k.value) << k.hand;
    // The literal definition costs 52^wilds per subset: only the cheap ones.
    if (wild_count(cards) <= 3 && cards.size() <= 7) {
      EXPECT_EQ(literal_value(cards), k.value) << k.hand;
    }
  }
  for (const KnownHand& k : kKnownSmallHands) {
    EXPECT_EQ(brute_force_value(hand(k.hand)), k.value) << k.hand;
  }
}

// Random hands from three decks with up to two wild cards, so that repeated
// cards, repeated suits and flushes with pairs all occur.
TEST(BruteForce, AgreesWithLiteralDefinition) {
  std::mt19937 rng(12345);
  std::uniform_int_distribution<int> size_of(5, 8);
  std::uniform_int_distribution<int> wilds_of(0, 2);
  std::uniform_int_distribution<int> rank_of(0, kRankCount - 1);
  std::uniform_int_distribution<int> suit_of(0, 1);  // two suits make flushes common
  for (int trial = 0; trial < 300; ++trial) {
    const int size = size_of(rng);
    const int wilds = wilds_of(rng);
    std::vector<CardCode> cards;
    for (int i = 0; i < size; ++i) {
      cards.push_back(i < wilds ? make_card(rank_of(rng), 0, true)
                                : make_card(rank_of(rng), suit_of(rng), false));
    }
    ASSERT_EQ(brute_force_value(cards), literal_value(cards)) << hand_text(cards);
  }
}

TEST(BruteForce, ParsesAndPrintsHands) {
  std::vector<CardCode> cards;
  ASSERT_TRUE(parse_hand("as KD * 7c*", cards));
  ASSERT_EQ(cards.size(), 4u);
  EXPECT_EQ(cards[0], 0x120C1000u);
  EXPECT_EQ(cards[1], make_card(11, 0, false));
  EXPECT_EQ(cards[2], 0x00800000u);
  EXPECT_EQ(cards[3], 0x20850000u);
  EXPECT_EQ(hand_text(cards), "As Kd * 7c*");
  for (const char* bad : {"", "  ", "1s", "Ax", "Asd", "A", "**"}) {
    EXPECT_FALSE(parse_hand(bad, cards)) << bad;
  }
}

}  // namespace
}  // namespace orvix::test
