#include "rules/card_list.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "rules_test_support.h"

namespace orvix {
namespace {

using testing_support::invariant_holds;
using testing_support::run_card_command;

// The wild kinds as "2h 5s ..." in rank-major order, for compact expectations.
std::string wild_kinds(const GameRules& rules) {
  std::string out;
  for (int rank = 0; rank < kRankCount; ++rank)
    for (int suit = 0; suit < kSuitCount; ++suit)
      if (rules.wild[rank][suit]) {
        if (!out.empty()) out += ' ';
        out += kRankChars[rank];
        out += kSuitChars[suit];
      }
  return out;
}

// Nonzero deltas as "2h+2 3d-1 ...".
std::string deltas(const GameRules& rules) {
  std::string out;
  for (int rank = 0; rank < kRankCount; ++rank)
    for (int suit = 0; suit < kSuitCount; ++suit)
      if (int d = rules.card_delta[rank][suit]; d != 0) {
        if (!out.empty()) out += ' ';
        out += kRankChars[rank];
        out += kSuitChars[suit];
        if (d > 0) out += '+';
        out += std::to_string(d);
      }
  return out;
}

std::string all_of_rank(char rank) {
  std::string out;
  for (const char* s = "dsch"; *s; ++s) {
    if (!out.empty()) out += ' ';
    out += rank;
    out += *s;
  }
  return out;
}

struct ListCase {
  std::vector<std::string> before;  // earlier command lines, each must succeed
  std::string line;
  std::string text;
  bool error;
  std::string wilds;   // wild kinds afterwards
  std::string counts;  // card deltas afterwards
  std::function<void(GameRules&)> setup = nullptr;
};

TEST(CardList, EdgeCasesApplyTokensInOrder) {
  const std::string twos = all_of_rank('2');
  const std::string sevens = all_of_rank('7');
  const std::string hearts_and_twos = "2d 2s 2c 2h 3h 4h 5h 6h 7h 8h 9h Th Jh Qh Kh Ah";
  const std::string every_heart_once =
      "2h+1 3h+1 4h+1 5h+1 6h+1 7h+1 8h+1 9h+1 Th+1 Jh+1 Qh+1 Kh+1 Ah+1";
  auto hand_of_ten = [](GameRules& r) { ASSERT_TRUE(set_hand_size(r, 10)); };
  const std::vector<ListCase> cases = {
      {{}, "wild 5s", "Set wild 5s", false, "5s", ""},
      {{"wild 5s"}, "wild 7", "Set wild 7", false, sevens, ""},
      {{}, "wild two hearts", "Set wild 2 h", false, hearts_and_twos, ""},
      {{},
       "wild two hearts 5s",
       "Set wild 2 h 5s",
       false,
       "2d 2s 2c 2h 3h 4h 5s 5h 6h 7h 8h 9h Th Jh Qh Kh Ah",
       ""},
      {{}, "Wild Ace", "Set wild A", false, all_of_rank('A'), ""},
      {{}, "WILD ACE", "Set wild A", false, all_of_rank('A'), ""},
      {{}, "wilds aces", "Set wild A", false, all_of_rank('A'), ""},
      {{}, "add 2H", "Added cards 2h", false, "", "2h+1"},
      {{}, "add 2h", "Added cards 2h", false, "", "2h+1"},
      {{}, "adds 2h 2h", "Added cards 2h 2h", false, "", "2h+2"},
      {{"add 2h"}, "add 2h", "Added cards 2h", false, "", "2h+2"},
      {{}, "add hearts", "Added cards h", false, "", every_heart_once},
      {{}, "add heart", "Added cards h", false, "", every_heart_once},
      {{}, "add sixs", "Added cards 6", false, "", "6d+1 6s+1 6c+1 6h+1"},
      {{}, "add sixes", "Error: \"SIXES\" is not a valid rank or suit.\n", true, "", ""},
      {{}, "add deuces", "Error: \"DEUCES\" is not a valid rank or suit.\n", true, "", ""},
      {{}, "wild 10h", "Error: \"10H\" is not a valid rank or suit.\n", true, "", ""},
      {{},
       "wild 5x",
       "Error: \"5X\" is not a valid card (suit must be h, c, s, or d).\n",
       true,
       "",
       ""},
      {{}, "wild st", "Error: \"ST\" is not a valid rank or suit.\n", true, "", ""},
      {{}, "wild ts", "Set wild Ts", false, "Ts", ""},
      {{"wild 5s"}, "wild 2 xyz", "Error: \"XYZ\" is not a valid rank or suit.\n", true, twos, ""},
      {{"wild 5s"}, "wild xyz 2", "Error: \"XYZ\" is not a valid rank or suit.\n", true, "5s", ""},
      {{}, "rem 2h 2h", "Error: No card available to remove.\n", true, "", "2h-1"},
      {{"rem 2h"},
       "rem twos",
       "Error: Not enough cards available to remove rank.\n",
       true,
       "",
       "2h-1"},
      {{},
       "rem 2h 3h 4h",
       "Error: Not enough cards to remove card and still deal hand.\n",
       true,
       "",
       "2h-1 3h-1",
       hand_of_ten},
      {{}, "rem aces", "Removed cards A", false, "", "Ad-1 As-1 Ac-1 Ah-1"},
      {{},
       "rems spade",
       "Removed cards s",
       false,
       "",
       "2s-1 3s-1 4s-1 5s-1 6s-1 7s-1 8s-1 9s-1 Ts-1 Js-1 Qs-1 Ks-1 As-1"},
      {{}, "wild 2h   ", "Set wild 2h", false, "2h", ""},
      {{}, "wild 2h \t\r", "Set wild 2h", false, "2h", ""},
      {{}, "wild \t 9c\t8d", "Set wild 9c 8d", false, "8d 9c", ""},
      {{"wild 5s"}, "wild ", "Error: no cards provided.\n", true, "5s", ""},
      {{"wild 5s"}, "wild \t \r", "Error: no cards provided.\n", true, "5s", ""},
      {{"wild 5s"}, "wild", "Error: no cards provided.\n", true, "5s", ""},
      {{"wild 5s"},
       "wild j q k",
       "Set wild J Q K",
       false,
       "Jd Js Jc Jh Qd Qs Qc Qh Kd Ks Kc Kh",
       ""},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.line);
    GameRules rules;
    if (c.setup) c.setup(rules);
    for (const std::string& earlier : c.before)
      ASSERT_FALSE(run_card_command(rules, earlier).error) << earlier;
    const CardListResult result = run_card_command(rules, c.line);
    EXPECT_EQ(result.text, c.text);
    EXPECT_EQ(result.error, c.error);
    EXPECT_EQ(wild_kinds(rules), c.wilds);
    EXPECT_EQ(deltas(rules), c.counts);
  }
}

TEST(CardList, EverySuitAddsEveryKindOnce) {
  GameRules rules;
  const CardListResult result = run_card_command(rules, "add d s c h");
  EXPECT_FALSE(result.error);
  EXPECT_EQ(result.text, "Added cards d s c h");
  for (const auto& rank : rules.card_delta)
    for (const int delta : rank) EXPECT_EQ(delta, 1);
  EXPECT_EQ(cards_available(rules), 104);
}

// Every one- and two-byte token against the grammar written out directly.
TEST(CardList, ShortTokensFollowTheGrammarForEveryByte) {
  const std::string ranks = "23456789TJQKA";
  const std::string suits = "DSCH";
  auto is_space = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  for (int a = 0; a < 256; ++a) {
    const char first = static_cast<char>(a);
    if (is_space(first)) continue;
    for (int b = -1; b < 256; ++b) {
      std::string token(1, first);
      if (b >= 0) {
        if (is_space(static_cast<char>(b))) continue;
        token += static_cast<char>(b);
      }
      GameRules rules;
      WordStream stream{token};
      const CardListResult result = apply_card_list(rules, CardListOperation::kAdd, stream);
      std::string expected;
      const bool rank_first = ranks.find(first) != std::string::npos;
      if (token.size() == 1) {
        if (rank_first)
          expected = "Added cards " + token;
        else if (suits.find(first) != std::string::npos)
          expected = std::string("Added cards ") + static_cast<char>(first - 'A' + 'a');
        else
          expected = "Error: \"" + token + "\" is not a valid rank or suit.\n";
      } else if (!rank_first) {
        expected = "Error: \"" + token + "\" is not a valid rank or suit.\n";
      } else if (suits.find(token[1]) == std::string::npos) {
        expected = "Error: \"" + token + "\" is not a valid card (suit must be h, c, s, or d).\n";
      } else {
        expected = std::string("Added cards ") + first + static_cast<char>(token[1] - 'A' + 'a');
      }
      ASSERT_EQ(result.text, expected) << "bytes " << a << " " << b;
      ASSERT_EQ(result.error, expected.back() == '\n');
    }
  }
}

TEST(CardList, LongTokensAreExactlyTheRankAndSuitWords) {
  const std::vector<std::pair<std::string, std::string>> accepted = {
      {"TWO", "2"},   {"TWOS", "2"},     {"THREE", "3"},   {"THREES", "3"}, {"FOUR", "4"},
      {"FOURS", "4"}, {"FIVE", "5"},     {"FIVES", "5"},   {"SIX", "6"},    {"SIXS", "6"},
      {"SEVEN", "7"}, {"SEVENS", "7"},   {"EIGHT", "8"},   {"EIGHTS", "8"}, {"NINE", "9"},
      {"NINES", "9"}, {"TEN", "T"},      {"TENS", "T"},    {"JACK", "J"},   {"JACKS", "J"},
      {"QUEEN", "Q"}, {"QUEENS", "Q"},   {"KING", "K"},    {"KINGS", "K"},  {"ACE", "A"},
      {"ACES", "A"},  {"DIAMONDS", "d"}, {"DIAMOND", "d"}, {"SPADES", "s"}, {"SPADE", "s"},
      {"CLUBS", "c"}, {"CLUB", "c"},     {"HEARTS", "h"},  {"HEART", "h"},
  };
  for (const auto& [word, short_form] : accepted) {
    GameRules rules;
    WordStream stream{word};
    EXPECT_EQ(apply_card_list(rules, CardListOperation::kWild, stream).text,
              "Set wild " + short_form)
        << word;
  }
  for (const char* word :
       {"SIXES", "DEUCES", "TWOSS", "HEARTSS", "HEA", "DIAMON", "ACEX", "XACE", "JOKER", "JOKERS",
        "TENH", "10", "100", "SPADESS", "CLU", "THREEZ", "KINGSS"}) {
    GameRules rules;
    WordStream stream{word};
    const CardListResult result = apply_card_list(rules, CardListOperation::kWild, stream);
    EXPECT_TRUE(result.error) << word;
    EXPECT_EQ(result.text, std::string("Error: \"") + word + "\" is not a valid rank or suit.\n");
  }
}

// Random lines of random bytes and real tokens: never a crash, the game
// always able to deal, and every answer either an echo or one error line.
TEST(CardList, AnyBytesKeepTheGameDealable) {
  std::mt19937 rng(7);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const std::vector<std::string> words = {
      "2h",    "a",    "hearts", "KING", "s",   "5x",
      "10h",   "twos", " ",      "\t",   "\r",  std::string(1, '\0'),
      "xyzzy", "d",    "queens", "Ts",   "club"};
  const std::vector<std::string> commands = {"wild", "wilds", "add", "adds",
                                             "rem",  "rems",  "rem", "rems"};
  GameRules rules;
  ASSERT_TRUE(set_players(rules, 6));
  for (int round = 0; round < 3000; ++round) {
    std::string line = commands[static_cast<std::size_t>(pick(0, 7))];
    const int tokens = pick(0, 8);
    for (int t = 0; t < tokens; ++t) {
      line += std::string(static_cast<std::size_t>(pick(0, 2)), ' ');
      if (pick(0, 3) == 0) {
        const int length = pick(0, 300);
        for (int i = 0; i < length; ++i) line += static_cast<char>(pick(0, 255));
      } else {
        line += words[static_cast<std::size_t>(pick(0, static_cast<int>(words.size()) - 1))];
      }
      line += ' ';
    }
    if (pick(0, 1)) line.pop_back();
    const CardListResult result = run_card_command(rules, line);
    ASSERT_TRUE(invariant_holds(rules)) << line;
    if (result.error) {
      ASSERT_EQ(result.text.rfind("Error: ", 0), 0u);
      ASSERT_EQ(result.text.back(), '\n');
    } else {
      ASSERT_TRUE(result.text.empty() || result.text.back() != '\n');
    }
    if (round % 200 == 0) {
      ASSERT_TRUE(clear_add_remove(rules));
    }
  }
}

}  // namespace
}  // namespace orvix
