#pragma once
// The partial Fisher-Yates shuffle over a deck's first dealt positions: all
// the indices of a deal are drawn in one batch, then the cards are swapped.

#include <cstdint>
#include <utility>


#include <orvix/card.h>
#include "sim/random.h"

namespace orvix {

// The layout of a deal's draws. The dealt positions are taken in groups of
// `digits` consecutive positions (the last group may hold fewer), and each
// group draws its indices from one generator output (draw_digits). The
// outputs of the whole deal are drawn first, kLanes at a time. The digits per
// group are as many as keep the product of a group's ranges below 2^24
// (three for packs up to 256 cards, two up to 4096, else one), so a redraw is
// rarer than 1 in 256.
struct ShuffleBuffers {
  const std::uint32_t* thresholds = nullptr;  // per group: rejection_threshold of its ranges' product
  std::uint32_t* outputs = nullptr;           // groups rounded up to kLanes
  std::uint32_t deck_size = 0;
  std::uint32_t dealt = 0;
  std::uint32_t digits = 1;                   // positions per full group
  std::uint32_t full_groups = 0;              // dealt / digits
  std::uint32_t steps = 0;                    // generator steps per deal
};

// The digits per group for a pack of deck_size cards (see ShuffleBuffers).
constexpr std::uint32_t digits_per_group(std::uint32_t deck_size) {
  return deck_size <= 256 ? 3 : deck_size <= 4096 ? 2 : 1;
}

// A group's draw again from fresh outputs (lane 0 of further steps) until
// its low half reaches the threshold: the rare redraw of draw_digits.
DigitDraw redraw_digits(LaneGenerator& generator, std::uint32_t a, std::uint32_t b, std::uint32_t c,
                        std::uint32_t threshold);

// Position i takes a uniform pick of the cards at i .. deck_size - 1, for
// i = 0 .. dealt - 1; later positions serve only as swap partners.
inline void shuffle_positions(LaneGenerator& generator, const ShuffleBuffers& buffers, CardCode* deck) {
  // The state is copied so that no store to the outputs can alias it, which
  // lets it live in vector registers for the whole batch.
  LaneGenerator local = generator;
  std::uint32_t* const outputs = buffers.outputs;
  for (std::uint32_t k = 0; k < buffers.steps; ++k) next_lanes(local, outputs + k * kLanes);

  const std::uint32_t* const thresholds = buffers.thresholds;
  CardCode* slot = deck;
  std::uint32_t range = buffers.deck_size;
  std::uint32_t g = 0;
  const auto draw = [&](std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    DigitDraw d = draw_digits(outputs[g], a, b, c);
    if (d.low < thresholds[g]) [[unlikely]] {
      // Through the caller's copy: taking the address of `local` would keep
      // it in memory on the common path too.
      generator = local;
      d = redraw_digits(generator, a, b, c, thresholds[g]);
      local = generator;
    }
    return d;
  };
  switch (buffers.digits) {
    case 3:
      for (; g < buffers.full_groups; ++g, slot += 3, range -= 3) {
        const DigitDraw d = draw(range, range - 1, range - 2);
        std::swap(slot[0], slot[d.first]);
        std::swap(slot[1], slot[1 + d.second]);
        std::swap(slot[2], slot[2 + d.third]);
      }
      break;
    case 2:
      for (; g < buffers.full_groups; ++g, slot += 2, range -= 2) {
        const DigitDraw d = draw(range, range - 1, 1);
        std::swap(slot[0], slot[d.first]);
        std::swap(slot[1], slot[1 + d.second]);
      }
      break;
    default:
      for (; g < buffers.full_groups; ++g, ++slot, --range) std::swap(slot[0], slot[draw(range, 1, 1).first]);
      break;
  }
  // The last group, of fewer than `digits` positions.
  const std::uint32_t tail = buffers.dealt - g * buffers.digits;
  if (tail > 0) {
    const DigitDraw d = draw(range, tail > 1 ? range - 1 : 1, 1);
    std::swap(slot[0], slot[d.first]);
    if (tail > 1) std::swap(slot[1], slot[1 + d.second]);
  }
  generator = local;
}

}  // namespace orvix
