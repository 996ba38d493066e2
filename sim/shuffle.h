#pragma once
// The partial Fisher-Yates shuffle over a deck's first dealt positions, inline
// so the trial loop keeps the generator in registers from deal to deal.

#include <cstdint>
#include <utility>

#include "eval/card.h"
#include "random.h"

namespace orvix {

// Position i takes a uniform pick of the cards at i .. deck_size - 1, for
// i = 0 .. dealt - 1; later positions serve only as swap partners. Indices are
// drawn three or two per generator output while the pack is small enough.
inline void shuffle_positions(std::uint64_t& state, std::uint64_t increment, CardCode* deck,
                              std::uint32_t deck_size, std::uint32_t dealt) {
  std::uint32_t i = 0;
  if (deck_size <= kTripleRangeLimit) {
    for (; i + 2 < dealt; i += 3) {
      std::uint32_t first, second, third;
      bounded_triple(state, increment, deck_size - i, first, second, third);
      std::swap(deck[i], deck[i + first]);
      std::swap(deck[i + 1], deck[i + 1 + second]);
      std::swap(deck[i + 2], deck[i + 2 + third]);
    }
  } else if (deck_size <= kPairRangeLimit) {
    for (; i + 1 < dealt; i += 2) {
      std::uint32_t first, second;
      bounded_pair(state, increment, deck_size - i, first, second);
      std::swap(deck[i], deck[i + first]);
      std::swap(deck[i + 1], deck[i + 1 + second]);
    }
  }
  for (; i < dealt; ++i) {
    const std::uint32_t j = i + bounded_index(state, increment, deck_size - i);
    std::swap(deck[i], deck[j]);
  }
}

}  // namespace orvix
