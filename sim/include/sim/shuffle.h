#pragma once
// The partial Fisher-Yates shuffle over a deck's first dealt positions,
// inline so the trial loop keeps the generator in registers from deal to deal.

#include <cstdint>
#include <utility>

#include <orvix/card.h>
#include "sim/random.h"

namespace orvix {

// The dealt positions are taken in groups of `digits` consecutive positions
// (the last group may hold fewer), and each group draws its indices from one
// generator output (bounded_digits). The digits per group are as many as keep
// the product of a group's ranges below 2^24 (three for packs up to 256 cards,
// two up to 4096, else one), so a remainder is needed on fewer than 1 draw in 256.
constexpr std::uint32_t digits_per_group(std::uint32_t deck_size) {
  return deck_size <= 256 ? 3 : deck_size <= 4096 ? 2 : 1;
}

struct ShuffleShape {
  std::uint32_t deck_size = 0;
  std::uint32_t dealt = 0;
};

// Position i takes a uniform pick of the cards at i .. deck_size - 1, for
// i = 0 .. dealt - 1; later positions serve only as swap partners.
[[gnu::always_inline]] inline void shuffle_positions(DealGenerator& generator, ShuffleShape shape,
                                                     CardCode* deck) {
  // Walking a slot pointer with a shrinking range keeps few enough values
  // live that the loop runs from registers alone.
  std::uint64_t state = generator.state;
  const std::uint64_t increment = generator.increment;
  CardCode* slot = deck;
  std::uint32_t range = shape.deck_size;
  // Positions are left to deal while range exceeds the undealt cards.
  const std::uint32_t undealt = shape.deck_size - shape.dealt;
  // The first group's product of ranges is the largest: a bound for them all.
  // (Packs of one or two cards get 0: their products, 1 and 2, need no redraw.)
  const std::uint32_t digits = digits_per_group(shape.deck_size);
  const std::uint32_t bound = digits == 3   ? range * (range - 1) * (range - 2)
                              : digits == 2 ? range * (range - 1)
                                            : range;
  switch (digits) {
    case 3:
      for (; range > undealt + 2; range -= 3, slot += 3) {
        const DigitDraw d = bounded_digits(state, increment, range, range - 1, range - 2, bound);
        std::swap(slot[0], slot[d.first]);
        std::swap(slot[1], (slot + 1)[d.second]);
        std::swap(slot[2], (slot + 2)[d.third]);
      }
      break;
    case 2:
      for (; range > undealt + 1; range -= 2, slot += 2) {
        const DigitDraw d = bounded_digits(state, increment, range, range - 1, 1, bound);
        std::swap(slot[0], slot[d.first]);
        std::swap(slot[1], (slot + 1)[d.second]);
      }
      break;
    default:
      break;
  }
  // The last group, of fewer than `digits` positions (or every position of
  // the largest packs, one output each).
  if (range > undealt + 1 && digits == 3) {
    const DigitDraw d = bounded_digits(state, increment, range, range - 1, 1, bound);
    std::swap(slot[0], slot[d.first]);
    std::swap(slot[1], (slot + 1)[d.second]);
  } else {
    for (; range > undealt; --range, ++slot)
      std::swap(slot[0], slot[bounded_digits(state, increment, range, 1, 1, bound).first]);
  }
  generator.state = state;
}

}  // namespace orvix
