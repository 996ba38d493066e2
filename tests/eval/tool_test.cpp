// orvix-eval, the real binary, on files: whole output compared.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include <orvix/card.h>
#include <orvix/evaluate.h>

#include "support/brute_force.h"
#include "support/random_hands.h"

namespace orvix::test {
namespace {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void write_file(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

struct ToolRun {
  std::string output;
  int status;
};

// Runs the tool with `input_path` as standard input.
ToolRun run_tool(const std::string& input_path, const std::string& name) {
  const std::string output_path = std::string(ORVIX_TOOL_WORK) + "/" + name + ".out";
  const std::string command = std::string("'") + ORVIX_EVAL_TOOL + "' < '" + input_path + "' > '" + output_path + "'";
  const int raw = std::system(command.c_str());
  return {read_file(output_path), WIFEXITED(raw) ? WEXITSTATUS(raw) : -1};
}

// Hand-worked values (with their category and top rank), spellings, blanks,
// CR LF, NUL bytes, every kind of unreadable line, a last line without a line end.
TEST(OrvixEvalTool, KnownHandsAndBadLines) {
  const ToolRun run = run_tool(std::string(ORVIX_TOOL_DATA) + "/known.in", "known");
  EXPECT_EQ(run.output, read_file(std::string(ORVIX_TOOL_DATA) + "/known.out"));
  EXPECT_EQ(run.status, 1);  // some lines are errors
}

TEST(OrvixEvalTool, ExitStatusZeroWhenEveryLineIsAHand) {
  const std::string path = std::string(ORVIX_TOOL_WORK) + "/good.in";
  write_file(path, "As Ad 9c 9h 3s\r\n* * * *\r\n");
  const ToolRun run = run_tool(path, "good");
  EXPECT_EQ(run.output, "0x24201082 Two Pair Ace\n0x74001000 Four of a Kind Ace\n");
  EXPECT_EQ(run.status, 0);

  write_file(path, "");
  const ToolRun empty = run_tool(path, "empty");
  EXPECT_EQ(empty.output, "");
  EXPECT_EQ(empty.status, 0);
}

// Scored hands that could not be written are not a success.
TEST(OrvixEvalTool, ExitStatusOneWhenOutputFails) {
  const std::string path = std::string(ORVIX_TOOL_WORK) + "/full.in";
  write_file(path, "As Ad 9c 9h 3s\n");
  const std::string command = std::string("'") + ORVIX_EVAL_TOOL + "' < '" + path + "' > /dev/full";
  const int raw = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(WEXITSTATUS(raw), 1);
}

// A corpus of random hands of every size, with wild cards and repeated
// cards, scored by the tool and by the brute force.
TEST(OrvixEvalTool, RandomCorpusMatchesBruteForce) {
  std::mt19937_64 rng(99);
  std::string input, expected;
  for (int i = 0; i < 20000; ++i) {
    const int size = 1 + static_cast<int>(rng() % 20);
    const int wilds = static_cast<int>(rng() % 7);
    const std::vector<CardCode> cards = random_hand(rng, {size, std::min(wilds, size)});
    std::string line;
    for (CardCode c : cards) {
      line += line.empty() ? "" : (rng() % 4 == 0 ? "\t " : " ");
      line += card_text(c);
    }
    input += line + "\n";
    const HandValue v = brute_force_value(cards);
    char text[64];
    std::snprintf(text, sizeof text, "0x%08X %s %s\n", v, kCategoryNames[hand_category(v)],
                  kRankWords[top_rank(v)]);
    expected += text;
  }
  const std::string path = std::string(ORVIX_TOOL_WORK) + "/random.in";
  write_file(path, input);
  const ToolRun run = run_tool(path, "random");
  EXPECT_EQ(run.status, 0);
  ASSERT_EQ(run.output.size(), expected.size());
  // Line by line, so a failure names the hand.
  std::istringstream in(input), got(run.output), want(expected);
  std::string hand_line, got_line, want_line;
  while (std::getline(in, hand_line) && std::getline(got, got_line) && std::getline(want, want_line))
    ASSERT_EQ(got_line, want_line) << hand_line;
}

}  // namespace
}  // namespace orvix::test
