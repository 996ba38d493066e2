// The exact equity count against an independent brute force over physical
// cards: on small packs every deal of the cards nobody holds (two copies of
// As are two cards) is enumerated card by card, each seat's hand valued by the
// tests' brute-force evaluator under the use rule, and the seats' outcomes
// (lost, won alone, tied among k) must equal the engine's exactly.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include <orvix/evaluate.h>
#include "exact/seat_equity.h"
#include "rules/game_rules.h"
#include "rules/ranking_text.h"
#include "sim/result_table.h"
#include "sim/run_simulation.h"
#include "sim/seat_results.h"
#include "support/brute_force.h"
#include "support/small_games.h"

namespace orvix {
namespace {

using test::for_each_subset;
using test::held;
using test::small_game_rules;
using test::SmallGame;
using test::SmallGameCards;

constexpr int kSeats = test::kSmallGameSeats;

const SmallGame kGames[] = {
    {"closed hands, Twos wild and a joker",
     {1, "2d 2h 4h 5h 6h 7c 8c 9c Tc Jd", "", 1, 0},
     {2, 3, 0, kUseAny},
     {"", "9c"},
     ""},
    {"two decks, a board of three, an Ace held twice",
     {2, "As Kh Qh Jh 9c 5d", "", 0, -1},
     {2, 2, 3, kUseAny},
     {"As", "As"},
     ""},
    {"use 2 with jokers, added cards and held cards",
     {1, "Ad Kd Qd Td 9s 8s 7h 3c", "Kd 7h", 2, -1},
     {2, 3, 3, 2},
     {"", "* Kd"},
     "7h"},
    {"three seats, a board of two, Twos wild, a held wild Two",
     {1, "2c 2h 3s 4s 5s 6d 9h Tc Kh Ks", "", 1, 0},
     {3, 2, 2, kUseAny},
     {"", "", "2h"},
     ""},
    {"a board of one, two decks, Fours wild, an added Ah",
     {2, "Qs Qh 9h 4c", "Ah", 0, 2},
     {2, 3, 1, kUseAny},
     {"Qs Qs"},
     ""},
    {"use 1 of two own cards with a board of four, no holds",
     {1, "Ad Kd Qd Jd 9c 9h 6s 5s 4s", "", 1, -1},
     {2, 2, 4, 1},
     {},
     ""},
    {"three seats of four-card hands, two decks and a joker",
     {2, "Kh Kc 7d 7s 6h", "", 1, -1},
     {3, 3, 0, kUseAny},
     {"Kh"},
     ""},
    {"hold'em over ten cards, a joker and Twos wild",
     {1, "2s Ah Kh Qh Jh Th 9c 9d 5s", "", 1, 0},
     {2, 2, 5, kUseAny},
     {"Ah"},
     ""},
    {"every suit alike, a joker",
     {1, "Ad As Ac Ah Kd Ks Kc Kh 9d 9s 9c 9h", "", 1, -1},
     {2, 2, 2, kUseAny},
     {},
     ""},
    {"suits alike in pairs around held Aces",
     {1, "Ad As Ac Ah Kd Ks Kc Kh 9d 9s 9c 9h", "", 0, -1},
     {2, 2, 3, kUseAny},
     {"Ad As"},
     ""},
    {"two decks of two suits, no board, one seat holding",
     {2, "Qd Qs Td Ts 8d 8s", "", 0, -1},
     {2, 3, 0, kUseAny},
     {"Qd Ts"},
     ""},
    {"three seats holding nothing, two decks, a joker",
     {2, "Ad As Kd Ks", "", 1, -1},
     {3, 2, 0, kUseAny},
     {},
     ""},
    {"both seats held, only the board dealt, Nines wild",
     {1, "Ah Kh Qh Jh Th 9s 9c 8d 7d 6c 5s", "", 0, 7},
     {2, 2, 3, kUseAny},
     {"Ah Kh", "9s 8d"},
     ""},
    {"every card held",
     {1, "Ah Kh Qh Jh Th 9s", "", 0, -1},
     {2, 2, 2, kUseAny},
     {"Ah Kh", "Qh Jh"},
     "Th 9s"},
};

struct Outcomes {
  std::uint64_t deals = 0;
  std::uint64_t by_winners[kSeats][kSeats + 1] = {};
};

// Every deal of a small game's physical cards, walked card by card.
class PhysicalDeals {
 public:
  PhysicalDeals(const SmallGame& game, const Ranking& ranking)
      : game_(game), cards_(game, ranking) {}

