#include "platform/done_signals.h"

#include <system_error>

namespace orvix {

namespace {

constexpr int error_code(std::errc error) { return static_cast<int>(error); }

}  // namespace

int open_done_signals(DoneSignals& signals, int count) {
  if (count < 0) return error_code(std::errc::invalid_argument);
  const std::lock_guard<std::mutex> guard(signals.lock);
  signals.counts.assign(static_cast<std::size_t>(count), 0);
  signals.pending = 0;
  signals.open = true;
  return 0;
}

int raise_done_signal(DoneSignals& signals, int index) {
  {
    const std::lock_guard<std::mutex> guard(signals.lock);
    if (!signals.open || index < 0 || index >= static_cast<int>(signals.counts.size()))
      return error_code(std::errc::invalid_argument);
    std::uint8_t& count = signals.counts[static_cast<std::size_t>(index)];
    if (count != 0) return error_code(std::errc::value_too_large);
    count = 1;
    ++signals.pending;
  }
  signals.raised.notify_all();
  return 0;
}

int take_done_signal(DoneSignals& signals) {
  std::unique_lock<std::mutex> guard(signals.lock);
  if (!signals.open || signals.counts.empty()) return -1;
  signals.raised.wait(guard, [&] { return signals.pending > 0; });
  std::size_t taken = 0;
  while (signals.counts[taken] == 0) ++taken;
  signals.counts[taken] = 0;
  --signals.pending;
  return static_cast<int>(taken);
}

void close_done_signals(DoneSignals& signals) {
  const std::lock_guard<std::mutex> guard(signals.lock);
  signals.counts.clear();
  signals.pending = 0;
  signals.open = false;
}

}  // namespace orvix
