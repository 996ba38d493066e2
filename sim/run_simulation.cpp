#include "sim/run_simulation.h"

#include <cassert>
#include <memory>
#include <vector>

#include "platform/console.h"
#include "platform/process_exit.h"
#include "platform/processors.h"
#include "platform/threads.h"
#include "platform/tick_count.h"
#include "sim/seeding.h"
#include "sim/trials.h"

namespace orvix {

std::int32_t worker_trials(std::int32_t run_length, int worker_count, int index) {
  const std::int32_t share = run_length / worker_count;
  const std::int32_t extra = run_length % worker_count;
  return index == 0 ? share + extra : share;
}

// The failure texts below are this program's own fixed messages, kept word
// for word whatever the threads underneath are made of: scripts that watch
// for them keep working.

int sim_thread(void* raw) {
  auto& params = *static_cast<SimThreadParams*>(raw);
  run_trials(*params.worker);
  if (const int error = raise_done_signal(*params.done_signals, params.index); error != 0) {
    // Without its signal the main thread would wait for this worker forever.
    out_printf("ReleaseSemaphore error: %d\n", error);
    end_process(1);
  }
  return 0;
}

void run_simulation(const GameRules& rules, ResultTable& table) {
  run_simulation_on(rules, table, processor_count());
}

void run_simulation_on(const GameRules& rules, ResultTable& table, int worker_count) {
  const int n = worker_count > 0 ? worker_count : 1;

  // Every change the rules accept keeps the deal within the pack.
  assert(deal_fits_pack(rules));

  std::vector<std::unique_ptr<SimWorker>> workers(static_cast<std::size_t>(n));
  std::vector<SimThreadParams> params(static_cast<std::size_t>(n));
  std::vector<ThreadHandle> threads(static_cast<std::size_t>(n));
  DoneSignals done;
  if (const int error = open_done_signals(done, n); error != 0) {
    out_printf("CreateSemaphore error: %d\n", error);
    end_process(1);
  }

  const std::uint64_t run_number = next_run_number();
  for (int i = 0; i < n; ++i) {
    const auto slot = static_cast<std::size_t>(i);
    workers[slot] = std::make_unique<SimWorker>();
    SimWorker& worker = *workers[slot];
    configure_worker(worker, rules);
    seed_run_worker(worker, tick_count(), run_number, i);
    worker.trials = worker_trials(rules.run_length, n, i);
    params[slot] = SimThreadParams{&done, i, &worker};
    if (!start_thread(threads[slot], sim_thread, &params[slot])) {
      out_printf("ERROR: Thread handle NULL.\n");
      end_process(1);
    }
  }

  // Merge each worker as soon as it is done, in order of completion.
  for (int k = 0; k < n; ++k) {
    const int finished = take_done_signal(done);
    if (finished < 0 || finished >= n) {
      out_printf("ERROR: Bad WaitResult.\n");
      end_process(1);
    }
    merge_worker_counts(*workers[static_cast<std::size_t>(finished)], table);
  }
  if (!join_threads(threads.data(), n)) {
    out_printf("ERROR: Bad WaitResult.\n");
    end_process(1);
  }
  close_done_signals(done);
}

}  // namespace orvix
