#include "sim/sim_worker.h"

#include <algorithm>
#include <cassert>

#include "rules/pack.h"

namespace orvix {

void configure_worker(SimWorker& worker, const GameRules& rules) {
  assert(deal_fits_pack(rules));
  worker.deck_size = cards_available(rules);
  worker.players = rules.players;
  worker.hand_size = rules.hand_size;
  worker.dealt_cards = rules.players * rules.hand_size;
  worker.evaluate = select_evaluator(rules.hand_size);

  worker.layout.assign(static_cast<std::size_t>(worker.deck_size), 0);
  build_deck(rules, worker.layout.data());
  worker.deck = worker.layout;

  prepare_shuffle(worker);

  const auto players = static_cast<std::size_t>(worker.players);
  worker.hands.resize(players);
  for (std::size_t p = 0; p < players; ++p)
    worker.hands[p] = static_cast<std::int32_t>(p) * worker.hand_size;
  worker.values.assign(players, 0);
}

void prepare_shuffle(SimWorker& worker) {
  // One threshold per group of positions that share a generator output.
  const auto deck_size = static_cast<std::uint32_t>(worker.deck_size);
  const auto dealt = static_cast<std::uint32_t>(worker.dealt_cards);
  const std::uint32_t digits = digits_per_group(deck_size);
  const std::uint32_t groups = (dealt + digits - 1) / digits;
  worker.thresholds.assign(groups, 0);
  for (std::uint32_t g = 0; g < groups; ++g) {
    std::uint32_t product = 1;
    for (std::uint32_t p = g * digits; p < std::min(dealt, (g + 1) * digits); ++p) product *= deck_size - p;
    worker.thresholds[g] = rejection_threshold(product);
  }
  worker.outputs.assign((groups + kLanes - 1) / kLanes * kLanes, 0);
}

ShuffleBuffers shuffle_buffers(SimWorker& worker) {
  ShuffleBuffers buffers;
  buffers.thresholds = worker.thresholds.data();
  buffers.outputs = worker.outputs.data();
  buffers.deck_size = static_cast<std::uint32_t>(worker.deck_size);
  buffers.dealt = static_cast<std::uint32_t>(worker.dealt_cards);
  buffers.digits = digits_per_group(buffers.deck_size);
  buffers.full_groups = buffers.dealt / buffers.digits;
  buffers.steps = static_cast<std::uint32_t>(worker.outputs.size()) / kLanes;
  return buffers;
}

DigitDraw redraw_digits(LaneGenerator& generator, std::uint32_t a, std::uint32_t b, std::uint32_t c,
                        std::uint32_t threshold) {
  for (;;) {
    std::uint32_t fresh[kLanes];
    next_lanes(generator, fresh);
    const DigitDraw d = draw_digits(fresh[0], a, b, c);
    if (d.low >= threshold) return d;
  }
}

}  // namespace orvix
