#include "platform/line_editor.h"

#ifdef ORVIX_HAVE_LIBEDIT
#include <editline/readline.h>
#include <pthread.h>
#include <sys/select.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "platform/console.h"
#include "platform/signal_actions.h"
#endif

namespace orvix {

#ifdef ORVIX_HAVE_LIBEDIT

namespace {

// The terminal's modes before the editor changed them, put back by a signal
// that ends the program while it waits at the prompt.
termios modes_before{};
bool have_modes = false;

// Ctrl-C at the prompt drops the line being typed: the handler only notes
// it, the read it interrupts returns, and read_key ends the line.
volatile std::sig_atomic_t interrupted = 0;

extern "C" void note_interrupt(int) { interrupted = 1; }

constexpr int kEndingSignals[] = {SIGTERM, SIGHUP, SIGQUIT};

// Puts the terminal back, then lets the signal end the program as it would
// have: with the default action restored, the raised signal is delivered as
// soon as this handler returns. Only async-signal-safe calls.
extern "C" void restore_terminal_and_end(int number) {
  if (have_modes) ::tcsetattr(STDIN_FILENO, TCSANOW, &modes_before);
  std::signal(number, SIG_DFL);
  std::raise(number);
}

// The signal mask to wait with: the one before edit_line blocked SIGINT.
// While the editor works, SIGINT is blocked, so a Ctrl-C that arrives
// between two reads stays pending instead of being noted too late for the
// read after it; pselect lets it in only while it waits for a key.
sigset_t wait_mask;

// One byte from the terminal; false at the end of the input and after
// Ctrl-C (which edit_line then tells apart).
bool read_byte(unsigned char& byte) {
  for (;;) {
    if (interrupted != 0) return false;
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(STDIN_FILENO, &ready);
    if (::pselect(STDIN_FILENO + 1, &ready, nullptr, nullptr, nullptr, &wait_mask) < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    const ssize_t got = ::read(STDIN_FILENO, &byte, 1);
    if (got == 1) return true;
    if (got < 0 && errno == EINTR) continue;
    return false;
  }
}

// The editor's source of keys: one character of the locale's character set
// (the bytes of a UTF-8 letter make one key), or EOF.
int read_key(FILE*) {
  std::mbstate_t state{};
  for (;;) {
    unsigned char byte = 0;
    if (!read_byte(byte)) return EOF;
    wchar_t key = 0;
    const char raw = static_cast<char>(byte);
    const std::size_t used = std::mbrtowc(&key, &raw, 1, &state);
    if (used == static_cast<std::size_t>(-2)) continue;     // more bytes to come
    if (used == static_cast<std::size_t>(-1)) return byte;  // not of the character set: as is
    return static_cast<int>(key);
  }
}

// The first call sets libedit up with a bounded in-memory history. Its own
// signal handling is off: ours (around each prompt) is the same in every
// libedit version. The editor takes the user's character set from the
// locale, or drops every byte above 0x7F as unprintable; only that category
// is set, so numbers still print with a decimal point whatever the locale.
void start_once() {
  static bool started = false;
  if (started) return;
  started = true;
  std::setlocale(LC_CTYPE, "");
  rl_catch_signals = 0;
  rl_getc_function = read_key;
  rl_initialize();
  using_history();
  stifle_history(1000);
}

}  // namespace

bool line_editor_available() { return true; }

bool edit_line(const char* prompt, std::string& line) {
  start_once();
  std::fflush(stdout);
  have_modes = ::tcgetattr(STDIN_FILENO, &modes_before) == 0;
  interrupted = 0;
  for (const int number : kEndingSignals) catch_signal(number, restore_terminal_and_end, false);
  sigset_t interrupt_only;
  sigemptyset(&interrupt_only);
  sigaddset(&interrupt_only, SIGINT);
  ::pthread_sigmask(SIG_BLOCK, &interrupt_only, &wait_mask);
  catch_signal(SIGINT, note_interrupt, false);
  char* text = readline(prompt);
  // A Ctrl-C still pending arrives here, while its handler is still ours.
  ::pthread_sigmask(SIG_SETMASK, &wait_mask, nullptr);
  restore_signal(SIGINT);
  for (const int number : kEndingSignals) restore_signal(number);
  if (interrupted != 0) {
    // The typed line is dropped; the caller prompts again on a fresh line.
    std::free(text);
    line.clear();
    out_line_end();
    return true;
  }
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
