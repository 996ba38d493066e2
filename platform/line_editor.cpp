#include "platform/line_editor.h"

#ifdef ORVIX_HAVE_LIBEDIT
#include <editline/readline.h>

#include <cstdio>
#include <cstdlib>
#endif

namespace orvix {

#ifdef ORVIX_HAVE_LIBEDIT

namespace {

// The first call sets libedit up: its own handlers for the signals that end or
// stop the program, which put the terminal back before passing them on, and a
// bounded in-memory history.
void start_once() {
  static bool started = false;
  if (started) return;
  started = true;
  rl_catch_signals = 1;
  rl_initialize();
  using_history();
  stifle_history(1000);
}

}  // namespace

bool line_editor_available() { return true; }

bool edit_line(const char* prompt, std::string& line) {
  start_once();
  std::fflush(stdout);
  char* text = readline(prompt);
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
