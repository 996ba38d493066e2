// Hostile input and broken output, through the real program: endless lines,
// huge card lists, output that cannot be written, closed or odd standard
// streams, one file as both input and output, and a run killed part-way.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/files.h"
#include "support/start_program.h"
#include "support/temp_dir.h"

namespace orvix {
namespace {

using test::read_file;
using test::write_file;

// ctest runs each test in its own process: one folder per process, removed
// when it ends.
std::string scratch(const std::string& name) {
  static const test::ScopedTempDir dir;
  return dir.file(name);
}

// Where a standard stream of the program goes: a path opened for it, or the
// descriptor closed.
struct Stream {
  std::string path;  // empty: closed
  static Stream closed() { return {}; }
};

struct Finished {
  int status = -1;     // exit status, or -1 when a signal ended it
  std::string output;  // standard output, when it went to a file
  std::string error;   // standard error
  long peak_kib = 0;   // the program's peak resident memory
};

// Starts orvix with argv[1..] = args.
pid_t start(const std::vector<std::string>& args, const Stream& in, const Stream& out,
            const std::string& err_path) {
  std::vector<std::string> argv = {ORVIX_BINARY};
  argv.insert(argv.end(), args.begin(), args.end());
  return test::start_program(ORVIX_BINARY, argv, in.path, out.path, err_path);
}

Finished finish(pid_t child, const Stream& out, const std::string& err_path) {
  Finished finished;
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  finished.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  finished.peak_kib = usage.ru_maxrss;
  if (!out.path.empty() && out.path.rfind("/dev/", 0) != 0) finished.output = read_file(out.path);
  finished.error = read_file(err_path);
  return finished;
}

Finished run(const std::vector<std::string>& args, const Stream& in,
             const Stream& out = {scratch("out")}) {
  const std::string err = scratch("err");
  return finish(start(args, in, out, err), out, err);
}

// Writes everything to fd and closes it; a program that stopped reading
// ends the writing.
void write_all(int fd, const std::string& text) {
  ::signal(SIGPIPE, SIG_IGN);
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
}

// AddressSanitizer's shadow memory dwarfs what the program itself uses, so
// peak memory is only checked in builds without it.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryMeasured = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kMemoryMeasured = false;
#else
constexpr bool kMemoryMeasured = true;
#endif
#else
constexpr bool kMemoryMeasured = true;
#endif

constexpr const char* kTooLong = "Error: line longer than 1048576 bytes ignored.\n";
constexpr std::size_t kLimit = 1048576;

// 256 MiB of NUL bytes without a line end, streamed through a pipe: no
// line is kept, memory stays flat and the end of the input ends it cleanly.
TEST(Robustness, EndlessLineIsDroppedWithFlatMemory) {
  const std::string err = scratch("err");
  const Stream out{scratch("out")};
  // Standard input is the pipe's reading end; both ends close on exec, so
  // the program sees the end of the input when this side closes.
  int pipe_fds[2];
  ASSERT_EQ(::pipe2(pipe_fds, O_CLOEXEC), 0);
  const pid_t child = start({"/q"}, {"/dev/fd/" + std::to_string(pipe_fds[0])}, out, err);
  ::close(pipe_fds[0]);
  const int fd = pipe_fds[1];
  const std::string block(1 << 20, '\0');
  ::signal(SIGPIPE, SIG_IGN);
  for (int i = 0; i < 256; ++i) write_all(fd, block);  // write_all does not close
  ::close(fd);
  const Finished finished = finish(child, out, err);
  EXPECT_EQ(finished.status, 0);
  EXPECT_EQ(finished.output, kTooLong);
  EXPECT_EQ(finished.error, "");
  if (kMemoryMeasured) {
    EXPECT_LT(finished.peak_kib, 20 * 1024) << "peak memory in KiB";
  }
}

// Lines just under, at and over the limit, in quiet and in interactive mode:
// an over-long line is never carried out, not even a quit.
TEST(Robustness, OverLongLinesAreReportedAndSkipped) {
  const std::string longest = "game" + std::string(kLimit - 4, ' ');           // exactly the limit
  const std::string quit_over = "quit" + std::string(kLimit - 4, ' ') + "\r";  // one byte over
  const std::string input = longest + "\n" + quit_over + "\nfoo\n" + std::string(3 * kLimit, 'x');
  const std::string path = scratch("long.cmd");
  write_file(path, input);
  const std::string game =
      "Poker with 1 deck, 0 jokers, 5 players, hand size 5 cards.\n"
      "No wildcards.\nNo added cards.\nNo removed cards.\nSimulating 5000000 hands played.\n\n";
  const std::string foo = "Error: \"FOO\" is not a supported command.  Type help for a list.\n";

  const Finished quiet = run({"/i", path}, {"/dev/null"});
  EXPECT_EQ(quiet.status, 0);
  EXPECT_EQ(quiet.output, game + kTooLong + foo + kTooLong);
  EXPECT_EQ(quiet.error, "");

  const Finished typed = run({"/n"}, {path});
  EXPECT_EQ(typed.status, 0);
  const std::string banner_end = "\n\norvix>";
  ASSERT_NE(typed.output.find(banner_end), std::string::npos);
  EXPECT_EQ(typed.output.substr(typed.output.find(banner_end) + banner_end.size()),
            "\n" + game + "orvix>" + kTooLong + "orvix>" + foo + "orvix>" + kTooLong + "orvix>");
}

// A command file of 1 MiB lines of "add h h h ...", each a million cards:
// the pack stops at 100,000 cards, each line says so once, and memory stays small.
TEST(Robustness, MegabyteAddLinesStopAtThePackLimit) {
  std::string line = "add";
  while (line.size() + 2 <= kLimit) line += " h";
  std::string commands;
  for (int i = 0; i < 8; ++i) commands += line + "\n";
  // Earlier tokens stay: four of these five fit. Then no deck or joker more.
  commands += "add 2h 2h 2h 2h 2h\njokers 1\ndecks 2\ndeck\n";
  const std::string path = scratch("adds.cmd");
  write_file(path, commands);
  const Finished finished = run({"/i", path}, {"/dev/null"});
  EXPECT_EQ(finished.status, 0);
  std::string expected;
  for (int i = 0; i < 11; ++i) expected += "Error: A pack holds at most 100000 cards.\n";
  // 7688 hearts added thirteen at a time (52 + 99944 cards), then four more.
  expected += "Using a total of 100000 cards:\n";
  EXPECT_EQ(finished.output.substr(0, expected.size()), expected);
  EXPECT_EQ(finished.error, "");
  if (kMemoryMeasured) {
    EXPECT_LT(finished.peak_kib, 50 * 1024) << "peak memory in KiB";
  }
}

// Output that cannot be written ends the program at once with status 1 and
// one line on standard error, whichever way the output is lost.
TEST(Robustness, LostOutputEndsWithStatusOneAndOneLine) {
  const std::string commands = scratch("small.cmd");
  write_file(commands, "decks 2\ngame\nfoo\n");
  const std::string full = "orvix: output could not be written (No space left on device).\n";
  const std::string closed = "orvix: output could not be written (Bad file descriptor).\n";
  struct Case {
    const char* name;
    std::vector<std::string> args;
    Stream in, out;
    std::string error;
  };
  const std::vector<Case> cases = {
      {"/o on a full disk",
       {"/i", commands, "/o", "/dev/full"},
       {"/dev/null"},
       {scratch("out")},
       full},
      {"output to a full disk", {"/i", commands}, {"/dev/null"}, {"/dev/full"}, full},
      {"typed, output to a full disk", {}, {commands}, {"/dev/full"}, full},
      {"usage to a full disk", {"/x"}, {"/dev/null"}, {"/dev/full"}, full},
      {"closed output", {"/i", commands}, {"/dev/null"}, Stream::closed(), closed},
      {"closed output, typed", {"/q"}, {commands}, Stream::closed(), closed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Finished finished = run(c.args, c.in, c.out);
    EXPECT_EQ(finished.status, 1);
    EXPECT_EQ(finished.error, c.error);
  }
  // Nothing to write, nothing lost: a quiet session that prints nothing.
  write_file(commands, "decks 2\n");
  const Finished silent = run({"/q"}, {commands}, Stream::closed());
  EXPECT_EQ(silent.status, 0);
  EXPECT_EQ(silent.error, "");
  // A file opened by /o never lands on the closed descriptor of standard output.
  const Finished redirected =
      run({"/i", commands, "/o", scratch("o.txt")}, {"/dev/null"}, Stream::closed());
  EXPECT_EQ(redirected.status, 0);
  EXPECT_EQ(redirected.error, "");
}

// Commands that cannot be read are a failure, not an empty command file.
TEST(Robustness, UnreadableCommandsEndWithStatusOne) {
  const std::string folder = scratch("folder");
  ::mkdir(folder.c_str(), 0755);
  struct Case {
    const char* name;
    std::vector<std::string> args;
    Stream in;
    std::string output;
  };
  const std::vector<Case> cases = {
      {"/i a folder",
       {"/i", folder},
       {"/dev/null"},
       "Error: cannot open input file " + folder + ".\n"},
      {"a folder as standard input",
       {"/q"},
       {folder},
       "Error: cannot read the commands (Is a directory).\n"},
      {"closed standard input",
       {"/q"},
       Stream::closed(),
       "Error: cannot read the commands (Bad file descriptor).\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Finished finished = run(c.args, c.in);
    EXPECT_EQ(finished.status, 1);
    EXPECT_EQ(finished.output, c.output);
    EXPECT_EQ(finished.error, "");
  }
  ::rmdir(folder.c_str());
  // /i puts a file in place of a closed standard input.
  const std::string commands = scratch("q.cmd");
  write_file(commands, "foo\n");
  const Finished finished = run({"/i", commands}, Stream::closed());
  EXPECT_EQ(finished.status, 0);
  EXPECT_EQ(finished.output, "Error: \"FOO\" is not a supported command.  Type help for a list.\n");
}

TEST(Robustness, OneFileAsInputAndOutputIsRefusedAndKept) {
  const std::string path = scratch("same.cmd");
  const std::string link = scratch("same_link.cmd");
  const std::string commands = "decks 2\ngame\n";
  write_file(path, commands);
  ::unlink(link.c_str());
  ASSERT_EQ(::link(path.c_str(), link.c_str()), 0);
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"/i", path, "/o", path}, path},
      {{"/o", path, "/i", path}, path},
      {{"/i", path, "/O", link, "/q"}, link},
  };
  for (const auto& [args, named] : cases) {
    SCOPED_TRACE(args[0] + " " + args[1] + " " + args[2] + " " + args[3]);
    const Finished finished = run(args, {"/dev/null"});
    EXPECT_EQ(finished.status, 1);
    EXPECT_EQ(finished.output,
              "Error: the input file and the output file are the same file (" + named + ").\n");
    EXPECT_EQ(finished.error, "");
    EXPECT_EQ(read_file(path), commands);
  }
  ::unlink(link.c_str());
}

// Everything printed before a long run is in the output file while the run
// is going, so killing the run loses none of it.
TEST(Robustness, TextBeforeARunIsWrittenBeforeTheRunStarts) {
  const std::string commands = scratch("long_run.cmd");
  write_file(commands, "decks 0\nwild 5x\nhands 2000000000\ngo\n");
  const std::string out_path = scratch("long_run.txt");
  const std::string expected =
      "Error: Minimum of 1 deck required.\n"
      "Error: \"5X\" is not a valid card (suit must be h, c, s, or d).\n"
      "Poker with 1 deck, 0 jokers, 5 players, hand size 5 cards.\n"
      "No wildcards.\nNo added cards.\nNo removed cards.\n"
      "Simulating 2000000000 hands played.\n";
  const std::string err = scratch("err");
  const Stream devnull{"/dev/null"};
  const pid_t child = start({"/i", commands, "/o", out_path}, devnull, devnull, err);
  // The run takes minutes; the text must show up long before that.
  std::string text;
  for (int i = 0; i < 600 && text != expected; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    text = read_file(out_path);
  }
  ::kill(child, SIGTERM);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(read_file(out_path), expected);
}

}  // namespace
}  // namespace orvix
