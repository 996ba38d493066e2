#pragma once
// The game and deck descriptions printed by "game", "deck" and every run.

#include <cstdint>

#include "rules/game_rules.h"

namespace orvix {

void describe_game(const GameRules& rules);
// The same for a run that plays part `part` of `parts`: when parts > 1,
// "Playing part i of n." comes just before the "Simulating" line.
void describe_game(const GameRules& rules, std::uint32_t part, std::uint32_t parts);
void describe_deck(const GameRules& rules);

// The wild, added and removed lines of describe_game (its middle three).
void describe_cards(const GameRules& rules);

}  // namespace orvix
