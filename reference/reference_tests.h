#pragma once
// The "test" command: exact enumerations of seven reference games.

#include "eval/card.h"

namespace orvix {

void run_reference_tests();

// Enumerates one game and prints its table. An infinite deck always deals 5 cards.
void enumerate_reference_game(bool infinite_deck, int cards_per_hand, bool deuces_wild,
                              bool joker_per_deck);

void print_distinguishable_hands();

// The 52 natural cards of one deck, rank-major (entry rank * 4 + suit).
void standard_deck(CardCode* out);

// Makes every Two of the 52-card list wild.
void make_deuces_wild(CardCode* cards);

}  // namespace orvix
