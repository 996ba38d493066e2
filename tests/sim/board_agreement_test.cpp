// Long seeded runs against an exact count. For small packs every deal of the
// physical cards (two copies of As are two cards) is enumerated, each seat's
// hand valued by the tests' brute-force evaluator under the use rule; the
// run's per-seat wins, ties and equity and its category table must lie
// within 4.5 standard errors of those exact figures.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include <orvix/evaluate.h>
#include "rules/game_rules.h"
#include "rules/ranking_text.h"
#include "sim/result_table.h"
#include "sim/run_simulation.h"
#include "sim/seat_results.h"
#include "sim/wilson.h"
#include "support/brute_force.h"
#include "support/small_games.h"

namespace orvix {
namespace {

using test::for_each_subset;
using test::SmallGame;
using test::SmallGameCards;

constexpr int kSeats = test::kSmallGameSeats;
constexpr double kSigmas = 4.5;

const SmallGame kGames[] = {
    {"closed hands, Twos wild and a joker",
     {1, "2d 2h 4h 5h 6h 7c 8c 9c Tc Jd Qd Kd", "", 1, 0},
     {2, 5, 0, kUseAny},
     {},
     ""},
    {"two decks, a board of five, both copies of As held",
     {2, "As Kh Qh Jh 9c 5d 2s", "", 0, -1},
     {3, 2, 5, kUseAny},
     {"As Kh"},
     "As"},
    {"use 2 with jokers, added cards and held cards",
     {1, "Ad Kd Qd Jd Td 9s 8s 7h 3c 3h", "Kd 7h", 2, -1},
     {2, 4, 5, 2},
     {"", "* Kd"},
     "7h"},
    {"a board of three, Twos wild, a held wild Two",
     {1, "2c 2h 3s 4s 5s 6d 9h Tc Jh Kh Ks", "", 1, 0},
     {3, 2, 3, kUseAny},
     {"", "", "2h"},
     ""},
    {"a board of one, two decks, Fours wild, an added Ah",
     {2, "Qs Qh Jh 9h 4c 4d", "Ah", 0, 2},
     {2, 4, 1, kUseAny},
     {"Qs Qs"},
     ""},
    {"a board of five and no holds, Jacks wild and a joker",
     {1, "As Ah Ks Kh 9s 9h 8d 5c Jd Jc 3h", "", 1, 9},
     {3, 2, 5, kUseAny},
     {},
     ""},
    {"use 1 of three own cards with a board of four",
     {1, "Ad Kd Qd Jd Td 9c 9h 6s 5s 4s 3s", "", 1, -1},
     {2, 3, 4, 1},
     {},
     ""},
    {"use any over six cards, two decks, only the board holds",
     {2, "Kh Kc 7d 7s 6h 5h", "", 2, -1},
     {2, 3, 3, kUseAny},
     {},
     "Kh *"},
    {"use 3 of three own cards and a board of two, Sevens wild",
     {1, "Ac Kc Qc 8h 7h 7d 6h 5h 4d 3s 2s", "", 1, 5},
     {2, 3, 2, 3},
     {},
     ""},
};

// The exact figures of a game, as sums over every deal.
struct ExactCounts {
  std::uint64_t deals = 0;
  std::uint64_t wins[kSeats] = {}, ties[kSeats] = {};
  double payoff[kSeats] = {}, payoff_squares[kSeats] = {};
  // Per cell, the seats of a deal whose hand it files (all, and the winners)
  // summed over the deals, and those numbers squared.
  std::uint64_t hands[kResultCells] = {}, hand_squares[kResultCells] = {};
  std::uint64_t winners[kResultCells] = {}, winner_squares[kResultCells] = {};
};

class ExactGame {
 public:
  ExactGame(const SmallGame& game, const Ranking& ranking) : game_(game), cards_(game, ranking) {}

  int physical_cards() const { return cards_.physical_cards(); }

  // Every deal of the cards not held: the board's random cards, then each
  // seat's in turn, every set of them once.
  ExactCounts count() {
    ExactCounts counts;
    const int board_random = game_.seating.board - std::popcount(cards_.board_held());
    for_each_subset(cards_.free(), board_random, 0, [&](std::uint32_t board) {
      deal_seat(0, cards_.free() & ~board, board | cards_.board_held(), counts);
    });
    return counts;
  }

 private:
  void deal_seat(int s, std::uint32_t free, std::uint32_t board, ExactCounts& counts) {
    if (s == game_.seating.players) return score(board, counts);
    const std::uint32_t held = cards_.seat_held(s);
    for_each_subset(free, game_.seating.hand_size - std::popcount(held), 0, [&](std::uint32_t own) {
      own_[s] = own | held;
      deal_seat(s + 1, free & ~own, board, counts);
    });
  }

