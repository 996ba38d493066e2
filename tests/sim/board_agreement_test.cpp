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
#include "sim/result_table.h"
#include "sim/run_simulation.h"
#include "sim/seat_results.h"
#include "sim/wilson.h"
#include "support/brute_force.h"

namespace orvix {
namespace {

constexpr int kSeats = 3;  // the most players of a game below
constexpr double kSigmas = 4.5;

// The pack: `decks` copies of each kind kept (every other kind removed), one
// more copy of each added card, the jokers, and every suit of wild_rank wild
// (-1: none).
struct SmallPack {
  int decks;
  const char* kinds;
  const char* added;
  int jokers;
  int wild_rank;
};

// Players of hand_size own cards each, a board and its use rule.
struct Seating {
  int players, hand_size, board, use;
};

struct AgreementGame {
  const char* name;
  SmallPack pack;
  Seating seating;
  const char* holds[kSeats];
  const char* board_hold;
};

const AgreementGame kGames[] = {
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

int kind_of(CardCode card) {
  return is_wild(card) ? kJokerKind : card_rank_index(card) * kSuitCount + card_suit_index(card);
}

std::vector<int> kinds_of(const char* text) {
  std::vector<int> kinds;
  if (text == nullptr || *text == '\0') return kinds;
  for (const CardCode card : test::hand(text)) kinds.push_back(kind_of(card));
  return kinds;
}

HeldCards held(const char* text) {
  HeldCards cards;
  for (const int kind : kinds_of(text))
    cards.kinds[cards.count++] = static_cast<std::uint8_t>(kind);
  return cards;
}

GameRules rules_of(const AgreementGame& game, std::int32_t deals) {
  GameRules rules;
  rules.decks = game.pack.decks;
  for (auto& row : rules.card_delta)
    for (auto& delta : row) delta = -game.pack.decks;
  for (const int kind : kinds_of(game.pack.kinds))
    rules.card_delta[kind / kSuitCount][kind % kSuitCount] = 0;
  for (const int kind : kinds_of(game.pack.added))
    ++rules.card_delta[kind / kSuitCount][kind % kSuitCount];
  rules.jokers = game.pack.jokers;
  if (game.pack.wild_rank >= 0)
    for (auto& wild : rules.wild[game.pack.wild_rank]) wild = 1;
  rules.players = game.seating.players;
  rules.hand_size = game.seating.hand_size;
  rules.board = game.seating.board;
  rules.use = game.seating.use;
  for (int s = 0; s < game.seating.players; ++s) rules.holds[s] = held(game.holds[s]);
  rules.board_hold = held(game.board_hold);
  rules.run_length = deals;
  return rules;
}

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

// Calls visit(chosen) for every set of `count` cards of the mask `free`.
template <class Visit>
void for_each_subset(std::uint32_t free, int count, std::uint32_t chosen, const Visit& visit) {
  if (count == 0) return visit(chosen);
  while (std::popcount(free) >= count) {
    const std::uint32_t card = free & (0u - free);
    free ^= card;
    for_each_subset(free, count - 1, chosen | card, visit);
  }
}

class ExactGame {
 public:
  explicit ExactGame(const AgreementGame& game) : game_(game) {
    // The physical cards, then each hold takes one copy of its kind.
    auto add = [&](int kind, int copies) {
      for (int c = 0; c < copies; ++c, kinds_.push_back(kind))
        cards_.push_back(kind == kJokerKind ? kJoker
                                            : make_card(kind / kSuitCount, kind % kSuitCount,
                                                        kind / kSuitCount == game.pack.wild_rank));
    };
    for (const int kind : kinds_of(game.pack.kinds)) add(kind, game.pack.decks);
    for (const int kind : kinds_of(game.pack.added)) add(kind, 1);
    add(kJokerKind, game.pack.jokers);
    const int n = static_cast<int>(cards_.size());
    values_.assign(std::size_t{1} << n, 0);
    free_ = (1u << n) - 1;
    for (int s = 0; s < game.seating.players; ++s) held_[s] = take(game.holds[s]);
    board_held_ = take(game.board_hold);
  }

  int physical_cards() const { return static_cast<int>(cards_.size()); }

  // Every deal of the cards not held: the board's random cards, then each
  // seat's in turn, every set of them once.
  ExactCounts count() {
    ExactCounts counts;
    const int board_random = game_.seating.board - std::popcount(board_held_);
    for_each_subset(free_, board_random, 0, [&](std::uint32_t board) {
      deal_seat(0, free_ & ~board, board | board_held_, counts);
    });
    return counts;
  }

 private:
  // One free copy of each card of the text, taken out of the free cards.
  std::uint32_t take(const char* text) {
    std::uint32_t mask = 0;
    for (const int kind : kinds_of(text)) {
      int i = 0;
      while (i < physical_cards() && !((free_ >> i & 1) != 0 && kinds_[i] == kind)) ++i;
      if (i == physical_cards()) {
        ADD_FAILURE() << "the pack holds no more of a held card";
        continue;
      }
      free_ &= ~(1u << i);
      mask |= 1u << i;
    }
    return mask;
  }

  // The brute-force value of the cards of a mask, remembered.
  HandValue value(std::uint32_t mask) {
    HandValue& value = values_[mask];
    if (value == 0) {
      CardCode hand[kMaxHandSize];
      int count = 0;
      for (std::uint32_t m = mask; m != 0; m &= m - 1) hand[count++] = cards_[std::countr_zero(m)];
      value = test::brute_force_value(hand, count);
    }
    return value;
  }

  // A seat's final hand: all its cards and the board's, or the best five of
  // exactly `use` own cards and 5 - use board cards.
  HandValue seat_value(std::uint32_t own, std::uint32_t board) {
    if (game_.seating.board == 0 || game_.seating.use == kUseAny) return value(own | board);
    HandValue best = 0;
    for_each_subset(own, game_.seating.use, 0, [&](std::uint32_t own_part) {
      for_each_subset(board, kMaxUse - game_.seating.use, 0, [&](std::uint32_t board_part) {
        best = std::max(best, value(own_part | board_part));
      });
    });
    return best;
  }

  void deal_seat(int s, std::uint32_t free, std::uint32_t board, ExactCounts& counts) {
    if (s == game_.seating.players) return score(board, counts);
    for_each_subset(free, game_.seating.hand_size - std::popcount(held_[s]), 0,
                    [&](std::uint32_t own) {
                      own_[s] = own | held_[s];
                      deal_seat(s + 1, free & ~own, board, counts);
                    });
  }

  void score(std::uint32_t board, ExactCounts& counts) {
    HandValue values[kSeats];
    HandValue best = 0;
    for (int s = 0; s < game_.seating.players; ++s)
      best = std::max(best, values[s] = seat_value(own_[s], board));
    const int winners = static_cast<int>(std::count(values, values + game_.seating.players, best));
    ++counts.deals;
    int cells[kSeats];
    for (int s = 0; s < game_.seating.players; ++s) {
      cells[s] = hand_category(values[s]) * kRankCount + top_rank(values[s]);
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

  const AgreementGame& game_;
  std::vector<CardCode> cards_;
  std::vector<int>
      kinds_;  // each card's kind, kJokerKind for a joker (a wild 2d has the same code)
  std::vector<HandValue> values_;  // by mask of cards; 0 until valued
  std::uint32_t free_ = 0;         // the cards no hold takes
  std::uint32_t held_[kSeats] = {}, board_held_ = 0, own_[kSeats] = {};
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

TEST(BoardAgreement, SeededRunsMatchEveryDealOfSmallPacks) {
  constexpr std::int32_t kDeals = 1000000;
  std::uint64_t seed = 2026;
  for (const AgreementGame& game : kGames) {
    SCOPED_TRACE(game.name);
    ExactGame exact_game(game);
    const ExactCounts exact = exact_game.count();
    ASSERT_GT(exact.deals, 0u);

    const GameRules rules = rules_of(game, kDeals);
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
