#include "rules/pack.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvix {
namespace {

// "Ad" style names, "*" prefix for a wild card, "JK" for a joker.
std::string card_name(CardCode card) {
  if (card == kJoker) return "JK";
  std::string name;
  if (is_wild(card)) name += '*';
  name += kRankChars[card_rank_index(card)];
  name += kSuitChars[card_suit_index(card)];
  return name;
}

std::string pack_text(const std::vector<CardCode>& deck) {
  std::string text;
  for (CardCode card : deck) {
    if (!text.empty()) text += ' ';
    text += card_name(card);
  }
  return text;
}

std::vector<CardCode> pack_of(const GameRules& rules) {
  std::vector<CardCode> deck(static_cast<std::size_t>(cards_available(rules)), 0xDEADBEEF);
  build_deck(rules, deck.data());
  return deck;
}

// One pass over the plain pack, written out by hand for the first and last
// ranks: "2d 2s 2c 2h 3d ... Ah".
std::string plain_pass() {
  std::string text;
  for (const char rank : std::string("23456789TJQKA"))
    for (const char suit : std::string("dsch")) {
      if (!text.empty()) text += ' ';
      text += rank;
      text += suit;
    }
  return text;
}

TEST(BuildDeck, PlainPackRunsTwoToAceDiamondsSpadesClubsHearts) {
  GameRules rules;
  const auto deck = pack_of(rules);
  ASSERT_EQ(deck.size(), 52u);
  EXPECT_EQ(deck.front(), 0x01000001u);  // two of diamonds
  EXPECT_EQ(deck[1], make_card(0, 1, false));
  EXPECT_EQ(deck[4], make_card(1, 0, false));
  EXPECT_EQ(deck.back(), 0x380C1000u);  // ace of hearts
  EXPECT_EQ(pack_text(deck), plain_pass());
}

struct LayoutCase {
  const char* name;
  void (*change)(GameRules&);
  std::string expected;
};

TEST(BuildDeck, LaysOutPassesWithAtMostTwoJokersEach) {
  const std::string pass = plain_pass();
  const LayoutCase cases[] = {
      {"three jokers: two after the pack, then the third", [](GameRules& r) { r.jokers = 3; },
       pass + " JK JK JK"},
      {"two decks, one joker: the joker between the decks",
       [](GameRules& r) {
         r.decks = 2;
         r.jokers = 1;
       },
       pass + " JK " + pass},
      {"two decks, five jokers: two, two, then one alone",
       [](GameRules& r) {
         r.decks = 2;
         r.jokers = 5;
       },
       pass + " JK JK " + pass + " JK JK JK"},
      {"extra copies come one per pass, in rank order",
       [](GameRules& r) {
         r.card_delta[12][3] = 2;
         r.card_delta[0][1] = 1;
       },
       pass + " 2s Ah Ah"},
  };
  for (const auto& c : cases) {
    GameRules rules;
    c.change(rules);
    EXPECT_EQ(pack_text(pack_of(rules)), c.expected) << c.name;
  }
}

TEST(BuildDeck, RemovedKindsLeaveEveryOtherCardInItsPlace) {
  GameRules rules;
  rules.card_delta[5][2] = -1;   // seven of clubs gone
  rules.card_delta[12][0] = -1;  // ace of diamonds gone
  std::string expected = plain_pass();
  for (const std::string gone : {"7c ", "Ad "}) expected.erase(expected.find(gone), gone.size());
  EXPECT_EQ(pack_text(pack_of(rules)), expected);

  // With two decks, one removal drops the kind from the second pass only.
  GameRules two;
  two.decks = 2;
  two.card_delta[5][2] = -1;
  std::string second = plain_pass();
  second.erase(second.find("7c "), 3);
  EXPECT_EQ(pack_text(pack_of(two)), plain_pass() + " " + second);
}

TEST(BuildDeck, WildFlagsChangeOnlyTheEncoding) {
  GameRules rules;
  rules.decks = 2;
  rules.jokers = 1;
  const auto plain = pack_of(rules);
  for (int s = 0; s < kSuitCount; ++s) rules.wild[0][s] = 1;  // deuces wild
  rules.wild[9][1] = 1;                                       // one-eyed jack
  const auto wild = pack_of(rules);
  ASSERT_EQ(wild.size(), plain.size());
  int wild_cards = 0;
  for (std::size_t i = 0; i < wild.size(); ++i) {
    const bool should_be_wild =
        plain[i] != kJoker && (card_rank_index(plain[i]) == 0 ||
                               (card_rank_index(plain[i]) == 9 && card_suit_index(plain[i]) == 1));
    if (should_be_wild) {
      ++wild_cards;
      EXPECT_EQ(wild[i], make_card(card_rank_index(plain[i]), card_suit_index(plain[i]), true))
          << i;
    } else {
      EXPECT_EQ(wild[i], plain[i]) << i;
    }
  }
  EXPECT_EQ(wild_cards, 10);
  EXPECT_EQ(wild[1], 0x10800000u);  // wild two of spades keeps its indices only
}

}  // namespace
}  // namespace orvix
