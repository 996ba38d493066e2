// The evaluators on hand-worked values, under reordering and re-labelling of
// wild cards, and over every five-card hand of one deck.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "eval/evaluate.h"
#include "eval/known_hands.h"
#include "eval/tables.h"
#include "support/brute_force.h"

namespace orvix::test {
namespace {

class Evaluate : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { build_eval_tables(); }
};

// Every way the program can reach an evaluator for this many cards.
std::vector<HandValue> all_evaluations(const std::vector<CardCode>& cards) {
  const int n = static_cast<int>(cards.size());
  std::vector<HandValue> out = {select_evaluator(n)(cards.data())};
  if (n >= 5) out.push_back(evaluate_many(n, cards.data()));
  if (n == 5) out.push_back(evaluate_5(cards.data()));
  if (n == 7) out.push_back(evaluate_7(cards.data()));
  return out;
}

void expect_value(const std::vector<CardCode>& cards, HandValue want, const std::string& label) {
  for (HandValue got : all_evaluations(cards))
    EXPECT_EQ(got, want) << label << " as " << hand_text(cards) << std::hex << ": got 0x" << got << " want 0x" << want;
}

TEST_F(Evaluate, KnownHands) {
  for (const KnownHand& k : kKnownBigHands) expect_value(hand(k.hand), k.value, k.hand);
  for (const KnownHand& k : kKnownSmallHands) expect_value(hand(k.hand), k.value, k.hand);
}

// Card order never matters, nor the rank and suit a wild card once had.
TEST_F(Evaluate, OrderAndWildLabelsDoNotMatter) {
  std::mt19937_64 rng(7);
  std::uniform_int_distribution<int> rank_of(0, kRankCount - 1), suit_of(0, kSuitCount - 1);
  const auto check = [&](const KnownHand& k) {
    std::vector<CardCode> cards = hand(k.hand);
    for (int round = 0; round < 24; ++round) {
      std::shuffle(cards.begin(), cards.end(), rng);
      for (CardCode& c : cards)
        if (is_wild(c)) c = make_card(rank_of(rng), suit_of(rng), true);
      expect_value(cards, k.value, k.hand);
    }
  };
  for (const KnownHand& k : kKnownBigHands) check(k);
  for (const KnownHand& k : kKnownSmallHands) check(k);
}

TEST_F(Evaluate, SelectEvaluatorBySize) {
  const evaluate_hand by_size[] = {evaluate_1,  evaluate_2,  evaluate_3,  evaluate_4,  evaluate_5,
                                   evaluate_6,  evaluate_7,  evaluate_8,  evaluate_9,  evaluate_10,
                                   evaluate_11, evaluate_12, evaluate_13, evaluate_14, evaluate_15,
                                   evaluate_16, evaluate_17, evaluate_18, evaluate_19, evaluate_20};
  for (int n = 1; n <= 20; ++n) EXPECT_EQ(select_evaluator(n), by_size[n - 1]) << n;
  for (int n : {-1, 0, 21, 1000}) EXPECT_EQ(select_evaluator(n), evaluate_20) << n;
}

TEST_F(Evaluate, FlushValueWritesWildAcesThenRanks) {
  struct Case { int wilds; unsigned s1, s2, s3; HandValue want; };
  const Case cases[] = {
      {0, 0x1000 | 0x800 | 0x80 | 0x8 | 0x2, 0, 0, 0x500CB731},  // A K 9 5 3
      {1, 0x1000 | 0x800 | 0x400 | 0x80, 0x1000, 0, 0x500CCCBA}, // wild, A A, K, Q
      {0, 0x1000 | 0x800 | 0x400, 0x1000, 0x1000, 0x500CCCBA},   // A A A K Q: a triple in the suit
      {0, 0x1000 | 0x800, 0x1800, 0x1000, 0x500CCCBB},           // A A A K K: stops mid-pair
      {1, 0x1000 | 0x800 | 0x4, 0x1004, 0x1004, 0x500CCCB2},     // A K 4: no triple beside a wild
      {2, 0x1000 | 0x20 | 0x4, 0x1000, 0, 0x500CCC52},           // A 7 4: wilds, then each rank once
      {2, 0x800 | 0x400 | 0x200 | 0x100, 0, 0, 0x500CCBA9},      // only three ranks are read
  };
  for (const Case& c : cases)
    EXPECT_EQ(flush_value(c.wilds, c.s1, c.s2, c.s3), c.want) << std::hex << c.want;
}

TEST_F(Evaluate, TopRankFilesUnderTheRightRank) {
  struct Case { const char* hand; int rank; };
  const Case cases[] = {{"As Kd 9c 5h 3s", 12}, {"As 2d 3c 4h 5s", 3}, {"As Ks 9s 5s 3s", 12},
                        {"* Kd 9c 5h 3s", 11}, {"9s 9d 9c Ah As", 7},  {"Kh Kd 5d 5c", 11},
                        {"* * * * 3s", 1},     {"2d", 0},              {"* 2s 3s 4s 5s 9d", 4}};
  for (const Case& c : cases) {
    const auto cards = hand(c.hand);
    EXPECT_EQ(top_rank(select_evaluator(static_cast<int>(cards.size()))(cards.data())), c.rank) << c.hand;
  }
}

TEST(CardWords, LayoutAndListingOrder) {
  EXPECT_EQ(make_card(0, 0, false), 0x01000001u);
  EXPECT_EQ(make_card(12, 1, false), 0x120C1000u);
  EXPECT_EQ(make_card(12, 3, false), 0x380C1000u);
  EXPECT_EQ(make_card(5, 2, true), 0x20850000u);
  EXPECT_EQ(make_card(0, 0, true), kJoker);
  for (int r = 0; r < kRankCount; ++r)
    for (int s = 0; s < kSuitCount; ++s)
      for (bool wild : {false, true}) {
        const CardCode c = make_card(r, s, wild);
        EXPECT_EQ(card_rank_index(c), r);
        EXPECT_EQ(card_suit_index(c), s);
        EXPECT_EQ(is_wild(c), wild);
        EXPECT_EQ(card_sort_key(c), r * 8 + s * 2 + (wild ? 0 : 1));
      }
  EXPECT_LT(card_sort_key(make_card(12, 3, true)), card_sort_key(make_card(12, 3, false)));
  EXPECT_LT(card_sort_key(make_card(4, 3, false)), card_sort_key(make_card(5, 0, true)));
  for (int c = 0; c < kCategoryCount; ++c)
    EXPECT_EQ(std::string(kPaddedCategoryNames[c]), (std::string(kCategoryNames[c]) + "               ").substr(0, 15));
}

// All 2,598,960 hands of one deck, by category, and the 7462 distinct values.
TEST_F(Evaluate, EveryFiveCardHandOfOneDeck) {
  long long by_category[kCategoryCount] = {};
  std::vector<bool> seen(kCatalogueSize, false);
  CardCode deck[kCardKinds];
  for (int i = 0; i < kCardKinds; ++i) deck[i] = make_card(i / kSuitCount, i % kSuitCount, false);
  CardCode h[5];
  for (int a = 0; a < kCardKinds; ++a)
    for (int b = a + 1; b < kCardKinds; ++b)
      for (int c = b + 1; c < kCardKinds; ++c)
        for (int d = c + 1; d < kCardKinds; ++d)
          for (int e = d + 1; e < kCardKinds; ++e) {
            h[0] = deck[a], h[1] = deck[b], h[2] = deck[c], h[3] = deck[d], h[4] = deck[e];
            const HandValue v = evaluate_5(h);
            ++by_category[hand_category(v)];
            const auto at = std::lower_bound(kFiveCardValues.begin(), kFiveCardValues.end(), v);
            ASSERT_TRUE(at != kFiveCardValues.end() && *at == v) << hand_text(h, 5);
            seen[at - kFiveCardValues.begin()] = true;
          }
  const long long want[kCategoryCount] = {1302540, 1098240, 123552, 54912, 10200, 5108, 3744, 624, 40, 0};
  for (int c = 0; c < kCategoryCount; ++c) EXPECT_EQ(by_category[c], want[c]) << kCategoryNames[c];
  EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 7462);
}

}  // namespace
}  // namespace orvix::test
