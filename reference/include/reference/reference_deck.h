#pragma once
// The card lists of the reference games behind the "test" command.

#include <orvix/card.h>

namespace orvix {

// One reference game's settings, as the command passes them. The cards per
// hand are 5 or 7; an infinite deck always deals 5.
struct ReferenceGame {
  bool infinite_deck;
  int cards_per_hand;
  bool deuces_wild;
  bool joker_per_deck;
};

// The 52 natural cards of one deck, rank-major (entry rank * 4 + suit).
void standard_deck(CardCode* out);

// Makes every Two of the 52-card list wild.
void make_deuces_wild(CardCode* cards);

// The cards per hand the game really deals: 5 for an infinite deck and for 5,
// 7 otherwise.
int dealt_cards(const ReferenceGame& game);

// Lays out the game's card list (at least 53 entries) and returns its length,
// 52 or 53 with the joker last.
int build_reference_deck(const ReferenceGame& game, CardCode* out);

}  // namespace orvix
