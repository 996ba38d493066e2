#pragma once
// Done signals: one per worker, each a count that is 0 or 1. A worker raises
// its own signal once when it has finished; the main thread waits for any
// raised signal and takes it, so it can merge workers in order of completion.
//
// The group is the only synchronisation between a run's main thread and its
// workers: taking a worker's signal orders every write that worker made
// before raising it ahead of the main thread's reads.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

namespace orvix {

// Holds a mutex, so it is neither copied nor moved: workers keep its address.
struct DoneSignals {
  std::mutex lock;
  std::condition_variable raised;
  std::vector<std::uint8_t> counts;  // one per worker, 0 or 1
  int pending = 0;                   // how many counts are 1
  bool open = false;
};

// Makes count signals, all at 0. Returns 0, or an error code (count < 0).
int open_done_signals(DoneSignals& signals, int count);

// Raises signal index by one. Returns 0, or an error code when the signal
// is already raised (its maximum is 1) or there is no such signal.
int raise_done_signal(DoneSignals& signals, int index);

// Waits without time limit for any raised signal and takes it (back to 0).
// Returns the lowest raised index, or -1 if the group is closed or holds no
// signals.
int take_done_signal(DoneSignals& signals);

void close_done_signals(DoneSignals& signals);

}  // namespace orvix
