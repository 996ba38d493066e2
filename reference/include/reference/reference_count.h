#pragma once
// The counting of the reference games: every hand of a small card list
// enumerated, filed by category, with the distinct hand values among them.

#include <cstdint>

#include <orvix/evaluate.h>
#include "reference/reference_deck.h"

namespace orvix {

// What one reference game counts, kept apart from its printing.
struct ReferenceCounts {
  std::int32_t category_hands[kCategoryCount];  // hands per HandCategory
  std::int32_t hands;                           // hands enumerated
  std::int32_t distinct_values;                 // distinct HandValues among them
  bool stopped;                                 // a stop request ended the counting early
};

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

}  // namespace orvix
