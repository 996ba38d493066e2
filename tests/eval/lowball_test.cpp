// The lowball rankings: the whole pack of five-card hands counted by category,
// and hands worked by hand. Random hands against the reference are compared
// in ranking_test.cpp with the other orders.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <orvix/ranking.h>

#include "support/brute_force.h"
#include "support/enumerate.h"

namespace orvix::test {
namespace {

long long choose(int n, int k) {
  long long r = 1;
  for (int i = 1; i <= k; ++i) r = r * (n - k + i) / i;
  return r;
}

HandValue value_of(const char* text, const Ranking& r) {
  const auto cards = hand(text);
  return evaluate(cards.data(), static_cast<int>(cards.size()), r);
}

TEST(Lowball, WholePackOfFiveCards) {
  std::vector<CardCode> pack;
  for (int r = 0; r < kRankCount; ++r)
    for (int s = 0; s < kSuitCount; ++s) pack.push_back(make_card(r, s, false));
  const Ranking low = low_ranking(), deuce = deuce_ranking();
  long long standard[kCategoryCount] = {}, by_low[kCategoryCount] = {},
            by_deuce[kCategoryCount] = {}, five_high = 0;
  for_each_combination_5(pack.data(), kCardKinds, [&](const CardCode* h) {
    ++standard[hand_category(evaluate(h, 5))];
    const HandValue v = evaluate(h, 5, low);
    ++by_low[hand_category(v, low)];
    five_high += hand_category(v, low) == kHighCard && top_rank(v, low) == 3;
    ++by_deuce[hand_category(evaluate(h, 5, deuce), deuce)];
  });
  EXPECT_EQ(by_low[kHighCard], 1317888);
  EXPECT_EQ(five_high, 1024);  // 5-4-3-2-A in every suiting
  for (const int c : {kOnePair, kTwoPair, kThreeOfAKind, kFullHouse, kFourOfAKind})
    EXPECT_EQ(by_low[c], standard[c]) << kCategoryNames[c];

  // Deuce: nine straights (Six to Ace high), 4^5 suitings of five ranks of
  // which four are of one suit; the paired hands as in any poker count.
  const long long rank_sets = choose(13, 5), straights = 9, suitings = 1024, suited = 4;
  long long want[kCategoryCount] = {};
  want[kHighCard] = (rank_sets - straights) * (suitings - suited);
  want[kStraight] = straights * (suitings - suited);
  want[kFlush] = (rank_sets - straights) * suited;
  want[kStraightFlush] = straights * suited;
  want[kOnePair] = 13 * choose(4, 2) * choose(12, 3) * 4 * 4 * 4;
  want[kTwoPair] = choose(13, 2) * choose(4, 2) * choose(4, 2) * 11 * 4;
  want[kThreeOfAKind] = 13 * choose(4, 3) * choose(12, 2) * 4 * 4;
  want[kFullHouse] = 13 * choose(4, 3) * 12 * choose(4, 2);
  want[kFourOfAKind] = 13 * 48;
  for (int c = 0; c < kCategoryCount; ++c) EXPECT_EQ(by_deuce[c], want[c]) << kCategoryNames[c];
}

// Worked by hand: each hand beats the next ("a > b > ..."); hands with wild
// cards or several decks are worth the natural hand beside them; filing.
TEST(Lowball, KnownHands) {
  const Ranking low = low_ranking(), deuce = deuce_ranking();
  const std::pair<const Ranking&, std::string> orders[] = {
      {low,
       "5h 4d 3c 2s Ah > 6h 4d 3c 2s Ah > 6h 5d 3c 2s Ah > 6h 5d 4c 2s Ah > Kh Qd Jc Ts 9h > "
       "Ah Ad 2c 3s 4h > 2h 2d Ac 3s 4h > Kh Kd Qc Js Th > Ah Ad 2c 2s 3h > Ah Ad Ac 2s 3h > "
       "Ah Ad Ac 2s 2h > Ah Ad Ac As 2h > 2h 2d 2c 2s 2h"},
      {deuce,
       "7h 5d 4c 3s 2h > 7h 6d 4c 3s 2h > 8h 5d 4c 3s 2h > Ah 5d 4c 3s 2h > Ah Kd Qc Js 9h > "
       "2h 2d 3c 4s 5h > Ah Ad Kc Qs Jh > 2h 2d 3c 3s 4h > 2h 2d 2c 3s 4h > 6h 5d 4c 3s 2h > "
       "Ah Kd Qc Js Th > 7h 5h 4h 3h 2h > Ah Kh Qh Jh 9h > 2h 2d 2c 3s 3h > 2h 2d 2c 2s 3h > "
       "6h 5h 4h 3h 2h > Ah Kh Qh Jh Th > 2h 2d 2c 2s 2h"}};
  for (const auto& [r, text] : orders)
    for (std::size_t at = 0, next; (next = text.find(" > ", at)) != std::string::npos;) {
      const std::string better = text.substr(at, next - at);
      at = next + 3;
      const std::string worse = text.substr(at, text.find(" > ", at) - at);
      EXPECT_GT(value_of(better.c_str(), r), value_of(worse.c_str(), r))
          << better << " > " << worse;
    }
  const std::tuple<const Ranking&, const char*, const char*> same[] = {
      {deuce, "3h 4d 5c 6s *", "8h 6d 5c 4s 3h"},         // a Two or a Seven makes a straight
      {deuce, "7h 5h 4h 3h 2h 2d", "7h 5d 4c 3s 2h"},     // the Two of diamonds breaks the flush
      {deuce, "7h 5h 4h 3h 2h 7h 2h", "5h 4h 3h 2h 2h"},  // every five a flush
      {deuce, "Kh 9h 7h 5h 4h 3h 2h", "7h 5h 4h 3h 2h"},  // every five a flush
      {low, "* * * * * Ah Ad", "5h 4d 3c 2s Ah"},
      {low, "Ah Ad Ac Kd Kh *", "Ah Ad Kc Ks 2h"},   // the wild card on the Two
      {low, "9h 9d 9c 9s 9h *", "9h 9d 9c 9s Ah"}};  // Four of a Kind beats Five
  for (const auto& [r, wild, natural] : same)
    EXPECT_EQ(value_of(wild, r), value_of(natural, r)) << wild;
  const std::tuple<const Ranking&, const char*, int, int> filed[] = {
      {low, "5h 4d 3c 2s Ah", kHighCard, 3},
      {deuce, "5h 4d 3c 2s Ah", kHighCard, 12},
      {deuce, "Ah Kh Qh Jh 9h", kFlush, 12},
      {low, "Ah Ad 2c 2s 3h", kTwoPair, 0},  // the Twos are the higher pair
      {deuce, "3h 4d 5c 6s *", kHighCard, 6},
      {low, "Kh Kd Kc 2s 2h", kFullHouse, 11}};
  for (const auto& [r, text, category, top] : filed) {
    const HandValue v = value_of(text, r);
    EXPECT_EQ(hand_category(v, r), category) << text;
    EXPECT_EQ(top_rank(v, r), top) << text;
  }
}

}  // namespace
}  // namespace orvix::test
