#pragma once
// One deal's shuffle on a worker, for tests that look at single deals; the
// product's trial loop does it inline.

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "rules/pack.h"
#include "sim/random.h"
#include "sim/shuffle.h"
#include "sim/sim_worker.h"

namespace orvix {

// Shuffles the first dealt_cards positions of the worker's deck exactly as
// one deal of run_trials does.
inline void shuffle_deal(SimWorker& worker) {
  shuffle_positions(worker.generator, shuffle_shape(worker), worker.deck.data());
}

// Card k of the deal's table (seat p's hand at p * hand_size, then the
// board), read where the worker deals it from.
inline CardCode table_card(const SimWorker& worker, int k) {
  const auto slot = static_cast<std::size_t>(k);
  return worker
      .deck[worker.sources.empty() ? slot : static_cast<std::size_t>(worker.sources[slot])];
}

// Held cards from their text, "As 2h *", for games built field by field.
inline HeldCards held(const std::string& text) {
  HeldCards cards;
  std::istringstream words(text);
  std::string word;
  while (words >> word) {
    CardCode card = 0;
    if (!parse_card(word, card)) std::abort();  // a typo in the test
    cards.kinds[cards.count++] = static_cast<std::uint8_t>(
        card == kJoker ? kJokerKind : card_rank_index(card) * kSuitCount + card_suit_index(card));
  }
  return cards;
}

}  // namespace orvix
