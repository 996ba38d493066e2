#pragma once
// Done signals: one per worker, each 0 or 1. A worker raises its own signal
// once when it has finished; the main thread waits until some signal is up
// and takes it, so it can merge workers in the order they finish.
//
// The group is the only synchronisation between a run's main thread and its
// workers: taking a worker's signal orders every write that worker made
// before raising it ahead of the main thread's reads.

#include <atomic>
#include <memory>
#include <semaphore>

namespace orvix {

// Holds a semaphore, so it is neither copied nor moved: workers keep its address.
struct DoneSignals {
  std::unique_ptr<std::atomic<bool>[]> up;  // one per worker: raised and not yet taken
  int count = 0;
  std::counting_semaphore<> raised{0};  // how many signals are up; the main thread sleeps on it
  bool open = false;
};

// Makes count signals, all down. Returns 0, or an error code (count < 0, or
// more than the semaphore can count).
int open_done_signals(DoneSignals& signals, int count);

// Raises signal index. Returns 0, or an error code when the signal is
// already up (its maximum is 1), there is no such signal, or the semaphore
// fails.
int raise_done_signal(DoneSignals& signals, int index);

// Waits without time limit until a signal is up and takes it (down again).
// Returns the lowest raised index, or -1 if the group is closed, holds no
// signals, or the wait fails.
int take_done_signal(DoneSignals& signals);

void close_done_signals(DoneSignals& signals);

}  // namespace orvix
