#include "platform/line_editor.h"

#ifdef ORVIX_HAVE_LIBEDIT
#include <editline/readline.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>

#include <cstdio>
#include <cstdlib>
#endif

namespace orvix {

#ifdef ORVIX_HAVE_LIBEDIT

namespace {

// The terminal's modes before the editor changed them, put back by a signal
// that ends the program while it waits at the prompt.
termios modes_before{};
bool have_modes = false;

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Puts the terminal back, then lets the signal end the program as it would
// have: with the default action restored, the raised signal is delivered as
// soon as this handler returns. Only async-signal-safe calls.
extern "C" void restore_terminal_and_end(int number) {
  if (have_modes) ::tcsetattr(STDIN_FILENO, TCSANOW, &modes_before);
  std::signal(number, SIG_DFL);
  std::raise(number);
}

// The first call sets libedit up with a bounded in-memory history. Its own
// signal handling is off: ours (around each prompt) is the same in every
// libedit version and ends the program with the signal's usual status.
void start_once() {
  static bool started = false;
  if (started) return;
  started = true;
  rl_catch_signals = 0;
  rl_initialize();
  using_history();
  stifle_history(1000);
}

void set_ending_signals(void (*handler)(int)) {
  for (const int number : kEndingSignals) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(number, &action, nullptr);
  }
}

}  // namespace

bool line_editor_available() { return true; }

bool edit_line(const char* prompt, std::string& line) {
  start_once();
  std::fflush(stdout);
  have_modes = ::tcgetattr(STDIN_FILENO, &modes_before) == 0;
  set_ending_signals(restore_terminal_and_end);
  char* text = readline(prompt);
  set_ending_signals(SIG_DFL);
  if (text == nullptr) return false;
  line.assign(text);
  std::free(text);
  return true;
}

void remember_line(const std::string& line) {
  if (line.find_first_not_of(" \t\r\v\f") == std::string::npos) return;
  add_history(line.c_str());
}

#else

bool line_editor_available() { return false; }

bool edit_line(const char*, std::string& line) {
  line.clear();
  return false;
}

void remember_line(const std::string&) {}

#endif

}  // namespace orvix
