#pragma once
// The pack a game implies, laid out card by card. Both the "deck" listing and
// every run's workers lay it out here, so the two always agree.

#include <orvix/card.h>
#include "rules/game_rules.h"

namespace orvix {

// Writes exactly cards_available(rules) cards to out, in passes: each pass
// holds the next copy of every kind that still has one (Two to Ace, d s c h
// within a rank), followed by up to two jokers. Needs deal_fits_pack(rules).
void build_deck(const GameRules& rules, CardCode* out);

}  // namespace orvix
