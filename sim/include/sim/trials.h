#pragma once
// The trial loop: one worker's share of a run.

#include "sim/sim_worker.h"

namespace orvix {

// Plays the worker's trials deals, adding every hand to the worker's win or
// loss counts (ties with the best hand count as wins). The worker must have
// been configured for a game that fits its pack (see configure_worker).
void run_trials(SimWorker& worker);

}  // namespace orvix
