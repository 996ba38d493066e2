#include "platform/stop_request.h"

#include "platform/process_exit.h"
#include "platform/signal_actions.h"

#include <unistd.h>

#include <atomic>
#include <csignal>

namespace orvix {
namespace {

// Lock-free, so the handler may set it (a plain store is async-signal-safe).
std::atomic<bool> stop_flag{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void on_interrupt(int) { stop_flag.store(true, std::memory_order_relaxed); }

}  // namespace

void open_stop_window() {
  stop_flag.store(false, std::memory_order_relaxed);
  catch_signal(SIGINT, on_interrupt, true);
}

void close_stop_window() { restore_signal(SIGINT); }

bool stop_requested() { return stop_flag.load(std::memory_order_relaxed); }

void end_session_if_not_interactive() {
  constexpr int kInterruptedStatus = 130;  // 128 + SIGINT, what shells report
  if (!isatty(STDIN_FILENO)) end_process(kInterruptedStatus);
}

void request_stop() { stop_flag.store(true, std::memory_order_relaxed); }

}  // namespace orvix
