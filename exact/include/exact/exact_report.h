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

// Why exact refuses the rules before laying out their pack, or empty: it
// deals one player's closed hand from the whole pack, so a board or held
// cards are refused.
std::string exact_rules_refusal(const GameRules& rules);

// The whole command: the refusal, or the game lines, the count and its
// tables. workers 0 means one per processor. Quiet drops the leading empty
// line. A Ctrl-C prints "Stopped." instead of the tables.
void run_exact(const GameRules& rules, bool quiet, int workers = 0);

// The tables and notes of a finished count, each line ended.
void print_exact_table(const ExactTable& table);

}  // namespace orvix
