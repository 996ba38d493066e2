#pragma once
// One run: run_length deals cut into blocks of kBlockDeals, played by one
// worker thread per processor.
//
// Block b (0, 1, 2, ...) holds deals b * kBlockDeals onwards, the last block
// fewer; it starts from the freshly laid-out pack and deals from its own
// stream, a fixed function of the run seed and b. Workers take the blocks of
// their part in any order and their counts are added, so the counts of a run
// depend only on its seed, the game, run_length and the part played.

#include <atomic>
#include <cstdint>

#include "platform/done_signals.h"
#include "platform/progress_line.h"
#include "rules/game_rules.h"
#include "sim/result_table.h"
#include "sim/sim_worker.h"

namespace orvix {

inline constexpr std::int64_t kBlockDeals = 4096;

// Which run to play: its seed, and part `part` of `parts` (1 <= part <= parts),
// the blocks b with b mod parts == part - 1.
struct RunRequest {
  std::uint64_t seed = 0;
  std::uint32_t part = 1;
  std::uint32_t parts = 1;
};

struct RunOutcome {
  std::int64_t deals = 0;  // deals played (of whole blocks)
  bool stopped = false;    // a stop request ended the run early
};

// Plays the part of the run the request names on one worker per processor
// and adds every hand to table. The game must fit its pack (deal_fits_pack).
// It never watches for Ctrl-C and draws no progress (see run_simulation_with).
// On a platform failure it prints its message and ends the process with
// exit status 1.
RunOutcome run_simulation(const GameRules& rules, const RunRequest& request, ResultTable& table);

struct RunOptions {
  int workers = 0;          // 0: one per processor
  bool watch_stop = false;  // end at the blocks in progress once stop_requested()
  // The same once *cancel turns true: a stop asked for this run alone (an
  // embedder's, without the process-wide request of Ctrl-C).
  const std::atomic<bool>* cancel = nullptr;
  ProgressLine* progress = nullptr;  // gets the deals of every finished block
};

RunOutcome run_simulation_with(const GameRules& rules, const RunRequest& request,
                               ResultTable& table, const RunOptions& options);

// Deals in the run's blocks that part `part` of `parts` plays:
// part_deals(10000, 1, 1) == 10000, part_deals(10000, 3, 3) == 10000 - 2 * 4096,
// part_deals(10000, 2, 3) == 4096. 0 for a run_length below 1.
std::int64_t part_deals(std::int64_t run_length, std::uint32_t part, std::uint32_t parts);

// The work of one run as its workers share it.
struct SharedRun {
  std::atomic<std::uint64_t> next{0};  // the next of the part's blocks to hand out
  std::uint64_t part_blocks = 0;       // blocks in the part
  std::uint64_t first_block = 0;       // part - 1
  std::uint64_t block_step = 1;        // parts
  std::int64_t run_length = 0;
  std::uint64_t seed = 0;
  bool watch_stop = false;
  const std::atomic<bool>* cancel = nullptr;
  ProgressLine* progress = nullptr;
};

// What one worker thread is handed: its worker, the run, and the done
// signal it raises.
struct SimThreadParams {
  DoneSignals* done_signals = nullptr;
  int index = 0;
  SimWorker* worker = nullptr;
  SharedRun* run = nullptr;
};

// A worker thread's entry: plays blocks until none is left or a watched stop
// request comes, then raises the worker's done signal.
void sim_thread(SimThreadParams& params);

}  // namespace orvix
