#pragma once
// The partial Fisher-Yates shuffle over a deck's first dealt positions, inline
// so the trial loop keeps the generator in registers from deal to deal.

#include <cstdint>
#include <utility>

#include <orvix/card.h>
#include "sim/random.h"

namespace orvix {

// Position i takes a uniform pick of the cards at i .. deck_size - 1, for
// i = 0 .. dealt - 1; later positions serve only as swap partners. Indices are
// drawn three or two per generator output while the pack is small enough.
inline void shuffle_positions(std::uint64_t& state, std::uint64_t increment, CardCode* deck,
                              std::uint32_t deck_size, std::uint32_t dealt) {
  // Walking a slot pointer with a shrinking range keeps few enough values
  // live that the loop runs from registers alone.
  CardCode* slot = deck;
  std::uint32_t range = deck_size;
  std::uint32_t left = dealt;
  if (deck_size <= kTripleRangeLimit) {
    for (; left > 2; left -= 3, range -= 3, slot += 3) {
      std::uint32_t first, second, third;
      bounded_triple(state, increment, range, first, second, third);
      std::swap(slot[0], slot[first]);
      std::swap(slot[1], slot[1 + second]);
      std::swap(slot[2], slot[2 + third]);
    }
  } else if (deck_size <= kPairRangeLimit) {
    for (; left > 1; left -= 2, range -= 2, slot += 2) {
      std::uint32_t first, second;
      bounded_pair(state, increment, range, first, second);
      std::swap(slot[0], slot[first]);
      std::swap(slot[1], slot[1 + second]);
    }
  }
  for (; left > 0; --left, --range, ++slot) std::swap(slot[0], slot[bounded_index(state, increment, range)]);
}

}  // namespace orvix
