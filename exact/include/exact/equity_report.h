#pragma once
// The "equity" command: every deal of the unknown cards counted, and each
// seat's wins, ties, losses and equity as exact counts and percentages.

#include <string>

#include "exact/seat_equity.h"
#include "rules/game_rules.h"

namespace orvix {

// The game line of a count over `hands` hands of the rules, then the wild,
// added and removed lines, the use rule and the held cards. One hand, a board of 5:
//   "Poker with 1 deck, 0 jokers, one hand of 2 cards and a board of 5 cards."
void print_count_game_lines(const GameRules& rules, int hands);

// The seat table of a finished count, each line ended: SEAT, HOLDS (as wide
// as the longest held cards, at least 5, "-" for none), WINS, TIES and LOSSES
// (each as wide as its header or its widest count), then WIN%, TIE% and
// EQUITY% as %10.6f.
void print_seat_equity(const SeatEquity& equity, const GameRules& rules);

// The whole command: the refusal, or the game lines, "Counting N deals." and
// the seat table. workers 0 means one per processor. Quiet drops the leading
// empty line. A Ctrl-C prints "Stopped." instead of the table.
void run_equity(const GameRules& rules, bool quiet, int workers = 0);

}  // namespace orvix