  // Seat 1's hands over every deal of its and the board's free cards, every
  // other hold out of the pack, by cell (category and top rank).
  std::vector<std::uint64_t> count_seat_one() {
    std::vector<std::uint64_t> cells(kResultCells);
    const std::uint32_t free = cards_.free(), held = cards_.seat_held(0);
    for_each_subset(free, board_random(), 0, [&](std::uint32_t board) {
      for_each_subset(
          free & ~board, game_.seating.hand_size - std::popcount(held), 0, [&](std::uint32_t own) {
            const HandValue v = cards_.seat_value(own | held, board | cards_.board_held());
            ++cells[static_cast<std::size_t>(cards_.cell(v))];
          });
    });
    return cells;
  }

  Outcomes count() {
    Outcomes outcomes;
    for_each_subset(cards_.free(), board_random(), 0, [&](std::uint32_t board) {
      deal_seat(0, cards_.free() & ~board, board | cards_.board_held(), outcomes);
    });
    return outcomes;
  }

 private:
  int board_random() const { return game_.seating.board - std::popcount(cards_.board_held()); }

  void deal_seat(int s, std::uint32_t free, std::uint32_t board, Outcomes& outcomes) {
    if (s == game_.seating.players) return score(board, outcomes);
    const std::uint32_t held = cards_.seat_held(s);
    for_each_subset(free, game_.seating.hand_size - std::popcount(held), 0, [&](std::uint32_t own) {
      own_[s] = own | held;
      deal_seat(s + 1, free & ~own, board, outcomes);
    });
  }

  void score(std::uint32_t board, Outcomes& outcomes) {
    const int players = game_.seating.players;
    HandValue values[kSeats] = {};
    for (int s = 0; s < players; ++s) values[s] = cards_.seat_value(own_[s], board);
    const HandValue best = *std::max_element(values, values + players);
    const int winners = static_cast<int>(std::count(values, values + players, best));
    for (int s = 0; s < players; ++s) ++outcomes.by_winners[s][values[s] == best ? winners : 0];
    ++outcomes.deals;
  }

