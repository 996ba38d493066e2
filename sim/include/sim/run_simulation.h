#pragma once
// One run: run_length deals spread over one worker thread per processor.

#include <cstdint>

#include "platform/done_signals.h"
#include "sim/result_table.h"
#include "rules/game_rules.h"
#include "sim/sim_worker.h"

namespace orvix {

// Plays the run and merges every worker into table; the game must fit its
// pack (deal_fits_pack). On a platform failure it prints its message and ends
// the process with exit status 1.
void run_simulation(const GameRules& rules, ResultTable& table);

// The same on worker_count workers (at least 1) instead of one per processor.
void run_simulation_on(const GameRules& rules, ResultTable& table, int worker_count);

// Deals played by worker `index` of worker_count: an equal share each, the
// remainder on worker 0. worker_trials(10, 4, 0) == 4, worker_trials(10, 4, 3) == 2.
std::int32_t worker_trials(std::int32_t run_length, int worker_count, int index);

// What one worker thread is handed: its worker, and the done signal it raises.
struct SimThreadParams {
  DoneSignals* done_signals = nullptr;
  int index = 0;
  SimWorker* worker = nullptr;
};

// A worker thread's entry (argument: its SimThreadParams). Returns 0.
int sim_thread(void* params);

}  // namespace orvix
