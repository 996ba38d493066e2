// Ctrl-C during a run, through the real program: the finished blocks are kept
// and reported, and no progress line ever reaches a file or a pipe.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "sim/save_file.h"
#include "support/files.h"
#include "support/start_program.h"
#include "support/temp_dir.h"

namespace orvix {
namespace {

using test::read_file;

struct Child {
  std::unique_ptr<test::ScopedTempDir> dir = std::make_unique<test::ScopedTempDir>();
  pid_t pid = -1;
  std::string out_path = dir->file("out.txt"), err_path = dir->file("err.txt");
};

// Starts orvix /i on the commands, output and error to files; with SIGINT
// ignored, as a shell starts a background job, when asked (an ignored signal
// stays ignored across fork and exec).
Child start(const std::string& commands, bool interrupt_ignored = false) {
  Child child;
  const std::string command_path = child.dir->file("commands.cmd");
  test::write_file(command_path, commands);
  void (*before)(int) = interrupt_ignored ? std::signal(SIGINT, SIG_IGN) : SIG_DFL;
  child.pid = test::start_program(ORVIX_BINARY, {ORVIX_BINARY, "/i", command_path}, "/dev/null",
                                  child.out_path, child.err_path);
  if (interrupt_ignored) std::signal(SIGINT, before);
  return child;
}

// True once the child's output holds `text`; false after a minute without it.
bool wait_for_output(const Child& child, const std::string& text) {
  for (int i = 0; i < 6000; ++i) {
    if (read_file(child.out_path).find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

TEST(RunStop, SigintKeepsTheFinishedBlocksAndEndsACommandFileWith130) {
  const std::string simulating = "Simulating 2000000000 hands played.\n";
  const Child child = start("hands 2000000000\ngo\ngame\n");
  ASSERT_GT(child.pid, 0);
  EXPECT_TRUE(wait_for_output(child, simulating));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ::kill(child.pid, SIGINT);
  EXPECT_EQ(test::wait_for_exit(child.pid), 130);

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
  const Child child = start("hands 20000000\ngo\ngame\n", true);
  ASSERT_GT(child.pid, 0);
  EXPECT_TRUE(wait_for_output(child, simulating));
  ::kill(child.pid, SIGINT);
  EXPECT_EQ(test::wait_for_exit(child.pid), 0);
  const std::string output = read_file(child.out_path);
  EXPECT_EQ(output.find("Run stopped"), std::string::npos) << output;
  EXPECT_NE(output.find("Poker with", output.find(simulating)), std::string::npos)
      << "the session went on";
}

// Ctrl-C while a file loads: the load finishes, nothing is half done, and a
// session from a command file then ends with status 130 (the signal used to
// end the program at once, with whatever it was writing).
TEST(RunStop, SigintDuringAFileOperationLetsItFinishThenEndsACommandFile) {
  const test::ScopedTempDir files;
  const std::string big = files.file("big.json");
  {
    RunRecords runs(40000);  // a table of many runs takes a while to read
    ResultTable table{};
    for (RunRecord& run : runs) run.deals = 1;
    table.wins[0][12] = runs.size() * static_cast<std::uint64_t>(runs[0].game.players);
    test::write_file(big, save_json_text(table, runs));
  }
  // "game" prints as soon as the program is up; the load starts right after.
  const Child child = start("game\nload " + big + "\nsave " + files.file("copy.json") + "\ngame\n");
  ASSERT_GT(child.pid, 0);
  ASSERT_TRUE(wait_for_output(child, "Simulating"));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ::kill(child.pid, SIGINT);
  EXPECT_EQ(test::wait_for_exit(child.pid), 130);
  const std::string output = read_file(child.out_path);
  EXPECT_EQ(output.find("Poker with", 1), std::string::npos)
      << output;  // the last "game" never ran
  EXPECT_EQ(output.find("Error"), std::string::npos) << output;
  // Whatever was written is whole: the folder holds the save and at most a
  // complete copy of it, no temporary file.
  for (const auto& entry : std::filesystem::directory_iterator(files.path())) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "big.json" || name == "copy.json") << name;
  }
  if (std::filesystem::exists(files.file("copy.json"))) {
    EXPECT_EQ(read_file(files.file("copy.json")).size(), read_file(big).size());
  }
}

TEST(RunStop, NoProgressLineReachesAPipe) {
  // A run of over a second, standard error a pipe: nothing may arrive there.
  const std::string command =
      std::string("printf 'hands 8000000\\ngo\\n' | ") + ORVIX_BINARY + " /q 2>&1 >/dev/null";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string received;
  char buffer[256];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    received.append(buffer, n);
  EXPECT_EQ(::pclose(pipe), 0);
  EXPECT_EQ(received, "");
}

}  // namespace
}  // namespace orvix