  void score(std::uint32_t board, ExactCounts& counts) {
    HandValue values[kSeats];
    HandValue best = 0;
    for (int s = 0; s < game_.seating.players; ++s)
      best = std::max(best, values[s] = cards_.seat_value(own_[s], board));
    const int winners = static_cast<int>(std::count(values, values + game_.seating.players, best));
    ++counts.deals;
    int cells[kSeats];
    for (int s = 0; s < game_.seating.players; ++s) {
      cells[s] = cards_.cell(values[s]);
      if (values[s] != best) continue;
      const double payoff = 1.0 / winners;
      counts.payoff[s] += payoff;
      counts.payoff_squares[s] += payoff * payoff;
      ++(winners == 1 ? counts.wins : counts.ties)[s];
    }
    for (int s = 0; s < game_.seating.players; ++s) {
      if (std::find(cells, cells + s, cells[s]) != cells + s)
        continue;  // counted with an earlier seat
      std::uint64_t hands = 0, winning = 0;
      for (int t = s; t < game_.seating.players; ++t) {
        hands += cells[t] == cells[s];
        winning += cells[t] == cells[s] && values[t] == best;
      }
      counts.hands[cells[s]] += hands;
      counts.hand_squares[cells[s]] += hands * hands;
      counts.winners[cells[s]] += winning;
      counts.winner_squares[cells[s]] += winning * winning;
    }
  }

  const SmallGame& game_;
  SmallGameCards cards_;
  std::uint32_t own_[kSeats] = {};
};

// How far a run's count of a per-deal quantity lies from its exact mean, in
// standard errors: the quantity summed `sum` and squared `squares` over the
// exact deals, the run's total `seen` over `n` deals.
double sigmas_off(double seen, double n, double sum, double squares, double deals) {
  const double mean = sum / deals;
  const double variance = squares / deals - mean * mean;
  const double off = seen - n * mean;
  if (variance <= 0.0) return off == 0.0 ? 0.0 : INFINITY;
  return std::fabs(off) / std::sqrt(n * variance);
}

// The run's cell counts (hands, or winning hands) against the exact ones,
// every cell within kSigmas: an impossible cell must stay empty. Every
// possible cell of the games below is expected hundreds of times in a run,
// where the normal approximation holds.
void expect_cells_agree(const char* what, const std::uint64_t (&seen)[kCategoryCount][kRankCount],
                        const std::uint64_t* sums, const std::uint64_t* squares, double n,
                        double deals) {
  for (int cell = 0; cell < kResultCells; ++cell) {
    const double count = static_cast<double>(seen[cell / kRankCount][cell % kRankCount]);
    const double sum = static_cast<double>(sums[cell]);
    const std::string where = std::string(what) + " of " + kCategoryNames[cell / kRankCount] +
                              ", " + kRankWords[cell % kRankCount];
    EXPECT_LE(sigmas_off(count, n, sum, static_cast<double>(squares[cell]), deals), kSigmas)
        << where << ": " << count << " seen, " << n * sum / deals << " exact";
  }
}

// Under each order: the standard one on the game's own paths, the others on
// the ranked evaluator's.
TEST(BoardAgreement, SeededRunsMatchEveryDealOfSmallPacks) {
  constexpr std::int32_t kDeals = 1000000;
  std::uint64_t seed = 2026;
  for (const auto& [game, ranking] : test::under_each_ranking(kGames)) {
    SCOPED_TRACE(std::string(game.name) + ", " + ranking_order_text(ranking));
    ExactGame exact_game(game, ranking);
    const ExactCounts exact = exact_game.count();
    ASSERT_GT(exact.deals, 0u);

    GameRules rules = test::small_game_rules(game, ranking);
    rules.run_length = kDeals;
    ASSERT_TRUE(deal_fits_pack(rules));
    ASSERT_EQ(cards_available(rules), exact_game.physical_cards());
    ResultTable table;
    const RunOutcome outcome = run_simulation(rules, RunRequest{++seed, 1, 1}, table);
    ASSERT_EQ(outcome.deals, kDeals);
    compute_percentages(table);
    ASSERT_EQ(table.total_hands, std::uint64_t{kDeals} * game.seating.players);

    const double n = kDeals;
    const double deals = static_cast<double>(exact.deals);
    std::uint64_t all_hands[kCategoryCount][kRankCount];
    for (int c = 0; c < kCategoryCount; ++c)
      for (int r = 0; r < kRankCount; ++r) all_hands[c][r] = table.wins[c][r] + table.losses[c][r];
    expect_cells_agree("hands", all_hands, exact.hands, exact.hand_squares, n, deals);
    expect_cells_agree("winning hands", table.wins, exact.winners, exact.winner_squares, n, deals);

    ASSERT_EQ(table.seats.deals, std::uint64_t{kDeals});
    for (int s = 0; s < game.seating.players; ++s) {
      SCOPED_TRACE("seat " + std::to_string(s + 1));
      const SeatSummary seen = summarize_seat(table.seats, s);
      const double equity = exact.payoff[s] / deals;
      const double margin =
          kZ95 * std::sqrt((exact.payoff_squares[s] / deals - equity * equity) / n);
      EXPECT_LE(sigmas_off(seen.equity * n, n, exact.payoff[s], exact.payoff_squares[s], deals),
                kSigmas)
          << seen.equity << " run, " << equity << " exact";
      // The run's margin comes from its own spread of payoffs, a close estimate of the exact one.
      EXPECT_NEAR(seen.margin, margin, 0.03 * margin);
      const double wins = static_cast<double>(exact.wins[s]);
      const double ties = static_cast<double>(exact.ties[s]);
      EXPECT_LE(sigmas_off(static_cast<double>(seen.wins), n, wins, wins, deals), kSigmas)
          << seen.wins << " wins run, " << n * wins / deals << " exact";
      EXPECT_LE(sigmas_off(static_cast<double>(seen.ties), n, ties, ties, deals), kSigmas)
          << seen.ties << " ties run, " << n * ties / deals << " exact";
    }
  }
}

}  // namespace
}  // namespace orvix
