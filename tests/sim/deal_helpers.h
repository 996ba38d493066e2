#pragma once
// One deal's shuffle on a worker, for tests that look at single deals; the
// product's trial loop does it inline.

#include <cstdint>

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

}  // namespace orvix
