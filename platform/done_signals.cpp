#include "platform/done_signals.h"

#include <cerrno>

namespace orvix {

int open_done_signals(DoneSignals& signals, int count) {
  if (count < 0) return EINVAL;
  if (int error = pthread_mutex_init(&signals.lock, nullptr); error != 0) return error;
  if (int error = pthread_cond_init(&signals.raised, nullptr); error != 0) {
    pthread_mutex_destroy(&signals.lock);
    return error;
  }
  signals.counts.assign(static_cast<std::size_t>(count), 0);
  signals.pending = 0;
  signals.open = true;
  return 0;
}

int raise_done_signal(DoneSignals& signals, int index) {
  if (!signals.open || index < 0 || index >= static_cast<int>(signals.counts.size())) return EINVAL;
  if (int error = pthread_mutex_lock(&signals.lock); error != 0) return error;
  int result = 0;
  if (signals.counts[static_cast<std::size_t>(index)] != 0) {
    result = EOVERFLOW;
  } else {
    signals.counts[static_cast<std::size_t>(index)] = 1;
    ++signals.pending;
    result = pthread_cond_broadcast(&signals.raised);
  }
  pthread_mutex_unlock(&signals.lock);
  return result;
}

int take_done_signal(DoneSignals& signals) {
  if (!signals.open || signals.counts.empty()) return -1;
  if (pthread_mutex_lock(&signals.lock) != 0) return -1;
  while (signals.pending == 0) {
    if (pthread_cond_wait(&signals.raised, &signals.lock) != 0) {
      pthread_mutex_unlock(&signals.lock);
      return -1;
    }
  }
  int taken = 0;
  while (signals.counts[static_cast<std::size_t>(taken)] == 0) ++taken;
  signals.counts[static_cast<std::size_t>(taken)] = 0;
  --signals.pending;
  pthread_mutex_unlock(&signals.lock);
  return taken;
}

void close_done_signals(DoneSignals& signals) {
  if (!signals.open) return;
  pthread_cond_destroy(&signals.raised);
  pthread_mutex_destroy(&signals.lock);
  signals.counts.clear();
  signals.pending = 0;
  signals.open = false;
}

}  // namespace orvix
