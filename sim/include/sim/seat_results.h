#pragma once
// Results per seat: how each seat's deals ended (lost, won alone, tied for
// the best hand among k winners), from which its equity and the margin of
// that equity follow exactly. Counts of parts, workers and saved files add.

#include <cassert>
#include <cstdint>

#include <orvix/card.h>
#include "rules/game_rules.h"

namespace orvix {

// One seat's deals by the number of seats that held the best hand with it:
// by_winners[0] deals lost, by_winners[1] deals won alone, by_winners[k]
// (k = 2..kMaxPlayers) deals tied for the best hand among k winners.
struct SeatOutcomes {
  std::uint64_t by_winners[kMaxPlayers + 1] = {};

  bool operator==(const SeatOutcomes&) const = default;
};

// Every seat of one game; seats past the game's players stay at zero. Each
// playing seat's by_winners add up to deals.
struct SeatResults {
  GameRules game;  // the game counted (see same_deal_rules); meaningful once deals > 0
  std::uint64_t deals = 0;
  SeatOutcomes seat[kMaxPlayers];

  bool operator==(const SeatResults&) const = default;
};

// Credits one deal to every seat: values[0..players) are the seats' hand
// values and best is the largest of them. One increment per seat, chosen by
// index rather than by branch, since who wins is random:
//   values {7, 9, 9}, best 9: seat 0 by_winners[0], seats 1 and 2 by_winners[2].
inline void count_seat_deal(SeatResults& results, const HandValue* values, int players,
                            HandValue best) {
  assert(players >= 1 && players <= kMaxPlayers);
  int winners = 0;
  for (int p = 0; p < players; ++p) winners += values[p] == best;
  assert(winners >= 1);
  for (int p = 0; p < players; ++p) ++results.seat[p].by_winners[values[p] == best ? winners : 0];
  ++results.deals;
}

// Adds more's counts to total, which takes more's game while it has no deals
// (the caller adds only results of one game). Refused (false, total untouched) when any
// counter would pass 2^64 - 1.
bool add_seat_results(SeatResults& total, const SeatResults& more);

// One seat's row: its counts, and its equity with the half-width of the 95%
// interval of that equity, both as fractions of one deal.
struct SeatSummary {
  std::uint64_t wins = 0;    // deals won alone
  std::uint64_t ties = 0;    // deals tied for the best hand
  std::uint64_t losses = 0;  // deals lost
  double equity = 0.0;
  double margin = 0.0;
};

// The summary of seat s (0-based). With no deals the equity and margin are
// 0; with one deal the margin is 0, as nothing is known of the spread.
SeatSummary summarize_seat(const SeatResults& results, int s);

}  // namespace orvix
