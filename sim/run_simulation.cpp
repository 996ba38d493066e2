#include "sim/run_simulation.h"

#include <algorithm>
#include <cassert>
#include <functional>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/console.h"
#include "platform/process_exit.h"
#include "platform/processors.h"
#include "platform/stop_request.h"
#include "sim/trials.h"

namespace orvix {

namespace {

std::uint64_t block_count(std::int64_t run_length) {
  return run_length < 1 ? 0
                        : static_cast<std::uint64_t>((run_length + kBlockDeals - 1) / kBlockDeals);
}

std::int64_t block_deals(std::int64_t run_length, std::uint64_t block) {
  return std::min(kBlockDeals, run_length - static_cast<std::int64_t>(block) * kBlockDeals);
}

// Blocks first, first + step, ... below `blocks`.
std::uint64_t blocks_from(std::uint64_t blocks, std::uint64_t first, std::uint64_t step) {
  return blocks > first ? (blocks - first + step - 1) / step : 0;
}

}  // namespace

std::int64_t part_deals(std::int64_t run_length, std::uint32_t part, std::uint32_t parts) {
  assert(part >= 1 && part <= parts);
  const std::uint64_t blocks = block_count(run_length);
  const std::uint64_t first = part - 1;
  const std::uint64_t count = blocks_from(blocks, first, parts);
  if (count == 0) return 0;
  const std::uint64_t last = first + (count - 1) * parts;
  return static_cast<std::int64_t>(count - 1) * kBlockDeals + block_deals(run_length, last);
}

// The failure texts below are this program's own fixed messages, kept word
// for word whatever the threads underneath are made of: scripts that watch
// for them keep working.

void sim_thread(SimThreadParams& params) {
  SimWorker& worker = *params.worker;
  SharedRun& run = *params.run;
  for (;;) {
    // Checked before each block: a stop ends the run once the blocks in
    // progress are done, and every block played is played whole.
    if (run.watch_stop && stop_requested()) break;
    if (run.cancel != nullptr && run.cancel->load(std::memory_order_relaxed)) break;
    const std::uint64_t k = run.next.fetch_add(1, std::memory_order_relaxed);
    if (k >= run.part_blocks) break;
    const std::uint64_t block = run.first_block + k * run.block_step;
    const std::int64_t deals = block_deals(run.run_length, block);
    play_block(worker, run.seed, block, deals);
    worker.deals_played += deals;
    if (run.progress != nullptr) add_progress(*run.progress, static_cast<std::uint64_t>(deals));
  }
  if (const int error = raise_done_signal(*params.done_signals, params.index); error != 0) {
    // Without its signal the main thread would wait for this worker forever.
    out_printf("ReleaseSemaphore error: %d\n", error);
    end_process(1);
  }
}

RunOutcome run_simulation(const GameRules& rules, const RunRequest& request, ResultTable& table) {
  return run_simulation_with(rules, request, table, RunOptions{});
}

RunOutcome run_simulation_with(const GameRules& rules, const RunRequest& request,
                               ResultTable& table, const RunOptions& options) {
  // Every change the rules accept keeps the deal within the pack.
  assert(deal_fits_pack(rules));
  assert(use_refusal(rules).empty());
  assert(request.part >= 1 && request.part <= request.parts);

  SharedRun run;
  run.first_block = request.part - 1;
  run.block_step = request.parts;
  run.part_blocks = blocks_from(block_count(rules.run_length), run.first_block, run.block_step);
  run.run_length = rules.run_length;
  run.seed = request.seed;
  run.watch_stop = options.watch_stop;
  run.cancel = options.cancel;
  run.progress = options.progress;
  const std::int64_t planned = part_deals(rules.run_length, request.part, request.parts);

  // More workers than blocks would only idle.
  const int wanted = options.workers > 0 ? options.workers : processor_count();
  const int n = static_cast<int>(std::max<std::uint64_t>(
      1,
      std::min<std::uint64_t>(static_cast<std::uint64_t>(std::max(wanted, 1)), run.part_blocks)));

  std::vector<std::unique_ptr<SimWorker>> workers(static_cast<std::size_t>(n));
  std::vector<SimThreadParams> params(static_cast<std::size_t>(n));
  std::vector<std::thread> threads(static_cast<std::size_t>(n));
  DoneSignals done;
  if (const int error = open_done_signals(done, n); error != 0) {
    out_printf("CreateSemaphore error: %d\n", error);
    end_process(1);
  }

  for (int i = 0; i < n; ++i) {
    const auto slot = static_cast<std::size_t>(i);
    workers[slot] = std::make_unique<SimWorker>();
    configure_worker(*workers[slot], rules);
    params[slot] = SimThreadParams{&done, i, workers[slot].get(), &run};
    try {
      threads[slot] = std::thread(sim_thread, std::ref(params[slot]));
    } catch (const std::system_error&) {
      out_printf("ERROR: Thread handle NULL.\n");
      end_process(1);
    }
  }

  // Merge each worker as soon as it is done, in order of completion.
  RunOutcome outcome;
  for (int k = 0; k < n; ++k) {
    const int finished = take_done_signal(done);
    if (finished < 0 || finished >= n) {
      out_printf("ERROR: Bad WaitResult.\n");
      end_process(1);
    }
    const SimWorker& worker = *workers[static_cast<std::size_t>(finished)];
    merge_worker_counts(worker, table);
    outcome.deals += worker.deals_played;
  }
  for (std::thread& thread : threads) {
    try {
      thread.join();
    } catch (const std::system_error&) {
      out_printf("ERROR: Bad WaitResult.\n");
      end_process(1);
    }
  }
  close_done_signals(done);
  outcome.stopped = outcome.deals < planned;
  return outcome;
}

}  // namespace orvix
