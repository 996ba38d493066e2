// Hands of own and board cards under the use rule, against the brute-force
// reference applied to every five-card hand the rule allows.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <orvix/evaluate.h>

#include "support/brute_force.h"
#include "support/random_hands.h"

// Deals in the random comparison, and the most five-card hands one (deal,
// use) pair may ask of the brute force; the slow build of this test lifts both.
#ifndef ORVIX_USE_DEALS
#define ORVIX_USE_DEALS 3000
#endif
#ifndef ORVIX_USE_MAX_HANDS
#define ORVIX_USE_MAX_HANDS 120
#endif

namespace orvix::test {
namespace {

// Every k-element subset of 0..n-1, in any order.
std::vector<std::vector<int>> subsets(int n, int k) {
  std::vector<std::vector<int>> all;
  std::vector<int> picked;
  const auto walk = [&](const auto& self, int from) -> void {
    if (static_cast<int>(picked.size()) == k) {
      all.push_back(picked);
      return;
    }
    for (int i = from; i < n; ++i) {
      picked.push_back(i);
      self(self, i + 1);
      picked.pop_back();
    }
  };
  walk(walk, 0);
  return all;
}

// The best brute-force value of exactly `use` own cards and 5 - use board cards.
HandValue brute_force_use(const std::vector<CardCode>& own, const std::vector<CardCode>& board,
                          int use) {
  HandValue best = 0;
  for (const std::vector<int>& from_own : subsets(static_cast<int>(own.size()), use)) {
    for (const std::vector<int>& from_board : subsets(static_cast<int>(board.size()), 5 - use)) {
      std::vector<CardCode> five;
      for (const int i : from_own) five.push_back(own[i]);
      for (const int i : from_board) five.push_back(board[i]);
      best = std::max(best, brute_force_value(five));
    }
  }
  return best;
}

long long choose(int n, int k) {
  long long c = 1;
  for (int i = 0; i < k; ++i) c = c * (n - i) / (i + 1);
  return c;
}

TEST(EvaluateUse, MatchesBruteForceOnRandomDeals) {
  std::mt19937_64 rng(20261221);
  const auto pick = [&rng](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
  };
  long long compared = 0;
  for (int deal = 0; deal < ORVIX_USE_DEALS; ++deal) {
    const int board_count = pick(0, kMaxHandSize - 1);
    const int own_count = pick(1, kMaxHandSize - board_count);
    const int total = own_count + board_count;
    // Wild cards of any rank and suit, jokers, and natural cards drawn with
    // repetition, as from several decks.
    std::vector<CardCode> cards = random_hand(rng, {total, pick(0, std::min(3, total))});
    for (int jokers = pick(0, 2); jokers > 0; --jokers) cards[pick(0, total - 1)] = kJoker;
    const std::vector<CardCode> own(cards.begin(), cards.begin() + own_count);
    const std::vector<CardCode> board(cards.begin() + own_count, cards.end());
    const std::string text = hand_text(own) + " | " + hand_text(board);

    ASSERT_EQ(evaluate_use(own.data(), own_count, board.data(), board_count, kUseAny),
              brute_force_value(cards))
        << text;
    for (int use = 1; use <= kMaxUse; ++use) {
      if (!use_fits(own_count, board_count, use)) continue;
      if (choose(own_count, use) * choose(board_count, 5 - use) > ORVIX_USE_MAX_HANDS) continue;
      ASSERT_EQ(evaluate_use(own.data(), own_count, board.data(), board_count, use),
                brute_force_use(own, board, use))
          << text << " use " << use;
      ++compared;
    }
  }
  EXPECT_GT(compared, ORVIX_USE_DEALS / 2);  // the size limit left most deals in
}

// Hands whose best five cards are known, each where one use differs from another.
TEST(EvaluateUse, KnownHands) {
  struct Case {
    const char* own;
    const char* board;
    int use;
    const char* best;
  };
  const Case cases[] = {
      // Seven cards make a Straight Flush; two own cards only a Flush.
      {"Ah 9h 7c 2d", "Kh Qh Jh Th 3s", kUseAny, "Ah Kh Qh Jh Th"},
      {"Ah 9h 7c 2d", "Kh Qh Jh Th 3s", 2, "Ah 9h Kh Qh Jh"},
      {"Ah 9h 7c 2d", "Kh Qh Jh Th 3s", 1, "Ah Kh Qh Jh Th"},
      {"Ah 9h 7c 2d", "Kh Qh Jh Th 3s", 3, "Ah 9h 7c Kh Qh"},
      {"Ah 9h 7c 2d", "Kh Qh Jh Th 3s", 4, "Ah 9h 7c 2d Kh"},
      {"Ks", "Ad Ac Ah As 2c", 1, "Ks Ad Ac Ah As"},
      {"Ks Qd", "", kUseAny, "Ks Qd"},
      {"As Ks Qs Js Ts 2d", "", 5, "As Ks Qs Js Ts"},
      // Wild cards stand for any card, on either side.
      {"* 2c", "9d 8d 7d 6d 3s", 1, "Td 9d 8d 7d 6d"},
      {"7c* 2c 2h", "2s * Kd", 3, "2c 2h 2s 2d 2d"},
  };
  for (const Case& c : cases) {
    const std::vector<CardCode> own = hand(c.own);
    const std::vector<CardCode> board = *c.board != '\0' ? hand(c.board) : std::vector<CardCode>{};
    EXPECT_EQ(evaluate_use(own.data(), static_cast<int>(own.size()), board.data(),
                           static_cast<int>(board.size()), c.use),
              brute_force_value(hand(c.best)))
        << c.own << " | " << c.board << " use " << c.use;
  }
}

}  // namespace
}  // namespace orvix::test