  const SmallGame& game_;
  SmallGameCards cards_;
  std::uint32_t own_[kSeats] = {};
};

TEST(SeatEquity, EqualsEveryPhysicalDealOfSmallPacks) {
  for (const auto& [game, ranking] : test::under_each_ranking(kGames)) {
    SCOPED_TRACE(std::string(game.name) + ", " + ranking_order_text(ranking));
    const GameRules rules = small_game_rules(game, ranking);
    ASSERT_TRUE(deal_fits_pack(rules));
    ASSERT_EQ(equity_refusal(rules), "");
    const Outcomes expected = PhysicalDeals(game, ranking).count();
    ASSERT_GT(expected.deals, 0u);
    EXPECT_EQ(equity_deals(rules), expected.deals);
    for (const int workers : {1, 3}) {
      SCOPED_TRACE(std::to_string(workers) + " workers");
      EquityOptions options;
      options.workers = workers;
      const SeatEquity equity = count_seat_equity(rules, options);
      EXPECT_FALSE(equity.stopped);
      EXPECT_EQ(equity.deals, expected.deals);
      for (int s = 0; s < game.seating.players; ++s)
        for (int k = 0; k <= game.seating.players; ++k)
          EXPECT_EQ(equity.by_winners[s][k], expected.by_winners[s][k])
              << "seat " << s + 1 << ", " << k << " winners";
    }
  }
}

// exact with a board or held cards: seat 1's final hands, every other seat's
// held cards out of the pack.
TEST(SeatEquity, SeatOneHandsEqualEveryPhysicalDeal) {
  for (const auto& [game, ranking] : test::under_each_ranking(kGames)) {
    SCOPED_TRACE(std::string(game.name) + ", " + ranking_order_text(ranking));
    const GameRules rules = small_game_rules(game, ranking);
    ASSERT_EQ(seat_one_refusal(rules), "");
    const std::vector<std::uint64_t> expected = PhysicalDeals(game, ranking).count_seat_one();
    std::uint64_t total = 0;
    for (const std::uint64_t count : expected) total += count;
    EXPECT_EQ(seat_one_deals(rules), total);
    for (const int workers : {1, 2}) {
      EquityOptions options;
      options.workers = workers;
      const ExactTable table = count_seat_one_hands(rules, options);
      EXPECT_EQ(table.total, total);
      for (int cell = 0; cell < kResultCells; ++cell)
        EXPECT_EQ(table.by_rank[cell / kRankCount][cell % kRankCount],
                  expected[static_cast<std::size_t>(cell)])
            << kCategoryNames[cell / kRankCount] << ", " << kRankWords[cell % kRankCount];
    }
  }
}

// Long seeded runs land within 4.5 standard errors of the exact figures:
// each seat's wins, ties and equity (a payoff of 1/k per tie among k), under
// each order.
TEST(SeatEquity, SeededRunsAgreeWithTheCount) {
  constexpr std::int32_t kDeals = 400000;
  constexpr double kSigmas = 4.5;
  std::uint64_t seed = 2027;
  for (const auto& [game, ranking] : test::under_each_ranking(kGames)) {
    SCOPED_TRACE(std::string(game.name) + ", " + ranking_order_text(ranking));
    GameRules rules = small_game_rules(game, ranking);
    rules.run_length = kDeals;
    const SeatEquity exact = count_seat_equity(rules, EquityOptions{});
    ResultTable table;
    ASSERT_EQ(run_simulation(rules, RunRequest{++seed, 1, 1}, table).deals, kDeals);
    const double n = kDeals;
    const double deals = static_cast<double>(exact.deals);
    // How far the run's total of a per-deal quantity is from n times its mean.
    auto sigmas_off = [&](double seen, double mean, double mean_square) {
      const double variance = mean_square - mean * mean;
      const double off = std::fabs(seen - n * mean);
      return variance <= 1e-15 ? (off == 0.0 ? 0.0 : INFINITY) : off / std::sqrt(n * variance);
    };
    for (int s = 0; s < game.seating.players; ++s) {
      SCOPED_TRACE("seat " + std::to_string(s + 1));
      double wins = 0, ties = 0, payoff = 0, payoff_squares = 0;
      for (int k = 1; k <= game.seating.players; ++k) {
        const double count = static_cast<double>(exact.by_winners[s][k]);
        (k == 1 ? wins : ties) += count / deals;
        payoff += count / k / deals;
        payoff_squares += count / (k * k) / deals;
      }
      const SeatSummary seen = summarize_seat(table.seats, s);
      EXPECT_LE(sigmas_off(static_cast<double>(seen.wins), wins, wins), kSigmas);
      EXPECT_LE(sigmas_off(static_cast<double>(seen.ties), ties, ties), kSigmas);
      EXPECT_LE(sigmas_off(seen.equity * n, payoff, payoff_squares), kSigmas)
          << seen.equity << " run, " << payoff << " exact";
    }
  }
}

std::uint64_t choose(std::uint64_t n, std::uint64_t k) {
  std::uint64_t result = 1;
  for (std::uint64_t i = 1; i <= k; ++i) result = result * (n - k + i) / i;
  return result;
}

// Refused exactly when deals times seats pass 10^10, with that number.
TEST(SeatEquity, RefusesPastTenBillionEvaluations) {
  struct Case {
    int jokers, players, hand_size, board;
    const char* seat_one;
    std::uint64_t evaluations;
  };
  const Case cases[] = {
      {5, 1, 9, 0, "", choose(57, 9)},                           // 8,996,462,475
      {6, 1, 9, 0, "", choose(58, 9)},                           // 10,648,873,950
      {0, 2, 2, 5, "As Ad", choose(50, 5) * choose(45, 2) * 2},  // 4,195,144,800
      {0, 3, 2, 5, "As Ad", choose(50, 5) * choose(45, 2) * choose(43, 2) * 3},
  };
  for (const Case& c : cases) {
    GameRules rules;
    rules.jokers = c.jokers;
    rules.players = c.players;
    rules.hand_size = c.hand_size;
    rules.board = c.board;
    rules.holds[0] = held(c.seat_one);
    ASSERT_TRUE(deal_fits_pack(rules));
    const std::string refusal = equity_refusal(rules);
    if (c.evaluations <= kEquityEvaluationLimit)
      EXPECT_EQ(refusal, "") << c.evaluations;
    else
      EXPECT_EQ(refusal, "Error: equity would evaluate " + std::to_string(c.evaluations) +
                             " hands (limit 10000000000); use go to simulate.\n");
  }
}

}  // namespace
}  // namespace orvix
