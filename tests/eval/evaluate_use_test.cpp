// Own and board cards under the use rule, against the brute force applied to
// every five-card hand the rule allows.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include <orvix/evaluate.h>

#include "support/brute_force.h"
#include "support/random_hands.h"

// Deals compared, and the most five-card hands one (deal, use) may ask of the
// brute force; the slow build of this test lifts the limit.
#ifndef ORVIX_USE_DEALS
#define ORVIX_USE_DEALS 2000
#endif
#ifndef ORVIX_USE_MAX_HANDS
#define ORVIX_USE_MAX_HANDS 120
#endif

namespace orvix::test {
namespace {

// Every choice of k cards from `cards`, each in the order of `cards`.
void subsets(const std::vector<CardCode>& cards, int k, std::size_t from,
             std::vector<CardCode>& picked, std::vector<std::vector<CardCode>>& out) {
  if (out.size() > ORVIX_USE_MAX_HANDS) return;  // too many for the brute force
  if (static_cast<int>(picked.size()) == k) return out.push_back(picked);
  for (std::size_t i = from; i < cards.size(); ++i) {
    picked.push_back(cards[i]);
    subsets(cards, k, i + 1, picked, out);
    picked.pop_back();
  }
}

TEST(EvaluateUse, MatchesBruteForceOnRandomDeals) {
  std::mt19937_64 rng(20261221);
  const auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(rng); };
  int compared = 0;
  for (int deal = 0; deal < ORVIX_USE_DEALS; ++deal) {
    const int board_count = pick(0, kMaxHandSize - 1);
    const int own_count = pick(1, kMaxHandSize - board_count), total = own_count + board_count;
    // Wild cards of any rank and suit, jokers, repeated natural cards.
    std::vector<CardCode> cards = random_hand(rng, {total, pick(0, std::min(3, total))});
    for (int jokers = pick(0, 2); jokers > 0; --jokers) cards[pick(0, total - 1)] = kJoker;
    const std::vector<CardCode> own(cards.begin(), cards.begin() + own_count),
        board(cards.begin() + own_count, cards.end());
    ASSERT_EQ(evaluate_use(own.data(), own_count, board.data(), board_count, kUseAny),
              brute_force_value(cards))
        << hand_text(cards);
    for (int use = 1; use <= kMaxUse; ++use) {
      if (!use_fits(own_count, board_count, use)) continue;
      std::vector<CardCode> picked;
      std::vector<std::vector<CardCode>> from_own, from_board;
      subsets(own, use, 0, picked, from_own);
      subsets(board, 5 - use, 0, picked, from_board);
      if (from_own.size() * from_board.size() > ORVIX_USE_MAX_HANDS) continue;
      HandValue best = 0;
      for (const std::vector<CardCode>& o : from_own) {
        for (std::vector<CardCode> five : from_board) {
          five.insert(five.end(), o.begin(), o.end());
          best = std::max(best, brute_force_value(five));
        }
      }
      ASSERT_EQ(evaluate_use(own.data(), own_count, board.data(), board_count, use), best)
          << hand_text(own) << " | " << hand_text(board) << " use " << use;
      ++compared;
    }
  }
  EXPECT_GT(compared, ORVIX_USE_DEALS / 2);  // the limit left most deals in
}

}  // namespace
}  // namespace orvix::test
