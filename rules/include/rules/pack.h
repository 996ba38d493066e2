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

// Every card held by a seat or the board, counted with repeats.
int held_card_count(const GameRules& rules);

// The card a held kind is dealt as: natural kind rank * 4 + suit as build_deck
// lays that kind out (wild when the wild rules make it so), kJokerKind a joker.
// With Twos wild, held_card_code(rules, 0) (2d) is make_card(0, 0, true).
CardCode held_card_code(const GameRules& rules, int kind);

// The cards a deal draws from once every held card is set aside: build_deck's
// passes over the pack with one copy taken out per held card, so
// cards_available(rules) - held_card_count(rules) cards. Without holds it
// writes exactly what build_deck writes. Needs deal_fits_pack(rules) and every
// held card in the pack as often as it is held.
void build_undealt_pack(const GameRules& rules, CardCode* out);

}  // namespace orvix
