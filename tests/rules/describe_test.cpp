#include "rules/describe.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/console.h"
#include "rules_test_support.h"

namespace orvix {
namespace {

using testing_support::run_card_command;

std::string captured(const std::function<void()>& print) {
  ::testing::internal::CaptureStdout();
  print();
  out_flush();
  return ::testing::internal::GetCapturedStdout();
}

// Items as the descriptions print them: joined by single blanks.
std::string joined(const std::vector<std::string>& items) {
  std::string out;
  for (const std::string& item : items) out += (out.empty() ? "" : " ") + item;
  return out;
}

std::vector<std::string> repeated(const std::string& item, int times) {
  return std::vector<std::string>(static_cast<std::size_t>(times), item);
}

const std::string kDefaultTail = "No added cards.\nNo removed cards.\nSimulating 5000000 hands played.\n";

struct GameCase {
  const char* name;
  std::function<void(GameRules&)> setup;
  std::string expected;
};

TEST(DescribeGame, PrintsEachPartOfTheGame) {
  auto lines = [](std::initializer_list<const char*> commands) {
    return [commands](GameRules& r) {
      for (const char* c : commands) ASSERT_FALSE(run_card_command(r, c).error) << c;
    };
  };
  std::vector<std::string> twenty_one_wild;  // 3d 3s ... Kd Ks: 22 cards, no whole rank or suit
  for (const char* rank = "3456789TJQK"; *rank; ++rank)
    for (const char* suit = "ds"; *suit; ++suit) twenty_one_wild.push_back(std::string{*rank, *suit, ' '});
  std::vector<std::string> with_words = {"Two", "Hearts"};
  with_words.insert(with_words.end(), twenty_one_wild.begin(), twenty_one_wild.end());
  const std::vector<std::string> first_line(with_words.begin(), with_words.begin() + 20);
  const std::vector<std::string> second_line(with_words.begin() + 20, with_words.end());

  const std::vector<GameCase> cases = {
      {"defaults", nullptr,
       "Poker with 1 deck, 0 jokers, 5 players, hand size 5 cards.\nNo wildcards.\n" + kDefaultTail},
      {"singular counts",
       [](GameRules& r) {
         ASSERT_TRUE(set_players(r, 1));
         ASSERT_TRUE(set_hand_size(r, 1));
         ASSERT_TRUE(set_jokers(r, 1));
         ASSERT_TRUE(set_run_length(r, 1));
       },
       "Poker with 1 deck, 1 joker, 1 players, hand size 1 card.\nNo wildcards other than the 1 joker.\n"
       "No added cards.\nNo removed cards.\nSimulating 1 hands played.\n"},
      {"plural counts",
       [](GameRules& r) {
         ASSERT_TRUE(set_decks(r, 2));
         ASSERT_TRUE(set_jokers(r, 3));
       },
       "Poker with 2 decks, 3 jokers, 5 players, hand size 5 cards.\nNo wildcards other than the 3 jokers.\n" +
           kDefaultTail},
      {"one joker beside wild cards", [](GameRules& r) {
         ASSERT_TRUE(set_jokers(r, 1));
         set_wild_rank(r, 0);
       },
       "Poker with 1 deck, 1 joker, 5 players, hand size 5 cards.\nWildcards (plus 1 jokers): Two\n" +
           kDefaultTail},
      {"ranks, suits, then the other cards", lines({"wild twos hearts 5s"}),
       "Poker with 1 deck, 0 jokers, 5 players, hand size 5 cards.\nWildcards: Two Hearts 5s \n" + kDefaultTail},
      {"single cards in rank-major order", lines({"wild ah 2c 2d kh"}),
       "Poker with 1 deck, 0 jokers, 5 players, hand size 5 cards.\nWildcards: 2d  2c  Kh  Ah \n" +
           kDefaultTail},
      {"every flag set", lines({"wild d s c h"}),
       "Poker with 1 deck, 0 jokers, 5 players, hand size 5 cards.\nWildcards: Two Three Four Five Six Seven "
       "Eight Nine Ten Jack Queen King Ace Diamonds Spades Clubs Hearts\n" +
           kDefaultTail},
      {"twenty items per line, counted across words and cards",
       lines({"wild 2 h 3d 3s 4d 4s 5d 5s 6d 6s 7d 7s 8d 8s 9d 9s td ts jd js qd qs kd ks"}),
       "Poker with 1 deck, 0 jokers, 5 players, hand size 5 cards.\nWildcards: " + joined(first_line) + "\n" +
           joined(second_line) + "\n" + kDefaultTail},
      {"added twice", lines({"add 2h 2h"}),
       "Poker with 1 deck, 0 jokers, 5 players, hand size 5 cards.\nNo wildcards.\nAdding cards: 2h  2h \n"
       "No removed cards.\nSimulating 5000000 hands played.\n"},
      {"added and removed, 21 items wrap",
       [](GameRules& r) {
         ASSERT_TRUE(set_decks(r, 2));
         for (int i = 0; i < 21; ++i) add_card(r, 12, 3);
         add_card(r, 0, 0);
         ASSERT_TRUE(remove_card(r, 5, 1));
         ASSERT_TRUE(remove_card(r, 5, 1));
         ASSERT_TRUE(remove_card(r, 3, 2));
       },
       "Poker with 2 decks, 0 jokers, 5 players, hand size 5 cards.\nNo wildcards.\nAdding cards: " +
           joined([] {
             std::vector<std::string> items = {"2d "};
             for (const auto& ah : repeated("Ah ", 19)) items.push_back(ah);
             return items;
           }()) +
           "\n" + joined(repeated("Ah ", 2)) + "\nRemoving cards: 5c  7s  7s \nSimulating 5000000 hands played.\n"},
  };
  for (const GameCase& c : cases) {
    SCOPED_TRACE(c.name);
    GameRules rules;
    if (c.setup) c.setup(rules);
    EXPECT_EQ(captured([&] { describe_game(rules); }), c.expected);
  }
}

std::string rank_line(char rank, const std::string& third = " ") {
  std::vector<std::string> cards;
  for (const char* suit = "dsch"; *suit; ++suit) cards.push_back(std::string{rank, *suit} + third);
  return joined(cards) + "\n";
}

std::string default_deck_lines() {
  std::string out;
  for (const char* rank = "23456789TJQKA"; *rank; ++rank) out += rank_line(*rank);
  return out;
}

TEST(DescribeDeck, ListsThePackOneRankPerLine) {
  struct DeckCase {
    const char* name;
    std::function<void(GameRules&)> setup;
    std::string expected;
  };
  std::vector<std::string> sevens_of_twos;
  for (const char* suit = "dsch"; *suit; ++suit)
    for (const auto& card : repeated(std::string{'2', *suit, ' '}, 7)) sevens_of_twos.push_back(card);
  const std::string seven_decks_twos =
      joined({sevens_of_twos.begin(), sevens_of_twos.begin() + 24}) + "\n" +
      joined({sevens_of_twos.begin() + 24, sevens_of_twos.end()}) + "\n";

  const std::vector<DeckCase> cases = {
      {"defaults", nullptr, "Using a total of 52 cards:\n" + default_deck_lines()},
      {"seven decks wrap at 24", [](GameRules& r) { ASSERT_TRUE(set_decks(r, 7)); },
       "Using a total of 364 cards:\n" + seven_decks_twos + [] {
         std::string rest;
         for (const char* rank = "3456789TJQKA"; *rank; ++rank) {
           std::vector<std::string> cards;
           for (const char* suit = "dsch"; *suit; ++suit)
             for (const auto& card : repeated(std::string{*rank, *suit, ' '}, 7)) cards.push_back(card);
           rest += joined({cards.begin(), cards.begin() + 24}) + "\n" + joined({cards.begin() + 24, cards.end()}) +
                   "\n";
         }
         return rest;
       }()},
      {"wild twos", [](GameRules& r) { set_wild_rank(r, 0); },
       "Using a total of 52 cards:\n" + rank_line('2', "W") + default_deck_lines().substr(rank_line('2').size())},
      {"jokers are counted and listed last",
       [](GameRules& r) { ASSERT_TRUE(set_jokers(r, 2)); },
       "Using a total of 54 cards:\n" + default_deck_lines() + "Jokers (wild): 2\n"},
      {"jokers beside a wild two of diamonds",
       [](GameRules& r) {
         ASSERT_TRUE(set_jokers(r, 2));
         set_wild_card(r, 0, 0);
       },
       "Using a total of 54 cards:\n2dW 2s  2c  2h \n" + default_deck_lines().substr(rank_line('2').size()) +
           "Jokers (wild): 2\n"},
      {"removed and added kinds",
       [](GameRules& r) {
         ASSERT_TRUE(run_card_command(r, "rem 3").error == false);
         add_card(r, 12, 0);
       },
       "Using a total of 49 cards:\n" + rank_line('2') + default_deck_lines().substr(2 * rank_line('2').size(),
                                                                                     10 * rank_line('2').size()) +
           "Ad  Ad  As  Ac  Ah \n"},
      {"only jokers left",
       [](GameRules& r) {
         ASSERT_TRUE(set_jokers(r, 5));
         ASSERT_TRUE(set_players(r, 1));
         ASSERT_TRUE(set_hand_size(r, 1));
         ASSERT_FALSE(run_card_command(r, "rem d s c h").error);
       },
       "Using a total of 5 cards:\nJokers (wild): 5\n"},
  };
  for (const DeckCase& c : cases) {
    SCOPED_TRACE(c.name);
    GameRules rules;
    if (c.setup) c.setup(rules);
    EXPECT_EQ(captured([&] { describe_deck(rules); }), c.expected);
  }
}

}  // namespace
}  // namespace orvix
