// Ctrl-C during a long exact or equity count, through the real program: the
// count stops with "Stopped." and no table, and a session read from a command
// file ends there with status 130 (the commands after it never run).
// ranking frequency prints nothing before it counts: `game` just before it
// marks the start, and the ranking it would have set never shows.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <string>
#include <thread>

#include "support/files.h"
#include "support/start_program.h"
#include "support/temp_dir.h"

namespace orvix {
namespace {

using test::read_file;

// Runs `commands` and interrupts the count once `counting` is printed: the
// count stops with "Stopped." and no table, and the command file ends there
// with status 130.
void expect_sigint_stops(const std::string& commands_text, const std::string& counting,
                         const char* table_heading) {
  const test::ScopedTempDir dir;
  const std::string commands = dir.file("stop.cmd");
  const std::string out_path = dir.file("out.txt");
  const std::string err_path = dir.file("err.txt");
  test::write_file(commands, commands_text);

  const pid_t child = test::start_program(ORVIX_BINARY, {ORVIX_BINARY, "/i", commands}, "/dev/null",
                                          out_path, err_path);
  ASSERT_GE(child, 0);

  // The count line is flushed before the work starts; interrupt right after.
  bool started = false;
  for (int i = 0; i < 3000 && !started; ++i) {
    started = read_file(out_path).find(counting) != std::string::npos;
    if (!started) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(started);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  ::kill(child, SIGINT);

  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 130);
  const std::string output = read_file(out_path);
  const std::size_t at = output.find(counting);
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(output.substr(at + counting.size()), "Stopped.\n");
  EXPECT_EQ(output.find(table_heading), std::string::npos);
  EXPECT_EQ(read_file(err_path), "");
}

TEST(ExactCommand, SigintStopsTheCountAndEndsACommandFileWith130) {
  // Nine cards from one deck: billions of hands, seconds of work at least.
  expect_sigint_stops("players 1\nhandsize 9\nexact\ngame\n", "Counting 3679075400 hands.\n\n",
                      "HAND");
}

TEST(EquityCommand, SigintStopsTheCountAndEndsACommandFileWith130) {
  // Held Aces against a random hand: two billion deals, seconds of work at least.
  expect_sigint_stops("players 2\nhandsize 2\nboard 5\nhold 1 As Ad\nequity\ngame\n",
                      "Counting 2097572400 deals.\n\n", "SEAT");
}

TEST(RankingFrequencyCommand, SigintStopsTheCountAndKeepsTheRanking) {
  expect_sigint_stops("players 1\nhandsize 9\ngame\nranking frequency\nranking\n",
                      "Simulating 5000000 hands played.\n\n", "Ranking");
}

}  // namespace
}  // namespace orvix
