#pragma once
// The reference games behind the "test" command: seven small games whose
// hands are enumerated exactly, and the table of distinguishable hands.

#include <cstdint>

#include <orvix/evaluate.h>

namespace orvix {

// Enumerates and prints the seven reference games, then the table of
// distinguishable hands. Ctrl-C stops it with "Stopped." and no partial
// table (returns false); a progress line shows on a terminal.
bool run_reference_games();

void print_distinguishable_hands();

// The 52 natural cards of one deck, rank-major (entry rank * 4 + suit).
void standard_deck(CardCode* out);

// Makes every Two of the 52-card list wild.
void make_deuces_wild(CardCode* cards);

// What one reference game counts, kept apart from its printing.
struct ReferenceCounts {
  std::int32_t category_hands[kCategoryCount];  // hands per HandCategory
  std::int32_t hands;                           // hands enumerated
  std::int32_t distinct_values;                 // distinct HandValues among them
  bool stopped;                                 // a stop request ended the counting early
};

// One reference game's settings, as the command passes them. The cards per
// hand are 5 or 7; an infinite deck always deals 5.
struct ReferenceGame {
  bool infinite_deck;
  int cards_per_hand;
  bool deuces_wild;
  bool joker_per_deck;
};

// Enumerates one game and prints its header and table; on a stop request,
// "Stopped." instead of the table, and false.
bool print_reference_game(const ReferenceGame& game);

// The cards per hand the game really deals: 5 for an infinite deck and for 5,
// 7 otherwise.
int dealt_cards(const ReferenceGame& game);

// Lays out the game's card list (at least 53 entries) and returns its length,
// 52 or 53 with the joker last.
int build_reference_deck(const ReferenceGame& game, CardCode* out);

// Enumerates every hand of the game without printing anything (watchful: as
// count_hands).
ReferenceCounts count_reference_game(const ReferenceGame& game, bool watchful = false);

// The counting behind count_reference_game, over any card list of n entries
// (n at most 53): every 5- or 7-card combination (dealt = 5 or 7), or with
// `with_repetition` every ordered 5-tuple (dealt must then be 5).
// With `watchful`, the counting gives up when stop_requested() turns true
// (then `stopped` is set) and feeds the current progress line, if any.
ReferenceCounts count_hands(const CardCode* cards, int n, int dealt, bool with_repetition,
                            bool watchful = false);

// The header line of a game, up to and including "distinct hands: ", flushed.
void print_reference_header(const ReferenceGame& game);

// The rest of a game's table: the distinct count ending the header line, the
// category rows and the total.
void print_reference_table(const ReferenceCounts& counts);

}  // namespace orvix
