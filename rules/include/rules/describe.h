#pragma once
// The game and deck descriptions printed by "game", "deck" and every run,
// and the rank headings of the reports.

#include <cstdint>

#include "rules/game_rules.h"

namespace orvix {

// The column headings of the reports' rank tables, Two to Ace (the tables
// print them Ace first).
inline constexpr const char* kRankHeadings[kRankCount] = {"TWO",   "THREE", "FOUR", "FIVE", "SIX",
                                                          "SEVEN", "EIGHT", "NINE", "TEN",  "JACK",
                                                          "QUEEN", "KING",  "ACE"};

void describe_game(const GameRules& rules);
// The same for a run that plays part `part` of `parts`: when parts > 1,
// "Playing part i of n." comes just before the "Simulating" line.
void describe_game(const GameRules& rules, std::uint32_t part, std::uint32_t parts);
void describe_deck(const GameRules& rules);

// The wild, added and removed lines of describe_game (its middle three).
void describe_cards(const GameRules& rules);

}  // namespace orvix
