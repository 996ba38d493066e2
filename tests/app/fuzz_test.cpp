// Random command lines and random bytes: the loop must keep going, the rules
// must stay within their limits, and a refused number command must change
// nothing. Runs are left out (they would only measure the simulator).

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/command_loop.h"
#include "support/capture_stdout.h"

namespace orvix {
namespace {

using test::StdoutCapture;

// ORVIX_FUZZ_SCALE multiplies the amount of input (the long test run sets it).
int fuzz_scale() {
  const char* text = std::getenv("ORVIX_FUZZ_SCALE");
  const int scale = text != nullptr ? std::atoi(text) : 1;
  return scale > 0 ? scale : 1;
}

// The game-changing words come several times over, so that the pack often
// grows and shrinks to its limits before a refusal is tried.
constexpr const char* kWords[] = {
    "game", "deck", "decks", "decks", "hands", "handsize", "handsize", "handsize", "players",
    "players", "players", "jokers", "jokers", "wild", "wilds", "add", "add", "adds", "add", "rem",
    "rems", "rem", "reset", "clear", "clearcount", "clearcounts", "clearwild", "clearwilds",
    "clearaddrem", "clearaddrems", "clearaddrem", "stats", "counts", "help", "?", "foo", "",
};
constexpr const char* kCardTokens[] = {
    "2h", "TS", "a", "k", "h", "d", "two", "TWOS", "hearts", "heart", "aces", "10h", "5x", "xyz",
    "sixes", "spade", "q", "3", "", "  ",
};

class LineMaker {
 public:
  explicit LineMaker(std::uint64_t seed) : rng_(seed) {}

  int below(int n) { return static_cast<int>(rng_() % static_cast<std::uint64_t>(n)); }

  std::string number() {
    std::string text;
    switch (below(8)) {
      case 0: return std::to_string(below(120) - 10);
      case 6:
      case 7: return std::to_string(below(25));
      case 1: return std::to_string(static_cast<std::int64_t>(rng_()));
      case 2: text = below(2) ? "-" : "+"; break;  // a lone sign, or a sign before digits
      case 3: text = ""; break;
      case 4: return "99999999999999999999999999999999999999999999999999999999999999";
      default: text = "0000000000000000000000000"; break;
    }
    const int digits = below(25);
    for (int i = 0; i < digits; ++i) text.push_back(static_cast<char>('0' + below(10)));
    return text;
  }

  std::string random_bytes(std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
      char c = static_cast<char>(below(256));
      if (c == '\n') c = '\r';
      text.push_back(c);
    }
    return text;
  }

