#pragma once
// The game and deck descriptions printed by "game", "deck" and every run,
// and the rank headings of the reports.

#include <cstdint>
#include <string>

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

// The line describe_game prints after the holds when the ranking is not the
// standard one ("Ranking: Five of a Kind, Straight Flush, Flush, ...\n");
// nothing under the standard ranking. Every report that names its game
// prints it after its hold lines.
void describe_ranking(const GameRules& rules);

// The sentences that name the board, the use rule and a hold, without line
// end; describe_game prints those of a set board, use rule and hold, the
// board, use and hold commands confirm with them.
//   board_sentence(5) == "Board of 5 cards.", board_sentence(0) == "No board."
//   use_sentence(2) == "Hands use exactly 2 of their own cards."
//   hold_sentence(rules, 1) == "Seat 1 holds As Ad." (seat 0: "The board holds ...";
//   a seat holding nothing "... holds no cards.")
std::string board_sentence(std::int32_t board);
std::string use_sentence(std::int32_t use);
std::string hold_sentence(const GameRules& rules, int seat);

}  // namespace orvix
