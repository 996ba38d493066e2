#include "platform/stop_request.h"

#include "platform/process_exit.h"

#include <unistd.h>

#include <atomic>
#include <csignal>

namespace orvix {
namespace {

// Lock-free, so the handler may set it (a plain store is async-signal-safe).
std::atomic<bool> stop_flag{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void on_interrupt(int) { stop_flag.store(true, std::memory_order_relaxed); }

void set_interrupt_action(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
}

}  // namespace

void open_stop_window() {
  stop_flag.store(false, std::memory_order_relaxed);
  set_interrupt_action(on_interrupt);
}

void close_stop_window() { set_interrupt_action(SIG_DFL); }

bool stop_requested() { return stop_flag.load(std::memory_order_relaxed); }

void end_session_if_not_interactive() {
  constexpr int kInterruptedStatus = 130;  // 128 + SIGINT, what shells report
  if (!isatty(STDIN_FILENO)) end_process(kInterruptedStatus);
}

void request_stop() { stop_flag.store(true, std::memory_order_relaxed); }

}  // namespace orvix
