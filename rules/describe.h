#pragma once
// The game and deck descriptions printed by "game", "deck" and every run.

#include "game_rules.h"

namespace orvix {

void describe_game(const GameRules& rules);
void describe_deck(const GameRules& rules);

// The wild, added and removed lines of describe_game (its middle three).
void describe_cards(const GameRules& rules);

}  // namespace orvix
