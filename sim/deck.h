#pragma once
// Laying out a game's pack, the per-worker generator and the per-deal shuffle.

#include <cstdint>

#include <orvix/card.h>
#include "rules/game_rules.h"
#include "sim_worker.h"

namespace orvix {

// Writes exactly cards_available(rules) cards to out, in passes: each pass
// holds the next copy of every kind that still has one (Two to Ace, d s c h
// within a rank), followed by up to two jokers.
void build_deck(const GameRules& rules, CardCode* out);

// Advances the worker's generator and returns 32 random bits.
std::uint32_t next_random(SimWorker& worker);

// Shuffles the first dealt_cards positions of the worker's deck: a partial
// Fisher-Yates, so those positions hold a uniform random ordered draw from
// the whole deck whatever arrangement the previous deal left.
void shuffle_deal(SimWorker& worker);

}  // namespace orvix
