// Runs through the real program: Ctrl-C mid-run keeps the finished blocks and
// reports them, a seed shown by "seed" repeats its run, no progress line ever
// reaches a file, and a long seeded run of one hand agrees with "exact".

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>
#include "support/files.h"

namespace orvix {
namespace {

using test::read_file;

struct Child {
  pid_t pid = -1;
  std::string out_path, err_path;
};

// Starts orvix /i on the commands, output and error to files; with SIGINT
// ignored, as a shell starts a background job, when asked.
Child start(const std::string& name, const std::string& commands, bool interrupt_ignored = false) {
  const std::string dir = ::testing::TempDir();
  Child child;
  const std::string command_path = dir + "orvix_" + name + "_" + std::to_string(::getpid()) + ".cmd";
  child.out_path = command_path + ".out";
  child.err_path = command_path + ".err";
  std::ofstream(command_path) << commands;
  child.pid = ::fork();
  if (child.pid == 0) {
    if (interrupt_ignored) std::signal(SIGINT, SIG_IGN);
    const int in = ::open("/dev/null", O_RDONLY);
    const int out = ::open(child.out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = ::open(child.err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    ::execl(ORVIX_BINARY, ORVIX_BINARY, "/i", command_path.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return child;
}

int wait_exit(const Child& child) {
  int status = 0;
  ::waitpid(child.pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Runs the commands to the end; returns standard output.
std::string run(const std::string& name, const std::string& commands, std::string* err = nullptr) {
  const Child child = start(name, commands);
  EXPECT_EQ(wait_exit(child), 0) << name;
  if (err != nullptr) *err = read_file(child.err_path);
  return read_file(child.out_path);
}

TEST(RunStop, SigintKeepsTheFinishedBlocksAndEndsACommandFileWith130) {
  const std::string simulating = "Simulating 2000000000 hands played.\n";
  const Child child = start("run_stop", "hands 2000000000\ngo\ngame\n");
  ASSERT_GT(child.pid, 0);
  bool started = false;
  for (int i = 0; i < 3000 && !started; ++i) {
    started = read_file(child.out_path).find(simulating) != std::string::npos;
    if (!started) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(started);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ::kill(child.pid, SIGINT);
  EXPECT_EQ(wait_exit(child), 130);

  const std::string output = read_file(child.out_path);
  const std::size_t at = output.find(simulating);
  ASSERT_NE(at, std::string::npos);
  const std::string rest = output.substr(at + simulating.size());
  const std::string stopped = "Run stopped after ";
  ASSERT_EQ(rest.rfind(stopped, 0), 0u) << rest;
  const long long played = std::atoll(rest.c_str() + stopped.size());
  EXPECT_GT(played, 0);
  EXPECT_LT(played, 2000000000);
  EXPECT_EQ(played % 4096, 0) << "only whole blocks are kept";
  EXPECT_NE(rest.find(" of 2000000000 hands.\nSimulation time "), std::string::npos) << rest;
  EXPECT_NE(rest.find("\nHAND            WINS   ACE"), std::string::npos) << rest;
  // The command after the run never ran: the game is described once.
  EXPECT_EQ(output.find("Poker with", at), std::string::npos);
  EXPECT_EQ(read_file(child.err_path), "");  // no progress line in a file
}

TEST(RunStop, AProgramStartedWithSigintIgnoredKeepsItIgnored) {
  const std::string simulating = "Simulating 20000000 hands played.\n";
  const Child child = start("run_ignored", "hands 20000000\ngo\ngame\n", true);
  ASSERT_GT(child.pid, 0);
  bool started = false;
  for (int i = 0; i < 3000 && !started; ++i) {
    started = read_file(child.out_path).find(simulating) != std::string::npos;
    if (!started) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(started);
  ::kill(child.pid, SIGINT);
  EXPECT_EQ(wait_exit(child), 0);
  const std::string output = read_file(child.out_path);
  EXPECT_EQ(output.find("Run stopped"), std::string::npos) << output;
  EXPECT_NE(output.find("Poker with", output.find(simulating)), std::string::npos) << "the session went on";
}

TEST(RunStop, NoProgressLineReachesAPipe) {
  // A run of over a second, standard error a pipe: nothing may arrive there.
  const std::string command =
      std::string("printf 'hands 8000000\\ngo\\n' | ") + ORVIX_BINARY + " /q 2>&1 >/dev/null";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string received;
  char buffer[256];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) received.append(buffer, n);
  EXPECT_EQ(::pclose(pipe), 0);
  EXPECT_EQ(received, "");
}

// The counts table of an output (from its header to its total line).
std::string counts_table(const std::string& output) {
  const std::size_t at = output.find("HAND                    DIST");
  return at == std::string::npos ? "" : output.substr(at);
}

TEST(RunSeeds, TheSeedOfARunRepeatsItExactly) {
  std::string err;
  const std::string first = run("seed_first", "players 3\nhands 30000\ngo\ncounts\nseed\n", &err);
  EXPECT_EQ(err, "");
  const std::string prefix = "Last run used seed ";
  const std::size_t at = first.rfind(prefix);
  ASSERT_NE(at, std::string::npos);
  const std::string seed = first.substr(at + prefix.size(), first.find('.', at) - at - prefix.size());
  const std::string table = counts_table(first.substr(0, at));
  ASSERT_FALSE(table.empty());
  EXPECT_EQ(counts_table(run("seed_again", "seed " + seed + "\nplayers 3\nhands 30000\ngo\ncounts\n")), table);
  // "seed S", go, more repeats as a whole; another seed deals another run.
  const std::string both = "players 3\nhands 9000\ngo\nmore\ncounts\n";
  EXPECT_EQ(counts_table(run("seed_a", "seed 5\n" + both)), counts_table(run("seed_b", "seed 5\n" + both)));
  EXPECT_NE(counts_table(run("seed_c", "seed 6\n" + both)), counts_table(run("seed_d", "seed 5\n" + both)));
}

// The first number after `name` at or after `from`; `from` moves past it.
std::uint64_t number_after(const std::string& text, const std::string& name, std::size_t& from) {
  const std::size_t at = text.find(name, from);
  if (at == std::string::npos) return ~std::uint64_t{0};
  from = at + name.size();
  return std::strtoull(text.c_str() + from, nullptr, 10);
}

TEST(RunSeeds, ALongRunOfOneHandAgreesWithTheExactTable) {
  // Five-card hands from one deck with every Two wild, one player: the run's
  // category counts against the exact ones, chi-square over the categories
  // the game can deal.
  const std::string output =
      run("exact_agrees", "players 1\nwild 2\nseed 31\nhands 3000000\ngo\ncounts\nexact\n");
  const char* names[] = {"High Card", "One Pair", "Two Pair", "Three of a Kind", "Straight",
                         "Flush", "Full House", "Four of a Kind", "Straight Flush", "Five of a Kind"};
  const std::size_t exact_at = output.find("Counting ");
  ASSERT_NE(exact_at, std::string::npos);
  std::size_t from = exact_at;
  const double total = static_cast<double>(number_after(output, "Counting", from));
  ASSERT_EQ(total, 2598960.0);
  std::size_t run_from = output.find("HAND                    DIST");
  ASSERT_NE(run_from, std::string::npos);
  double chi_square = 0;
  int categories = 0;
  for (const char* name : names) {
    const double seen = static_cast<double>(number_after(output, std::string(name) + " ", run_from));
    std::size_t exact_from = exact_at;
    const double exact = static_cast<double>(number_after(output, std::string(name) + " ", exact_from));
    if (exact == 0) {
      EXPECT_EQ(seen, 0) << name;
      continue;
    }
    const double expected = 3000000.0 * exact / total;
    chi_square += (seen - expected) * (seen - expected) / expected;
    ++categories;
  }
  EXPECT_EQ(categories, 10);  // deuces wild can deal every category
  // 9 degrees of freedom: mean 9, five standard deviations below 40.
  EXPECT_LT(chi_square, 40.0);
}

}  // namespace
}  // namespace orvix
