#include "platform/done_signals.h"

#include <system_error>

namespace orvix {

namespace {

constexpr int error_code(std::errc error) { return static_cast<int>(error); }

}  // namespace

int open_done_signals(DoneSignals& signals, int count) {
  if (count < 0 || count > std::counting_semaphore<>::max())
    return error_code(std::errc::invalid_argument);
  signals.up = std::make_unique<std::atomic<bool>[]>(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i)
    signals.up[static_cast<std::size_t>(i)].store(false, std::memory_order_relaxed);
  signals.count = count;
  signals.open = true;
  return 0;
}

int raise_done_signal(DoneSignals& signals, int index) {
  if (!signals.open || index < 0 || index >= signals.count)
    return error_code(std::errc::invalid_argument);
  // The flag goes up before the semaphore counts it, so whenever the main
  // thread gets past the semaphore at least one flag is up.
  if (signals.up[static_cast<std::size_t>(index)].exchange(true, std::memory_order_acq_rel))
    return error_code(std::errc::value_too_large);
  try {
    signals.raised.release();
  } catch (const std::system_error& failure) {
    return failure.code().value();
  }
  return 0;
}

int take_done_signal(DoneSignals& signals) {
  if (!signals.open || signals.count == 0) return -1;
  try {
    signals.raised.acquire();
  } catch (const std::system_error&) {
    return -1;
  }
  // Several may be up (a worker may have raised its flag without counting it
  // yet): the lowest goes first.
  for (int i = 0; i < signals.count; ++i)
    if (signals.up[static_cast<std::size_t>(i)].exchange(false, std::memory_order_acq_rel))
      return i;
  return -1;
}

void close_done_signals(DoneSignals& signals) {
  signals.up.reset();
  signals.count = 0;
  signals.open = false;
}

}  // namespace orvix
