#include "platform/signal_actions.h"

#include <csignal>
#include <mutex>

namespace orvix {
namespace {

// The actions found at start, read before the first change of each signal.
// Every change goes through this file, so the first read sees the original.
struct StartActions {
  struct sigaction action[NSIG] {};
  bool known[NSIG] = {};
};

StartActions& start_actions() {
  static StartActions actions;
  return actions;
}

const struct sigaction& start_action(int number) {
  static std::mutex lock;
  const std::lock_guard<std::mutex> guard(lock);
  StartActions& actions = start_actions();
  if (!actions.known[number]) {
    sigaction(number, nullptr, &actions.action[number]);
    actions.known[number] = true;
  }
  return actions.action[number];
}

}  // namespace

bool catch_signal(int number, void (*handler)(int), bool restart) {
  if (start_action(number).sa_handler == SIG_IGN) return false;
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = restart ? SA_RESTART : 0;
  sigaction(number, &action, nullptr);
  return true;
}

void restore_signal(int number) { sigaction(number, &start_action(number), nullptr); }

}  // namespace orvix
