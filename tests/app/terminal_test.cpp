// The prompt at a terminal, through a pseudo-terminal driving the real
// program: line editing and the session history when libedit is built in,
// plain reading otherwise, and the terminal put back however the program ends.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/line_editor.h"

namespace orvix {
namespace {

class Terminal {
 public:
  // Starts orvix /n on a new pseudo-terminal: standard input, output and
  // error are the terminal, which is also the program's controlling terminal.
  Terminal() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
      no_terminals_ = true;
      return;
    }
    const std::string slave_name = ::ptsname(master_);
    const int slave = ::open(slave_name.c_str(), O_RDWR | O_NOCTTY);
    if (slave < 0) return;
    ::tcgetattr(slave, &before_);
    child_ = ::fork();
    if (child_ == 0) {
      ::setsid();
      ::ioctl(slave, TIOCSCTTY, 0);
      ::dup2(slave, 0);
      ::dup2(slave, 1);
      ::dup2(slave, 2);
      ::close(master_);
      ::close(slave);
      ::setenv("TERM", "xterm", 1);
      ::setenv("LC_ALL", "C.UTF-8", 1);
      ::execl(ORVIX_BINARY, ORVIX_BINARY, "/n", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    slave_ = slave;
  }
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;
  ~Terminal() {
    if (child_ > 0 && status_ == -2) {
      ::kill(child_, SIGKILL);
      ::waitpid(child_, nullptr, 0);
    }
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
  }

  bool started() const { return child_ > 0; }
  bool no_terminals() const { return no_terminals_; }

  // Types keys once the editor is reading: keys typed ahead of it meet the
  // terminal's line mode, which eats some of them (Ctrl-R, Ctrl-D).
  void type(const std::string& keys) {
    ASSERT_TRUE(wait_editing());
    ASSERT_EQ(::write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }

  // Reads what the program shows until `text` has appeared in it (since the
  // last wait); false if the program went quiet for a minute without it.
  bool wait_for(const std::string& text) {
    for (;;) {
      const std::size_t found = screen_.find(text, seen_);
      if (found != std::string::npos) {
        seen_ = found + text.size();
        return true;
      }
      pollfd ready{master_, POLLIN, 0};
      if (::poll(&ready, 1, 60000) != 1) return false;
      char buffer[4096];
      const ssize_t n = ::read(master_, buffer, sizeof buffer);
      if (n <= 0) return false;
      screen_.append(buffer, static_cast<std::size_t>(n));
    }
  }

  // The program's exit status (128 + signal number when a signal ended it);
  // a program still running after a minute is killed and reported as such.
  int wait_exit() {
    int status = 0;
    for (int waited_ms = 0; ::waitpid(child_, &status, WNOHANG) == 0; waited_ms += 10) {
      if (waited_ms >= 60000) {
        ::kill(child_, SIGKILL);
        ::waitpid(child_, &status, 0);
        break;
      }
      ::usleep(10000);
    }
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return status_;
  }

  // Waits until the line editor has taken the terminal out of line mode. A
  // key typed before that meets the terminal's own line discipline, which
  // eats some of them (Ctrl-R reprints the line there).
  bool wait_editing() {
    for (int waited_ms = 0; waited_ms < 60000; waited_ms += 5) {
      termios now{};
      if (::tcgetattr(slave_, &now) == 0 && (now.c_lflag & ICANON) == 0) return true;
      ::usleep(5000);
    }
    return false;
  }

  void signal(int number) { ::kill(child_, number); }

  // The terminal's modes now are the ones it had before the program started.
  bool modes_restored() const {
    termios now{};
    ::tcgetattr(slave_, &now);
    return now.c_lflag == before_.c_lflag && now.c_iflag == before_.c_iflag &&
           now.c_oflag == before_.c_oflag;
  }

  const std::string& screen() const { return screen_; }

 private:
  int master_ = -1;
  int slave_ = -1;
  pid_t child_ = -1;
  int status_ = -2;
  bool no_terminals_ = false;
  termios before_{};
  std::string screen_;
  std::size_t seen_ = 0;
};

constexpr const char* kBanner = "Orvane Poker Simulator v1.4.5";
std::string not_supported(const std::string& word) {
  return "Error: \"" + word + "\" is not a supported command.  Type help for a list.";
}

TEST(Terminal, TypedCommandsRunAndEndWithTheTerminalRestored) {
  Terminal terminal;
  if (terminal.no_terminals()) GTEST_SKIP() << "no pseudo-terminals on this machine";
  ASSERT_TRUE(terminal.started());
  ASSERT_TRUE(terminal.wait_for(kBanner));
  ASSERT_TRUE(terminal.wait_for("orvix>"));
  terminal.type("decks 2\r");
  ASSERT_TRUE(terminal.wait_for("Using 2 decks."));
  ASSERT_TRUE(terminal.wait_for("orvix>"));
  terminal.type("foo\r");
  ASSERT_TRUE(terminal.wait_for(not_supported("FOO")));
  ASSERT_TRUE(terminal.wait_for("orvix>"));
  terminal.type("quit\r");
  EXPECT_EQ(terminal.wait_exit(), 0);
  EXPECT_TRUE(terminal.modes_restored());
}

TEST(Terminal, ArrowKeysRecallAndEditTheSessionHistory) {
  if (!line_editor_available())
    GTEST_SKIP() << "built without libedit: the prompt reads plain lines";
  Terminal terminal;
  if (terminal.no_terminals()) GTEST_SKIP() << "no pseudo-terminals on this machine";
  ASSERT_TRUE(terminal.started());
  ASSERT_TRUE(terminal.wait_for("orvix>"));
  terminal.type("foo\r");
  ASSERT_TRUE(terminal.wait_for(not_supported("FOO")));
  ASSERT_TRUE(terminal.wait_for("orvix>"));
  terminal.type("bar\r");
  ASSERT_TRUE(terminal.wait_for(not_supported("BAR")));
  ASSERT_TRUE(terminal.wait_for("orvix>"));
  // Up twice reaches "foo"; the cursor sits at its end, so "x" is appended.
  terminal.type("\x1b[A\x1b[Ax\r");
  ASSERT_TRUE(terminal.wait_for(not_supported("FOOX")));
  ASSERT_TRUE(terminal.wait_for("orvix>"));
  // Left arrow and an insertion in the middle of the line.
  terminal.type("bz\x1b[Da\r");
  ASSERT_TRUE(terminal.wait_for(not_supported("BAZ")));
  ASSERT_TRUE(terminal.wait_for("orvix>"));
  // Ctrl-R searches back through the history for what is typed next.
  // Each key waits for libedit's answer: keys that arrive together while the
  // search prompt is drawn may be read before it is ready for them.
  terminal.type("\x12");
  ASSERT_TRUE(terminal.wait_for("bck:"));
  terminal.type("oo");
  ASSERT_TRUE(terminal.wait_for("foo"));
  terminal.type("\r");
  ASSERT_TRUE(terminal.wait_for(not_supported("FOOX")));
  ASSERT_TRUE(terminal.wait_for("orvix>"));
  // Ctrl-D on an empty line ends the input.
  terminal.type("\x04");
  EXPECT_EQ(terminal.wait_exit(), 0);
  EXPECT_TRUE(terminal.modes_restored());
}

// A signal that ends the program while it waits at the prompt still leaves
// the terminal as it found it.
TEST(Terminal, TerminalIsRestoredWhenASignalEndsTheProgram) {
  for (const int number : {SIGTERM, SIGHUP}) {
    SCOPED_TRACE(number);
    Terminal terminal;
    if (terminal.no_terminals()) GTEST_SKIP() << "no pseudo-terminals on this machine";
    ASSERT_TRUE(terminal.started());
    ASSERT_TRUE(terminal.wait_for("orvix>"));
    terminal.type("dec");  // half a line typed
    ASSERT_TRUE(terminal.wait_for("dec"));
    terminal.signal(number);
    EXPECT_EQ(terminal.wait_exit(), 128 + number);
    EXPECT_TRUE(terminal.modes_restored());
  }
}

// Ctrl-C at the prompt drops the half-typed line, not the session; in a
// UTF-8 locale the editor keeps every byte typed.
TEST(Terminal, CtrlCAtThePromptDropsTheLineBeingTypedAndTypedBytesStay) {
  if (!line_editor_available())
    GTEST_SKIP() << "built without libedit: the prompt reads plain lines";
  Terminal terminal;
  if (terminal.no_terminals()) GTEST_SKIP() << "no pseudo-terminals on this machine";
  ASSERT_TRUE(terminal.started());
  ASSERT_TRUE(terminal.wait_for("orvix>"));
  terminal.type("decks 4");
  ASSERT_TRUE(terminal.wait_for("decks 4"));
  terminal.signal(SIGINT);
  ASSERT_TRUE(terminal.wait_for("orvix>"));
  terminal.type("players 3\r");
  ASSERT_TRUE(terminal.wait_for("Using 3 players."));
  terminal.type("game\r");
  ASSERT_TRUE(terminal.wait_for("Poker with 1 deck, 0 jokers, 3 players"));
  // Letters beyond ASCII reach the command as typed, byte for byte.
  terminal.type(
      "\xC3\xBC"
      "ber\r");
  ASSERT_TRUE(
      terminal.wait_for(not_supported("\xC3\xBC"
                                      "BER")));
  terminal.type("quit\r");
  EXPECT_EQ(terminal.wait_exit(), 0);
  EXPECT_TRUE(terminal.modes_restored());
}

TEST(Terminal, ARunShowsProgressAndCtrlCStopsItWhileTheSessionGoesOn) {
  Terminal terminal;
  if (terminal.no_terminals()) GTEST_SKIP() << "no pseudo-terminals on this machine";
  ASSERT_TRUE(terminal.started());
  ASSERT_TRUE(terminal.wait_for("orvix>"));
  terminal.type("hands 2000000000\r");
  ASSERT_TRUE(terminal.wait_for("orvix>"));
  terminal.type("go\r");
  ASSERT_TRUE(terminal.wait_for("Simulating 2000000000 hands played."));
  // The progress line, drawn on standard error, which is the terminal.
  ASSERT_TRUE(terminal.wait_for(" of 2000000000 hands  "));
  ASSERT_TRUE(terminal.wait_for(" M/s  "));
  terminal.signal(SIGINT);
  ASSERT_TRUE(terminal.wait_for("Run stopped after "));
  ASSERT_TRUE(terminal.wait_for(" of 2000000000 hands."));
  ASSERT_TRUE(terminal.wait_for("Simulation time "));
  ASSERT_TRUE(terminal.wait_for("Five of a Kind"));
  // The session goes on at the prompt.
  ASSERT_TRUE(terminal.wait_for("orvix>"));
  terminal.type("decks 2\r");
  ASSERT_TRUE(terminal.wait_for("Using 2 decks."));
  terminal.type("quit\r");
  EXPECT_EQ(terminal.wait_exit(), 0);
  EXPECT_TRUE(terminal.modes_restored());
}

}  // namespace
}  // namespace orvix
