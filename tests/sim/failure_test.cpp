#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/done_signals.h"
#include "sim/run_simulation.h"

namespace orvix {
namespace {

// Plays an empty share whose done signal is already raised (maximum 1), so
// raising it again fails.
void finish_with_signal_taken() {
  dup2(STDERR_FILENO, STDOUT_FILENO);  // let the death test see standard output
  DoneSignals signals;
  open_done_signals(signals, 1);
  raise_done_signal(signals, 0);
  SimWorker worker;
  configure_worker(worker, GameRules{});
  SharedRun run;  // no blocks: an empty share
  SimThreadParams params{&signals, 0, &worker, &run};
  sim_thread(params);
}

TEST(SimThreadDeathTest, AWorkerThatCannotSignalEndsTheProcessWithItsMessage) {
  // Carrying on would leave the main thread waiting for this worker forever.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(finish_with_signal_taken(), ::testing::ExitedWithCode(1),
              "ReleaseSemaphore error: [0-9]+\n$");
}

}  // namespace
}  // namespace orvix
