// orvix-eval, the real binary, on files: whole output compared.
#include <gtest/gtest.h>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sstream>
#include <string>

#include <orvix/card.h>
#include <orvix/evaluate.h>

#include "support/brute_force.h"
#include "support/random_hands.h"
#include "support/files.h"
#include "support/start_program.h"
#include "support/temp_dir.h"

namespace orvix::test {
namespace {

// ctest runs each test in its own process: one scratch folder per process,
// removed when it ends.
std::string work_file(const std::string& name) {
  static const ScopedTempDir dir;
  return dir.file(name);
}

// Runs the tool with `input_path` as standard input.
Finished run_tool(const std::string& input_path) {
  return run_to_end(ORVIX_EVAL_TOOL, {ORVIX_EVAL_TOOL}, input_path);
}

Finished run_tool_with_cards(const std::string& input_path) {
  return run_to_end(ORVIX_EVAL_TOOL, {ORVIX_EVAL_TOOL, "--cards"}, input_path);
}

// Hand-worked values (with their category and top rank), spellings, blanks,
// CR LF, NUL bytes, every kind of unreadable line, a last line without a line end.
TEST(OrvixEvalTool, KnownHandsAndBadLines) {
  const Finished run = run_tool(std::string(ORVIX_TOOL_DATA) + "/known.in");
  EXPECT_EQ(run.output, read_file(std::string(ORVIX_TOOL_DATA) + "/known.out"));
  EXPECT_EQ(run.status, 1);  // some lines are errors

  // --cards keeps each answer as it was and only adds the cards after it.
  const Finished with_cards = run_tool_with_cards(std::string(ORVIX_TOOL_DATA) + "/known.in");
  std::istringstream got(with_cards.output), want(run.output);
  std::string got_line, want_line;
  while (std::getline(want, want_line)) {
    ASSERT_TRUE(std::getline(got, got_line));
    const std::size_t colon = got_line.find(": ");
    EXPECT_EQ(got_line.substr(0, want_line.rfind("error: ", 0) == 0 ? std::string::npos : colon),
              want_line);
  }
  EXPECT_EQ(with_cards.status, 1);
}

TEST(OrvixEvalTool, ExitStatusZeroWhenEveryLineIsAHand) {
  const std::string path = work_file("good.in");
  write_file(path, "As Ad 9c 9h 3s\r\n* * * *\r\n");
  const Finished run = run_tool(path);
  EXPECT_EQ(run.output, "0x24201082 Two Pair Ace\n0x74001000 Four of a Kind Ace\n");
  EXPECT_EQ(run.status, 0);
  const Finished with_cards = run_tool_with_cards(path);
  EXPECT_EQ(
      with_cards.output,
      "0x24201082 Two Pair Ace: Ad As 9c 9h 3s\n0x74001000 Four of a Kind Ace: A* A* A* A*\n");
  EXPECT_EQ(with_cards.status, 0);

  write_file(path, "");
  const Finished empty = run_tool(path);
  EXPECT_EQ(empty.output, "");
  EXPECT_EQ(empty.status, 0);
}

// Under short deck a Flush outranks a Full House and A-6-7-8-9 is the lowest
// straight (its Ace read last); A-2-3-4-5 is no straight. The values are the
// ranked layout's: the category's position in bits 31..28 (Flush 6, Full
// House 5, Straight 4), the rest as the standard value. A custom order
// putting Two Pair above Three of a Kind leaves five natural cards alone,
// but a wild card then pairs the Nine (position 3) rather than make trips.
TEST(OrvixEvalTool, RankingValuesAndReadsEveryLineUnderItsOrder) {
  const std::string path = work_file("ranked.in");
  write_file(path, "Kh Kd Kc 9h 9s 5h 2h Jh\nAh 6d 7c 8s 9h\nAs 2d 3c 4h 5s\nKh Kd Kc 9h 9s\n");
  const Finished shortdeck =
      run_to_end(ORVIX_EVAL_TOOL, {ORVIX_EVAL_TOOL, "--ranking", "ShortDeck", "--cards"}, path);
  EXPECT_EQ(shortdeck.output,
            "0x600B9730 Flush King: Kh Jh 9h 5h 2h\n"
            "0x400210F0 Straight Nine: 9h 8s 7c 6d Ah\n"
            "0x0403C000 High Card Ace: As 5s 4h 3c 2d\n"
            "0x52000880 Full House King: Kd Kc Kh 9s 9h\n");
  EXPECT_EQ(shortdeck.status, 0);
  const Finished custom = run_to_end(
      ORVIX_EVAL_TOOL, {ORVIX_EVAL_TOOL, "--ranking", "5K,SF,4K,FH,FL,ST,2P,3K,1P,HC"}, path);
  EXPECT_EQ(custom.output, run_tool(path).output);
  write_file(path, "Kh Kd 9h * 2c\n");
  EXPECT_EQ(
      run_to_end(ORVIX_EVAL_TOOL,
                 {ORVIX_EVAL_TOOL, "--cards", "--ranking", "5k 2p sf 4k fh fl st 3k 1p hc"}, path)
          .output,
      "0x82200881 Two Pair King: Kd Kh 9h 9* 2c\n");
  // Lowball values are turned over (ranks Ace first under low) and read back:
  // the wild card is the Ace under low, the Eight under deuce.
  write_file(path, "As 2d 3c 4h 5s\n3h 4d 5c 6s *\n");
  EXPECT_EQ(
      run_to_end(ORVIX_EVAL_TOOL, {ORVIX_EVAL_TOOL, "--ranking", "LOW", "--cards"}, path).output,
      "0x9FF83FFF High Card Five: 5s 4h 3c 2d As\n"
      "0x9FF0BFFF High Card Six: 6s 5c 4d 3h A*\n");
  EXPECT_EQ(
      run_to_end(ORVIX_EVAL_TOOL, {ORVIX_EVAL_TOOL, "--ranking", "deuce", "--cards"}, path).output,
      "0x9BFC3FFF High Card Ace: As 5s 4h 3c 2d\n"
      "0x9FE87FFF High Card Eight: 8* 6s 5c 4d 3h\n");
}

struct ShellRun {
  int status;
  std::string output;
  std::string error;
};

// Runs `redirections` after the tool in the shell, with standard output and
// error kept apart ("<&-" closes standard input, "> /dev/full" fills the disk).
ShellRun run_shell(const std::string& arguments, const std::string& redirections,
                   const std::string& name) {
  const std::string out = work_file(name + ".stdout");
  const std::string err = work_file(name + ".stderr");
  const std::string command =
      std::string("'") + ORVIX_EVAL_TOOL + "' " + arguments + " 2> '" + err + "' " +
      (redirections.find('>') == std::string::npos ? "> '" + out + "' " : "") + redirections;
  std::remove(out.c_str());
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_file(out), read_file(err)};
}

// Read and write failures and wrong arguments end with status 2 and one
// line on standard error; 1 is kept for lines that are not hands.
TEST(OrvixEvalTool, FailuresEndWithStatusTwoAndOneLineOnStandardError) {
  const std::string hand = work_file("one_hand.in");
  write_file(hand, "As Ad 9c 9h 3s\n");
  struct Case {
    const char* name;
    std::string arguments, redirections, error;
  };
  const Case cases[] = {
      {"full disk", "", "< '" + hand + "' > /dev/full",
       "orvix-eval: output could not be written (No space left on device).\n"},
      {"closed output", "", "< '" + hand + "' >&-",
       "orvix-eval: output could not be written (Bad file descriptor).\n"},
      {"closed input", "", "<&-", "orvix-eval: input could not be read (Bad file descriptor).\n"},
      {"folder as input", "", "< /", "orvix-eval: input could not be read (Is a directory).\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ShellRun run = run_shell(c.arguments, c.redirections, "failure");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.error, c.error);
    EXPECT_EQ(run.output, "");
  }
}

TEST(OrvixEvalTool, HelpOnStandardOutputAndWrongArgumentsOnStandardError) {
  const ShellRun help = run_shell("--help", "< /dev/null", "help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.error, "");
  EXPECT_EQ(help.output.rfind("Usage: orvix-eval [--help | [--cards] [--ranking ORDER]]\n", 0), 0u)
      << help.output;
  EXPECT_NE(help.output.find("Exit status: 0"), std::string::npos);
  EXPECT_EQ(run_shell("-h", "< /dev/null", "h").output, help.output);
  for (const char* wrong :
       {"-x", "--help extra", "As", "''", "--cards --cards", "--ranking", "--ranking lowball",
        "--ranking 5K,SF", "--ranking standard --ranking standard", "--help --ranking standard"}) {
    SCOPED_TRACE(wrong);
    const ShellRun run = run_shell(wrong, "< /dev/null", "wrong");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(run.error, help.output);
  }
}

// A program talking to the tool line by line: it writes one hand and waits
// for its answer before writing the next. Held-back answers deadlock it; the
// guard below only turns such a hang into a failure.
TEST(OrvixEvalTool, EachAnswerIsOutBeforeTheToolWaitsForMoreInput) {
  int to_tool[2], from_tool[2];
  ASSERT_EQ(::pipe(to_tool), 0);
  ASSERT_EQ(::pipe(from_tool), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::dup2(to_tool[0], 0);
    ::dup2(from_tool[1], 1);
    ::close(to_tool[1]);
    ::close(from_tool[0]);
    ::execl(ORVIX_EVAL_TOOL, ORVIX_EVAL_TOOL, static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(to_tool[0]);
  ::close(from_tool[1]);
  const std::pair<const char*, const char*> talk[] = {
      {"As Ad 9c 9h 3s\n", "0x24201082 Two Pair Ace\n"},
      {"* Kd 9c 5h 3s\n", "0x1200088A One Pair King\n"},
      {"As Zz\n", "error: unknown card\n"},
  };
  for (const auto& [question, answer] : talk) {
    ASSERT_EQ(::write(to_tool[1], question, std::strlen(question)),
              static_cast<ssize_t>(std::strlen(question)));
    std::string got;
    while (got.find('\n') == std::string::npos) {
      pollfd ready{from_tool[0], POLLIN, 0};
      ASSERT_EQ(::poll(&ready, 1, 60000), 1) << "no answer to " << question;
      char buffer[256];
      const ssize_t n = ::read(from_tool[0], buffer, sizeof buffer);
      ASSERT_GT(n, 0);
      got.append(buffer, static_cast<std::size_t>(n));
    }
    EXPECT_EQ(got, answer);
  }
  ::close(to_tool[1]);
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(from_tool[0]);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);  // one line was not a hand
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
  const std::string path = work_file("random.in");
  write_file(path, input);
  const Finished run = run_tool(path);
  EXPECT_EQ(run.status, 0);
  ASSERT_EQ(run.output.size(), expected.size());
  // Line by line, so a failure names the hand.
  std::istringstream in(input), got(run.output), want(expected);
  std::string hand_line, got_line, want_line;
  while (std::getline(in, hand_line) && std::getline(got, got_line) &&
         std::getline(want, want_line))
    ASSERT_EQ(got_line, want_line) << hand_line;
}

}  // namespace
}  // namespace orvix::test
