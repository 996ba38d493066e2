#pragma once
// The "exact" command: every hand of the current game counted, with
// percentages, odds, a table by top rank and notes on categories whose
// rarity no longer follows their rank.

#include <cstdint>
#include <string>

#include "exact/exact_engine.h"
#include "rules/game_rules.h"

namespace orvix {

// More code multisets than this and exact refuses, pointing to go.
inline constexpr std::uint64_t kExactMultisetLimit = 10000000000;

// Why exact refuses `game`, as the command prints it ("Error: ...\n"), or
// empty when the game can be counted: too many code multisets, or no hand.
std::string exact_refusal(const ExactGame& game);

// Whether exact counts seat 1's final hand with a board and held cards
// (count_seat_one_hands) rather than one closed hand from the whole pack.
bool exact_counts_seat_one(const GameRules& rules);

// Why exact refuses the rules before laying out their pack, or empty: for a
// game with a board or held cards, seat_one_refusal's text; else nothing
// (exact_refusal then judges the closed hand).
std::string exact_rules_refusal(const GameRules& rules);

// The whole command: the refusal, or the game lines, the count and its
// tables; with a board or held cards, seat 1's final hand (the game line
// names one hand and the board, the use and hold lines follow). workers 0 means one per processor.
// Quiet drops the leading empty line. A Ctrl-C prints "Stopped." instead of the tables.
void run_exact(const GameRules& rules, bool quiet, int workers = 0);

// The game exact counts for rules without a board or held cards: one
// closed hand from the whole pack, under the rules' ranking.
ExactGame closed_exact_game(const GameRules& rules);

// What exact would refuse the rules with, as printed, or empty.
std::string exact_command_refusal(const GameRules& rules);

// The count exact makes of the rules (seat 1's final hand with a board or
// held cards, else a closed hand) under rules.ranking, with exact's progress
// line, stopped by Ctrl-C (table.stopped). Needs an empty
// exact_command_refusal(rules). workers 0 means one per processor.
ExactTable count_as_exact(const GameRules& rules, int workers);

// The tables and notes of a finished count, each line ended; the notes
// compare categories by `ranking`, and lowball rankings get none.
void print_exact_table(const ExactTable& table, const Ranking& ranking = standard_ranking());

// One line for each pair of categories where the one `ranking` puts higher
// is the more common ("Note: A (x%) is more common than B (y%), though it
// ranks higher."); returns how many.
int print_rarity_notes(const ExactTable& table, const Ranking& ranking);

// ranking frequency: counts what exact counts under the ranking in force (a
// lowball one counts as standard), ranks the rarer category higher (equal
// counts keep the standard order; categories that cannot occur go below
// those that can), counts again under
// that order and prints "Ranking now custom: <order>." and a Note line for
// every pair still out of order, or "No category is more common than one it
// outranks.". Sets rules.ranking to the new order only when both counts
// finished; a refusal (as exact's) or Ctrl-C leaves the rules as they were.
void run_ranking_frequency(GameRules& rules, bool quiet, int workers = 0);

// What a count stopped by Ctrl-C prints in place of its tables: "Stopped.",
// then, for commands read from a file or a pipe, the end of the program
// (status 130); at a terminal an empty line and the prompt again.
void print_count_stopped();

}  // namespace orvix
