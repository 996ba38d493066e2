#pragma once
// The game and deck descriptions printed by "game", "deck" and every run.

#include "rules/game_rules.h"

namespace orvix {

void describe_game(const GameRules& rules);
void describe_deck(const GameRules& rules);

}  // namespace orvix