  std::string mixed_case(std::string word) {
    for (char& c : word)
      if (below(2) && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return word;
  }

  std::string line() {
    const int kind = below(40);
    if (kind == 0) return random_bytes(static_cast<std::size_t>(below(200)));
    if (kind == 1 && below(100) == 0) return "foo " + random_bytes(1 << 20);
    // Pressure: grow the pack, then ask for more players and cards, then take
    // the added cards away again.
    if (kind <= 5) return mixed_case(below(2) ? "add hearts" : "adds s a");
    if (kind <= 8) return mixed_case("players " + std::to_string(1 + below(50)));
    if (kind <= 10) return mixed_case("handsize " + std::to_string(1 + below(20)));
    if (kind <= 12) return mixed_case(below(2) ? "clearaddrem" : "rem hearts");
    std::string text = mixed_case(kWords[below(static_cast<int>(std::size(kWords)))]);
    const std::string separators[] = {" ", "\t", "  ", "\v", "\f", ""};
    const int args = below(4);
    for (int i = 0; i < args; ++i) {
      text += separators[below(6)];
      if (below(2))
        text += number();
      else
        text += mixed_case(kCardTokens[below(static_cast<int>(std::size(kCardTokens)))]);
    }
    if (below(8) == 0) text += std::string(1, '\0') + random_bytes(3);
    if (below(5) == 0) text += "\r";
    return text;
  }

 private:
  std::mt19937_64 rng_;
};

std::string first_word_upper(const std::string& line) {
  const char* blanks = " \t\n\v\f\r";
  const std::size_t start = line.find_first_not_of(blanks);
  if (start == std::string::npos) return "";
  std::string word = line.substr(start, line.find_first_of(blanks, start) - start);
  for (char& c : word)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return word;
}

bool is_run_or_quit(const std::string& word) {
  for (const char* w : {"GO", "MORE", "TEST", "QUIT", "Q", "EXIT"})
    if (word == w) return true;
  return false;
}

// The limits every accepted change keeps, counted card by card.
::testing::AssertionResult within_limits(const GameRules& rules) {
  if (rules.decks < 1 || rules.decks > 50) return ::testing::AssertionFailure() << "decks " << rules.decks;
  if (rules.players < 1 || rules.players > 50) return ::testing::AssertionFailure() << "players " << rules.players;
  if (rules.hand_size < 1 || rules.hand_size > 20)
    return ::testing::AssertionFailure() << "hand size " << rules.hand_size;
  if (rules.jokers < 0 || rules.jokers > 100) return ::testing::AssertionFailure() << "jokers " << rules.jokers;
  if (rules.run_length < 1) return ::testing::AssertionFailure() << "run length " << rules.run_length;
  long long pack = rules.jokers;
  for (int rank = 0; rank < kRankCount; ++rank)
    for (int suit = 0; suit < kSuitCount; ++suit) {
      const long long copies = static_cast<long long>(rules.decks) + rules.card_delta[rank][suit];
      if (copies < 0) return ::testing::AssertionFailure() << "negative copies at " << rank << "," << suit;
      pack += copies;
      if (rules.wild[rank][suit] > 1) return ::testing::AssertionFailure() << "wild flag " << +rules.wild[rank][suit];
    }
  if (pack < static_cast<long long>(rules.players) * rules.hand_size)
    return ::testing::AssertionFailure() << "pack of " << pack << " cannot deal " << rules.players << " x "
                                         << rules.hand_size;
  return ::testing::AssertionSuccess();
}

TEST(CommandLoopFuzz, RandomLinesKeepTheRulesWithinLimits) {
  const int lines = 4000 * fuzz_scale();
  LineMaker maker(20260512);
  LoopState state;
  start_loop_state(state);
  StdoutCapture capture;
  int refusals = 0;
  for (int i = 0; i < lines; ++i) {
    const std::string line = maker.line();
    const std::string word = first_word_upper(line);
    if (is_run_or_quit(word)) continue;
    const GameRules before = state.rules;
    capture.take();
    const bool keeps_going = execute_line(state, line, maker.below(2) == 0);
    const std::string printed = capture.take();
    ASSERT_TRUE(keeps_going) << "line " << i;
    ASSERT_TRUE(within_limits(state.rules)) << "after line " << i << ": " << testing::PrintToString(line);
    // A refused number or clearing command is all or nothing. (A card list may
    // fail half-way by design: earlier tokens stay applied.)
    const bool card_list = word.rfind("WILD", 0) == 0 || word.rfind("ADD", 0) == 0 || word.rfind("REM", 0) == 0;
    if (printed.rfind("Error: ", 0) == 0 && !card_list) {
      ++refusals;
      ASSERT_TRUE((state.rules == before)) << "line " << i << ": " << testing::PrintToString(line);
    }
  }
  capture.restore();
  EXPECT_GT(refusals, lines / 20);  // the generator really reaches the refusals
}

// The real program over files of random lines and bytes, CR LF ends, NUL
// bytes, a megabyte line and no last line end: it must end normally, and its
// final description must show a game within limits.
TEST(CommandLoopFuzz, RealProgramSurvivesRandomCommandFiles) {
  const int files = 6 * fuzz_scale();
  LineMaker maker(777);
  // The temporary folder is shared with any other test run on the machine,
  // so the file names carry this process's id.
  const std::string dir = ::testing::TempDir() + "orvix_fuzz_" + std::to_string(getpid()) + "_";
  for (int f = 0; f < files; ++f) {
    const std::string input = dir + "input.txt";
    const std::string output = dir + "output.txt";
    {
      std::ofstream file(input, std::ios::binary);
      for (int i = 0; i < 300; ++i) {
        std::string line = maker.line();
        if (is_run_or_quit(first_word_upper(line))) continue;
        file << line << (maker.below(4) == 0 ? "\r\n" : "\n");
      }
      if (f % 2 == 0) file << std::string(1 << 20, 'z') << "\n";
      file << "game";  // no line end: it must still run
    }
    const std::string command =
        std::string("'") + ORVIX_BINARY + "' /i '" + input + "' /o '" + output + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << "file " << f;
    ASSERT_EQ(WEXITSTATUS(status), 0) << "file " << f;

    std::ifstream result(output, std::ios::binary);
    std::string line, summary;
    while (std::getline(result, line))
      if (line.rfind("Poker with ", 0) == 0) summary = line;
    ASSERT_FALSE(summary.empty()) << "file " << f << ": the last line was not carried out";
    int decks = 0, jokers = 0, players = 0, hand_size = 0;
    ASSERT_EQ(std::sscanf(summary.c_str(), "Poker with %d %*s %d %*s %d players, hand size %d", &decks, &jokers,
                          &players, &hand_size),
              4)
        << summary;
    EXPECT_TRUE(decks >= 1 && decks <= 50 && jokers >= 0 && jokers <= 100 && players >= 1 && players <= 50 &&
                hand_size >= 1 && hand_size <= 20)
        << summary;
  }
  std::remove((dir + "input.txt").c_str());
  std::remove((dir + "output.txt").c_str());
}

}  // namespace
}  // namespace orvix
