#pragma once
// One generator step and one deal's shuffle on a worker, for tests that look
// at single deals; the product's trial loop does both inline.

#include <cstdint>

#include "rules/pack.h"
#include "sim/random.h"
#include "sim/shuffle.h"
#include "sim/sim_worker.h"

namespace orvix {

// Advances the worker's generator and returns 32 random bits.
inline std::uint32_t next_random(SimWorker& worker) {
  return pcg_next(worker.generator_state, worker.generator_increment);
}

// Shuffles the first dealt_cards positions of the worker's deck exactly as
// one deal of run_trials does.
inline void shuffle_deal(SimWorker& worker) {
  shuffle_positions(worker.generator_state, worker.generator_increment, worker.deck.data(),
                    static_cast<std::uint32_t>(worker.deck_size),
                    static_cast<std::uint32_t>(worker.dealt_cards));
}

}  // namespace orvix
