// What one command line does to the loop's rules and counters.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "app/command_loop.h"
#include "support/session.h"

namespace orvix {
namespace {

using test::Session;

bool starts_with_error(const std::string& text) { return text.rfind("Error: ", 0) == 0; }

TEST(ExecuteLine, OnlyQuitWordsEndTheLoop) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {"q", false},      {"Q", false},        {"quit", false},  {"QuIt now", false},
      {"exit", false},   {"  exit 3", false}, {"\tq\r", false}, {"qq", true},
      {"quit!", true},   {"exits", true},     {"", true},       {"   ", true},
      {"decks 2", true}, {"help", true},      {"-q", true},     {std::string("q\0", 2), true},
  };
  Session session;
  for (const auto& [line, keeps_going] : cases) {
    SCOPED_TRACE(testing::PrintToString(line));
    session.capture.take();
    EXPECT_EQ(execute_line(session.state, line, true), keeps_going);
    session.capture.take();
  }
}

TEST(ExecuteLine, MaximumHandsRefusalChangesNothing) {
  Session session;
  session.run({"hands 77"});
  const GameRules before = session.state.rules;
  for (const char* line : {"hands 2147483648", "hands 9223372036854775807"}) {
    SCOPED_TRACE(line);
    EXPECT_EQ(session.run({line}),
              "Error: maximum number of hands for one simulation is 2147483647.\n");
    EXPECT_TRUE((session.state.rules == before));
    EXPECT_EQ(session.state.rules.run_length, 77);
  }
}

TEST(ExecuteLine, NegativeRunLengthIsRefusedAndKeepsTheOldLength) {
  for (const char* line :
       {"hands -5", "hands -1", "hands -2147483648", "hands -9223372036854775808"}) {
    SCOPED_TRACE(line);
    Session session;
    session.run({"hands 77"});
    const std::string printed = session.run({line}, false);
    EXPECT_TRUE(starts_with_error(printed)) << printed;
    EXPECT_EQ(printed.back(), '\n');
    EXPECT_EQ(session.state.rules.run_length, 77);
  }
}

TEST(ExecuteLine, ClearingAddedCardsThatWouldLeaveTooFewIsRefused) {
  Session session;
  session.run({"add 2h 3h 4h", "players 11"});  // 55 cards, 55 needed
  ASSERT_EQ(session.state.rules.players, 11);
  const GameRules before = session.state.rules;
  const std::string refused = session.run({"clearaddrem"}, false);
  EXPECT_TRUE(starts_with_error(refused)) << refused;
  EXPECT_EQ(refused.find("cleared"), std::string::npos);
  EXPECT_TRUE((session.state.rules == before));

  session.run({"players 10"});
  EXPECT_EQ(session.run({"clearaddrems"}, false), "Cards added or removed cleared.\n");
  EXPECT_EQ(session.state.rules.card_delta[0][3], 0);
}

TEST(ExecuteLine, CardListWithNothingAfterTheWordChangesNothing) {
  for (const char* line : {"wild", "wild   ", "WILDS\t", "rem", "adds \r"}) {
    SCOPED_TRACE(testing::PrintToString(std::string(line)));
    Session session;
    session.run({"wild 2h", "add 3c"});
    const GameRules before = session.state.rules;
    EXPECT_EQ(session.run({line}), "Error: no cards provided.\n");
    EXPECT_TRUE((session.state.rules == before));
  }
}

TEST(ExecuteLine, CounterCommandsClearOnlyWhatTheySay) {
  struct Case {
    const char* line;
    bool clears_counters;
    bool resets_rules;
  };
  const std::vector<Case> cases = {
      {"reset", true, true},        {"clear", true, false},      {"clearcount", true, false},
      {"clearcounts", true, false}, {"clearwild", false, false}, {"clearaddrem", false, false},
      {"stats", false, false},      {"counts", false, false},    {"game", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Session session;
    session.run({"decks 3", "players 7"});
    session.state.table.wins[1][4] = 12;
    session.state.table.losses[2][5] = 34;
    session.run({c.line});
    EXPECT_EQ(session.state.table.wins[1][4], c.clears_counters ? 0u : 12u);
    EXPECT_EQ(session.state.table.losses[2][5], c.clears_counters ? 0u : 34u);
    EXPECT_EQ(session.state.rules.decks, c.resets_rules ? 1 : 3);
    EXPECT_EQ(session.state.rules.players, c.resets_rules ? 5 : 7);
  }
}

TEST(ExecuteLine, QuietModeKeepsErrorsAndDropsConfirmations) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"decks 2", "Using 2 decks.\n"},
      {"foo", "Error: \"FOO\" is not a supported command.  Type help for a list.\n"},
      {"decks 0", "Error: Minimum of 1 deck required.\n"},
      {"clearwilds", "Wildcards cleared.\n"},
      {"", ""},
  };
  for (const auto& [line, loud] : cases) {
    SCOPED_TRACE(line);
    Session session;
    EXPECT_EQ(session.run({line}, false), loud);
    EXPECT_EQ(session.run({line}, true), starts_with_error(loud) ? loud : "");
  }
}

// The bounds a session harness (the fuzz targets) sets: a run is cut to the
// cap without changing the game, and the enumerations print nothing at all.
TEST(ExecuteLine, HarnessBoundsCapRunsAndSkipEnumerations) {
  Session session;
  session.state.run_length_cap = 10;
  session.state.skip_enumerations = true;
  session.run({"players 2", "hands 5000", "go"});
  ASSERT_EQ(session.state.runs.size(), 1u);
  EXPECT_EQ(session.state.runs[0].deals, 10u);  // deals, not the 20 hands
  EXPECT_EQ(session.state.runs[0].game.run_length, 10);
  EXPECT_EQ(session.state.rules.run_length, 5000);
  EXPECT_EQ(counted_player_hands(session.state.table), 20u);
  session.run({"hands 7", "more"});
  ASSERT_EQ(session.state.runs.size(), 2u);
  EXPECT_EQ(session.state.runs[1].deals, 7u);  // under the cap: the game's own length
  for (const char* line : {"test", "exact", "EXACT now"}) {
    SCOPED_TRACE(line);
    EXPECT_EQ(session.run({line}, false), "");
  }
}

// A "more" that could carry a counter past 2^64 - 1 is refused before it
// deals; one that fits runs. Five players a deal: ten deals add fifty hands.
TEST(ExecuteLine, MoreThatCouldOverflowTheCountersIsRefused) {
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  for (const std::uint64_t room : {std::uint64_t{49}, std::uint64_t{50}}) {
    SCOPED_TRACE(room);
    Session session;
    session.run({"hands 10"});
    session.state.table.losses[0][0] = kMax - room;
    const ResultTable before = session.state.table;
    const std::string printed = session.run({"more"});
    if (room < 50) {
      EXPECT_EQ(printed, "Error: the counters would overflow; save and clear them first.\n");
      EXPECT_EQ(std::memcmp(before.losses, session.state.table.losses, sizeof before.losses), 0);
      EXPECT_TRUE(session.state.runs.empty());
    } else {
      EXPECT_FALSE(starts_with_error(printed)) << printed;
      EXPECT_EQ(counted_player_hands(session.state.table), kMax);
    }
  }
}

}  // namespace
}  // namespace orvix
