#include "rules/game_rules.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "rules_test_support.h"

namespace orvix {
namespace {

using testing_support::count_pack;
using testing_support::invariant_holds;

constexpr int kTwo = 0, kThree = 1, kFour = 2, kKing = 11, kAce = 12;
constexpr int kDiamonds = 0, kSpades = 1, kHearts = 3;

// Gives seat (0: the board) the cards of text; the hold must be accepted.
void hold(GameRules& rules, int seat, const char* text) {
  HeldCards cards;
  std::string error;
  ASSERT_TRUE(parse_held_cards(text, cards, error)) << text;
  ASSERT_EQ(set_hold(rules, seat, cards), "") << text;
}

TEST(GameRules, DefaultsHoldOneDeckForFivePlayersOfFive) {
  GameRules rules;
  rules.decks = 9;
  rules.error_text.text = "x";
  rules.card_delta[4][2] = 3;
  rules.wild[1][1] = 1;
  rules.board = 3;
  rules.use = 2;
  rules.holds[4].count = 1;
  rules.board_hold.count = 1;
  reset_defaults(rules);
  EXPECT_EQ(rules.error_text.text, nullptr);
  EXPECT_EQ(rules.decks, 1);
  EXPECT_EQ(rules.players, 5);
  EXPECT_EQ(rules.hand_size, 5);
  EXPECT_EQ(rules.jokers, 0);
  EXPECT_EQ(rules.run_length, 5000000);
  EXPECT_TRUE((rules == GameRules{}));
  EXPECT_EQ(cards_available(rules), 52);
  EXPECT_FALSE(has_negative_card(rules));
}

TEST(GameRules, CardsAvailableCountsPositiveCopiesAndJokers) {
  GameRules rules;
  ASSERT_TRUE(set_decks(rules, 2));
  ASSERT_TRUE(set_jokers(rules, 3));
  ASSERT_TRUE(remove_card(rules, kTwo, kHearts));
  EXPECT_EQ(cards_available(rules), 106);
  add_suit(rules, kDiamonds);
  add_rank(rules, kFour);
  add_card(rules, kFour, kHearts);
  EXPECT_EQ(cards_available(rules), 106 + 13 + 4 + 1);
  EXPECT_EQ(cards_available(rules), count_pack(rules));
}

struct RuleCase {
  const char* name;
  std::function<void(GameRules&)> setup;        // must succeed
  std::function<bool(GameRules&)> change;       // the operation under test
  const char* refusal;                          // nullptr: accepted
  std::function<void(const GameRules&)> check;  // state afterwards (optional)
};

void expect_all(const std::vector<RuleCase>& cases) {
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.name);
    GameRules rules;
    if (c.setup) c.setup(rules);
    ASSERT_TRUE(invariant_holds(rules));
    const GameRules before = rules;
    const bool accepted = c.change(rules);
    if (c.refusal == nullptr) {
      EXPECT_TRUE(accepted);
    } else {
      EXPECT_FALSE(accepted);
      ASSERT_NE(rules.error_text.text, nullptr);
      EXPECT_EQ(std::string(rules.error_text.text), c.refusal);
      EXPECT_TRUE((rules == before)) << "a refused change must leave the game as it was";
    }
    EXPECT_TRUE(invariant_holds(rules));
    if (c.check) c.check(rules);
  }
}

TEST(GameRules, NumberSettersTestRangeThenPack) {
  auto players = [](int n) { return [n](GameRules& r) { return set_players(r, n); }; };
  auto hand = [](int n) { return [n](GameRules& r) { return set_hand_size(r, n); }; };
  auto decks = [](int n) { return [n](GameRules& r) { return set_decks(r, n); }; };
  auto jokers = [](int n) { return [n](GameRules& r) { return set_jokers(r, n); }; };
  auto ten_players = [](GameRules& r) { ASSERT_TRUE(set_players(r, 10)); };
  expect_all({
      {"players 10 fills the pack", nullptr, players(10), nullptr,
       [](const GameRules& r) { EXPECT_EQ(r.players, 10); }},
      {"players 11", nullptr, players(11), "Error: Too many players to deal complete hand.\n",
       nullptr},
      {"players 0", nullptr, players(0), "Error: Minimum of 1 player required.\n", nullptr},
      {"players -7", nullptr, players(-7), "Error: Minimum of 1 player required.\n", nullptr},
      {"players 51", nullptr, players(51), "Error: Maximum of 50 players supported.\n", nullptr},
      {"players 1", nullptr, players(1), nullptr,
       [](const GameRules& r) { EXPECT_EQ(r.players, 1); }},
      {"players 50 with 5 decks", [](GameRules& r) { ASSERT_TRUE(set_decks(r, 5)); }, players(50),
       nullptr, nullptr},
      {"handsize 10", nullptr, hand(10), nullptr,
       [](const GameRules& r) { EXPECT_EQ(r.hand_size, 10); }},
      {"handsize 11", nullptr, hand(11),
       "Error: Not enough cards to increase hand size and still deal hand.\n", nullptr},
      {"handsize 0", nullptr, hand(0), "Error: Only 1-20 card hands supported.\n", nullptr},
      {"handsize 21 with a big pack", [](GameRules& r) { ASSERT_TRUE(set_decks(r, 50)); }, hand(21),
       "Error: Only 1-20 card hands supported.\n", nullptr},
      {"handsize 1", nullptr, hand(1), nullptr, nullptr},
      {"handsize 20 for one player", [](GameRules& r) { ASSERT_TRUE(set_players(r, 1)); }, hand(20),
       nullptr, nullptr},
      {"decks 0 never reaches the pack test", ten_players, decks(0),
       "Error: Minimum of 1 deck required.\n", nullptr},
      {"decks 51", nullptr, decks(51), "Error: Maximum of 50 decks supported.\n", nullptr},
      {"decks 50", nullptr, decks(50), nullptr,
       [](const GameRules& r) { EXPECT_EQ(cards_available(r), 2600); }},
      {"decks back to 1 when 11 players need two",
       [](GameRules& r) {
         ASSERT_TRUE(set_decks(r, 2));
         ASSERT_TRUE(set_players(r, 11));
       },
       decks(1), "Error: Not enough decks to deal complete hand and handle any removes.\n",
       nullptr},
      {"decks 1 after both copies of a card were removed",
       [](GameRules& r) {
         ASSERT_TRUE(set_decks(r, 2));
         ASSERT_TRUE(remove_card(r, kTwo, kHearts));
         ASSERT_TRUE(remove_card(r, kTwo, kHearts));
       },
       decks(1), "Error: Not enough decks to deal complete hand and handle any removes.\n",
       nullptr},
      {"decks 3 after both copies of a card were removed",
       [](GameRules& r) {
         ASSERT_TRUE(set_decks(r, 2));
         ASSERT_TRUE(remove_card(r, kTwo, kHearts));
         ASSERT_TRUE(remove_card(r, kTwo, kHearts));
       },
       decks(3), nullptr, [](const GameRules& r) { EXPECT_EQ(cards_available(r), 154); }},
      {"jokers -1", nullptr, jokers(-1), "Error: Minimum of 0 jokers supported.\n", nullptr},
      {"jokers 101", nullptr, jokers(101), "Error: Maximum of 100 jokers supported.\n", nullptr},
      {"jokers 100", nullptr, jokers(100), nullptr,
       [](const GameRules& r) { EXPECT_EQ(cards_available(r), 152); }},
      {"jokers 0", nullptr, jokers(0), nullptr, nullptr},
      {"jokers 3 to 2 with 11 players",
       [](GameRules& r) {
         ASSERT_TRUE(set_jokers(r, 3));
         ASSERT_TRUE(set_players(r, 11));
       },
       jokers(2), "Error: Not enough cards to decrease jokers and still deal hand.\n",
       [](const GameRules& r) { EXPECT_EQ(r.jokers, 3); }},
  });
}

TEST(GameRules, RunLengthRefusesZeroAndNegativeCounts) {
  auto hands = [](std::int64_t n) { return [n](GameRules& r) { return set_run_length(r, n); }; };
  expect_all({
      {"hands 0", nullptr, hands(0),
       "Error: Zero run lengths are not supported - use at least one hand.\n", nullptr},
      {"hands -5", nullptr, hands(-5),
       "Error: Negative run lengths are not supported - use at least one hand.\n", nullptr},
      {"hands -2147483648", nullptr, hands(-2147483648LL),
       "Error: Negative run lengths are not supported - use at least one hand.\n", nullptr},
      {"hands 2147483648", nullptr, hands(2147483648LL),
       "Error: maximum number of hands for one simulation is 2147483647.\n", nullptr},
      {"hands 1", nullptr, hands(1), nullptr,
       [](const GameRules& r) { EXPECT_EQ(r.run_length, 1); }},
      {"hands 2147483647", nullptr, hands(2147483647LL), nullptr,
       [](const GameRules& r) { EXPECT_EQ(r.run_length, 2147483647); }},
  });
}

TEST(GameRules, RemovalsAreAllOrNothing) {
  auto card = [](int rank, int suit) {
    return [=](GameRules& r) { return remove_card(r, rank, suit); };
  };
  auto rank = [](int rank) { return [=](GameRules& r) { return remove_rank(r, rank); }; };
  auto suit = [](int suit) { return [=](GameRules& r) { return remove_suit(r, suit); }; };
  auto two_hearts_gone = [](GameRules& r) { ASSERT_TRUE(remove_card(r, kTwo, kHearts)); };
  // 51 cards left while ten players of five need 50.
  auto one_spare = [](GameRules& r) {
    ASSERT_TRUE(set_players(r, 10));
    ASSERT_TRUE(remove_card(r, kTwo, kHearts));
  };
  expect_all({
      {"first two of hearts", nullptr, card(kTwo, kHearts), nullptr,
       [](const GameRules& r) {
         EXPECT_EQ(r.card_delta[kTwo][kHearts], -1);
         EXPECT_EQ(cards_available(r), 51);
       }},
      {"second two of hearts", two_hearts_gone, card(kTwo, kHearts),
       "Error: No card available to remove.\n", nullptr},
      {"all twos with one missing", two_hearts_gone, rank(kTwo),
       "Error: Not enough cards available to remove rank.\n",
       [](const GameRules& r) {
         EXPECT_EQ(r.card_delta[kTwo][kDiamonds], 0);
         EXPECT_EQ(cards_available(r), 51);
       }},
      {"all hearts with one missing", two_hearts_gone, suit(kHearts),
       "Error: Not enough cards available to remove suit.\n", nullptr},
      {"all twos", nullptr, rank(kTwo), nullptr,
       [](const GameRules& r) { EXPECT_EQ(cards_available(r), 48); }},
      {"all hearts", nullptr, suit(kHearts), nullptr,
       [](const GameRules& r) { EXPECT_EQ(cards_available(r), 39); }},
      {"rank short and negative reports the pack", one_spare, rank(kTwo),
       "Error: Not enough cards to remove rank and still deal hand.\n", nullptr},
      {"suit short and negative reports the pack", one_spare, suit(kHearts),
       "Error: Not enough cards to remove suit and still deal hand.\n", nullptr},
      {"rank short only", [](GameRules& r) { ASSERT_TRUE(set_players(r, 10)); }, rank(kThree),
       "Error: Not enough cards to remove rank and still deal hand.\n", nullptr},
      {"card with the pack exactly full and no copy left",
       [](GameRules& r) {
         ASSERT_TRUE(set_players(r, 10));
         ASSERT_TRUE(remove_card(r, kTwo, kHearts));
         ASSERT_TRUE(remove_card(r, kThree, kHearts));
       },
       card(kTwo, kHearts), "Error: No card available to remove.\n", nullptr},
      {"third card with 5 players of 10",
       [](GameRules& r) {
         ASSERT_TRUE(set_hand_size(r, 10));
         ASSERT_TRUE(remove_card(r, kTwo, kHearts));
         ASSERT_TRUE(remove_card(r, kThree, kHearts));
       },
       card(kFour, kHearts), "Error: Not enough cards to remove card and still deal hand.\n",
       nullptr},
      {"added copy can be removed again", [](GameRules& r) { add_card(r, kTwo, kHearts); },
       card(kTwo, kHearts), nullptr,
       [](const GameRules& r) { EXPECT_EQ(r.card_delta[kTwo][kHearts], 0); }},
  });
}

// A pack of exactly `cards` cards: one deck with the rest added as Twos of
// diamonds (the rank and suit operations then test the edge).
void fill_pack(GameRules& r, int cards) {
  r.card_delta[kTwo][kDiamonds] = cards - 52;
  ASSERT_EQ(cards_available(r), cards);
}

TEST(GameRules, PackHoldsAtMostOneHundredThousandCards) {
  const char* full = "Error: A pack holds at most 100000 cards.\n";
  auto card = [](GameRules& r) { return add_card(r, kThree, kHearts); };
  auto rank = [](GameRules& r) { return add_rank(r, kThree); };
  auto suit = [](GameRules& r) { return add_suit(r, kHearts); };
  auto decks = [](int n) { return [n](GameRules& r) { return set_decks(r, n); }; };
  auto jokers = [](int n) { return [n](GameRules& r) { return set_jokers(r, n); }; };
  auto pack_is = [](int n) {
    return [n](const GameRules& r) { EXPECT_EQ(cards_available(r), n); };
  };
  expect_all({
      {"a card fills the pack", [](GameRules& r) { fill_pack(r, 99999); }, card, nullptr,
       pack_is(100000)},
      {"one card too many", [](GameRules& r) { fill_pack(r, 100000); }, card, full, nullptr},
      {"a rank fills the pack", [](GameRules& r) { fill_pack(r, 99996); }, rank, nullptr,
       pack_is(100000)},
      {"a rank is refused whole", [](GameRules& r) { fill_pack(r, 99997); }, rank, full, nullptr},
      {"a suit fills the pack", [](GameRules& r) { fill_pack(r, 99987); }, suit, nullptr,
       pack_is(100000)},
      {"a suit is refused whole", [](GameRules& r) { fill_pack(r, 99988); }, suit, full, nullptr},
      {"an added copy of a removed card counts once it is back",
       [](GameRules& r) {
         fill_pack(r, 100000);
         r.card_delta[kThree][kHearts] = -1;
         ASSERT_EQ(cards_available(r), 99999);
       },
       card, nullptr, pack_is(100000)},
      // Added cards are added once, so more decks grow the pack by 52 each.
      {"decks 2 fills the pack", [](GameRules& r) { fill_pack(r, 99948); }, decks(2), nullptr,
       pack_is(100000)},
      {"decks 2 passes it", [](GameRules& r) { fill_pack(r, 99949); }, decks(2), full, nullptr},
      {"fewer decks are always allowed",
       [](GameRules& r) {
         ASSERT_TRUE(set_decks(r, 3));
         r.card_delta[kTwo][kDiamonds] = 100000 - 156;
       },
       decks(2), nullptr, pack_is(99948)},
      {"jokers fill the pack", [](GameRules& r) { fill_pack(r, 99900); }, jokers(100), nullptr,
       pack_is(100000)},
      {"jokers pass it", [](GameRules& r) { fill_pack(r, 99901); }, jokers(100), full, nullptr},
      {"the range comes first", [](GameRules& r) { fill_pack(r, 100000); }, jokers(101),
       "Error: Maximum of 100 jokers supported.\n", nullptr},
  });
}

TEST(GameRules, ClearingAddedCardsKeepsEnoughToDeal) {
  auto clear = [](GameRules& r) { return clear_add_remove(r); };
  expect_all({
      {"removed cards come back", [](GameRules& r) { ASSERT_TRUE(remove_suit(r, kHearts)); }, clear,
       nullptr, [](const GameRules& r) { EXPECT_EQ(cards_available(r), 52); }},
      {"twelve players of five lose twelve added cards",
       [](GameRules& r) {
         for (int rank = 0; rank < 12; ++rank) add_card(r, rank, kDiamonds);
         ASSERT_TRUE(set_players(r, 12));
       },
       clear, "Error: Not enough cards to clear added and removed cards and still deal hand.\n",
       [](const GameRules& r) { EXPECT_EQ(cards_available(r), 64); }},
      {"jokers can make up for the added cards",
       [](GameRules& r) {
         for (int rank = 0; rank < 12; ++rank) add_card(r, rank, kDiamonds);
         ASSERT_TRUE(set_players(r, 12));
         ASSERT_TRUE(set_jokers(r, 8));
       },
       clear, nullptr, [](const GameRules& r) { EXPECT_EQ(cards_available(r), 60); }},
  });
}

// What the refusal transcripts leave out: which text wins when several
// apply, and the edges where a change near a hold is still accepted.
TEST(GameRules, HoldsAndTheBoardRefuseAfterTheOwnTexts) {
  auto rem_ace = [](GameRules& r) { return remove_card(r, kAce, kSpades); };
  auto clear = [](GameRules& r) { return clear_add_remove(r); };
  expect_all({
      {"a full pack before the hold",
       [](GameRules& r) {
         ASSERT_TRUE(set_players(r, 10));
         ASSERT_TRUE(set_board(r, 2));
         hold(r, 3, "As");
       },
       rem_ace, "Error: Not enough cards to remove card and still deal hand.\n", nullptr},
      {"the range before the 20 cards", [](GameRules& r) { ASSERT_TRUE(set_board(r, 5)); },
       [](GameRules& r) { return set_hand_size(r, 21); },
       "Error: Only 1-20 card hands supported.\n", nullptr},
      {"a board of 19 with one-card hands", [](GameRules& r) { ASSERT_TRUE(set_hand_size(r, 1)); },
       [](GameRules& r) { return set_board(r, 19); }, nullptr,
       [](const GameRules& r) { EXPECT_EQ(cards_dealt(r), 24); }},
      {"the second copy of a card held once",
       [](GameRules& r) {
         ASSERT_TRUE(set_decks(r, 2));
         hold(r, 3, "As");
       },
       rem_ace, nullptr, nullptr},
      {"removed cards come back beside a hold",
       [](GameRules& r) {
         ASSERT_TRUE(remove_card(r, kKing, kHearts));
         hold(r, 1, "As");
       },
       clear, nullptr, [](const GameRules& r) { EXPECT_EQ(r.holds[0].count, 1); }},
  });
}

// set_hold on its own: a seat's own old hold never counts against its new
// one, and the pack's copies count added and removed cards.
TEST(GameRules, HoldsFitTheSeatTheHandAndThePack) {
  struct HoldCase {
    std::function<void(GameRules&)> setup;
    int seat;
    const char* cards;
    const char* refusal;  // "": accepted
  };
  const HoldCase cases[] = {
      {[](GameRules& r) { ASSERT_TRUE(set_board(r, 3)); }, 0, "2c 3c 4c 5c",
       "Error: The board holds at most 3 cards.\n"},
      {[](GameRules& r) { hold(r, 2, "As Ad"); }, 2, "Ad As", ""},
      {[](GameRules& r) { ASSERT_TRUE(add_card(r, kAce, kSpades)); }, 1, "As as", ""},
      {[](GameRules& r) { ASSERT_TRUE(remove_card(r, kAce, kSpades)); }, 1, "As",
       "Error: The pack holds no more As.\n"},
      {[](GameRules& r) { ASSERT_TRUE(set_decks(r, 2)); }, 1, "2c Kh kh", ""},
  };
  for (const HoldCase& c : cases) {
    SCOPED_TRACE(c.cards);
    GameRules rules;
    c.setup(rules);
    const GameRules before = rules;
    HeldCards cards;
    std::string error;
    ASSERT_TRUE(parse_held_cards(c.cards, cards, error));
    EXPECT_EQ(set_hold(rules, c.seat, cards), c.refusal);
    const HeldCards& held = c.seat == 0 ? rules.board_hold : rules.holds[c.seat - 1];
    EXPECT_TRUE(*c.refusal == '\0' ? held == cards : rules == before);
    EXPECT_TRUE(invariant_holds(rules));
  }
}

// Cards read in either case come back as rank and lower-case suit in the
// order typed, kind = rank * 4 + suit and kJokerKind for "*".
TEST(GameRules, HeldCardsReadAndShowAsTyped) {
  HeldCards cards;
  std::string error;
  ASSERT_TRUE(parse_held_cards(" as\ttD *  2H ", cards, error));
  EXPECT_EQ(held_cards_text(cards), "As Td * 2h");
  EXPECT_EQ(cards.kinds[0], kAce * 4 + kSpades);
  EXPECT_EQ(cards.kinds[2], kJokerKind);
  EXPECT_EQ(cards.kinds[3], kTwo * 4 + kHearts);
  const HeldCards kept = cards;
  for (const char* bad : {"As 1s", "As Asd", "As **", "As A"}) {
    EXPECT_FALSE(parse_held_cards(bad, cards, error)) << bad;
    EXPECT_EQ(error, "Error: \"" + std::string(bad + 3) + "\" is not a card.\n");
    EXPECT_TRUE((cards == kept));
  }
  const std::string twenty = "2c 2c 2c 2c 2c 2c 2c 2c 2c 2c 2c 2c 2c 2c 2c 2c 2c 2c 2c 2c";
  EXPECT_TRUE(parse_held_cards(twenty, cards, error));
  EXPECT_FALSE(parse_held_cards(twenty + " 2c", cards, error));
}

// A run is refused only with a board and a use rule that asks for more own
// or board cards than the game deals.
TEST(GameRules, UseRuleNeedsItsCards) {
  struct UseCase {
    int hand, board, use;
    const char* refusal;
  };
  const UseCase cases[] = {
      {1, 0, 3, ""},
      {4, 3, 2, ""},
      {1, 5, kUseAny, ""},
      {4, 2, 2, "Error: use 2 needs at least 2 own cards and 3 board cards.\n"},
      {5, 3, 1, "Error: use 1 needs at least 1 own cards and 4 board cards.\n"},
      {5, 1, 5, ""},
      {4, 1, 5, "Error: use 5 needs at least 5 own cards and 0 board cards.\n"},
  };
  for (const UseCase& c : cases) {
    GameRules rules;
    ASSERT_TRUE(set_players(rules, 1) && set_hand_size(rules, c.hand) &&
                set_board(rules, c.board) && set_use(rules, c.use));
    EXPECT_EQ(use_refusal(rules), c.refusal) << c.hand << " " << c.board << " " << c.use;
  }
}

TEST(GameRules, WildFlagsNeverTouchJokersOrCounts) {
  GameRules rules;
  ASSERT_TRUE(set_jokers(rules, 2));
  set_wild_rank(rules, 5);
  set_wild_suit(rules, kDiamonds);
  set_wild_card(rules, 12, kHearts);
  int flags = 0;
  for (const auto& rank : rules.wild)
    for (const auto flag : rank) flags += flag;
  EXPECT_EQ(flags, 4 + 13 - 1 + 1);
  EXPECT_EQ(cards_available(rules), 54);
  clear_wilds(rules);
  GameRules expected;
  expected.jokers = 2;
  EXPECT_TRUE((rules == expected));
}

// Random sequences of changes against a model that decides acceptance from
// the definition alone: a change in range is accepted exactly when the game
// it leads to can still deal every hand and the board, holds no kind below
// zero and can lay out every hold. Holds draw on a few kinds (a joker among
// them) so that they collide with each other and with the pack's changes.
TEST(GameRules, RandomChangesKeepTheInvariantAndRefuseAsAWhole) {
  std::mt19937 rng(20261209);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  GameRules rules;
  for (int step = 0; step < 20000; ++step) {
    const GameRules before = rules;
    GameRules model = rules;
    bool in_range = true;
    bool accepted = true;
    const int op = pick(0, 15);
    const int rank = pick(0, 12), suit = pick(0, 3);
    const int n = pick(-3, 60);
    std::string hold_text;
    switch (op) {
      case 0:
        in_range = n >= 1 && n <= 50;
        model.decks = n;
        accepted = set_decks(rules, n);
        break;
      case 1:
        in_range = n >= 1 && n <= 50;
        model.players = n;
        accepted = set_players(rules, n);
        break;
      case 2:
        in_range = n >= 1 && n <= 20;
        model.hand_size = n;
        accepted = set_hand_size(rules, n);
        break;
      case 3:
        in_range = n >= 0 && n <= 100;
        model.jokers = n;
        accepted = set_jokers(rules, n);
        break;
      case 4:
        --model.card_delta[rank][suit];
        accepted = remove_card(rules, rank, suit);
        break;
      case 5:
        for (auto& d : model.card_delta[rank]) --d;
        accepted = remove_rank(rules, rank);
        break;
      case 6:
        for (auto& r : model.card_delta) --r[suit];
        accepted = remove_suit(rules, suit);
        break;
      case 7:
        ++model.card_delta[rank][suit];
        accepted = add_card(rules, rank, suit);
        break;
      case 8:
        for (auto& d : model.card_delta[rank]) ++d;
        accepted = add_rank(rules, rank);
        break;
      case 9:
        for (auto& r : model.card_delta) ++r[suit];
        accepted = add_suit(rules, suit);
        break;
      case 10:
        for (auto& r : model.card_delta)
          for (auto& d : r) d = 0;
        accepted = clear_add_remove(rules);
        break;
      case 12: {
        const int board = pick(-1, 20);
        in_range = board >= 0 && board <= kMaxBoard;
        model.board = board;
        accepted = set_board(rules, board);
        break;
      }
      case 13: {
        constexpr std::uint8_t kKinds[] = {12 * 4 + 1, kJokerKind, kHearts, 8 * 4 + kDiamonds};
        const int seat = pick(0, 6);
        HeldCards cards;
        cards.count = pick(0, 3);
        for (int i = 0; i < cards.count; ++i) cards.kinds[i] = kKinds[pick(0, 3)];
        in_range = seat <= rules.players;
        if (in_range) (seat == 0 ? model.board_hold : model.holds[seat - 1]) = cards;
        hold_text = set_hold(rules, seat, cards);
        accepted = hold_text.empty();
        break;
      }
      case 14:
        for (HeldCards& hold : model.holds) hold = HeldCards{};
        model.board_hold = HeldCards{};
        clear_holds(rules);
        break;
      case 15: {
        const int use = pick(-1, 6);
        in_range = use >= 0 && use <= kMaxUse;
        model.use = use;
        accepted = set_use(rules, use);
        break;
      }
      default:
        set_wild_card(rules, rank, suit);
        model.wild[rank][suit] = 1;
        break;
    }
    const bool expect_accepted = in_range && invariant_holds(model);
    ASSERT_EQ(accepted, expect_accepted) << "step " << step << " op " << op;
    ASSERT_EQ(deal_fits_pack(model), invariant_holds(model) && model.players >= 1 &&
                                         model.hand_size >= 1 && model.board >= 0)
        << "step " << step << " op " << op;
    if (accepted) {
      ASSERT_TRUE((rules == model)) << "step " << step;
    } else {
      ASSERT_TRUE((rules == before)) << "step " << step;
      ASSERT_TRUE(op == 13 || rules.error_text.text != nullptr);
      const std::string text = op == 13 ? hold_text : rules.error_text.text;
      ASSERT_EQ(text.rfind("Error: ", 0), 0u);
      ASSERT_EQ(text.back(), '\n');
    }
    ASSERT_EQ(cards_available(rules), count_pack(rules));
    ASSERT_TRUE(invariant_holds(rules));
    ASSERT_TRUE(deal_fits_pack(rules));
  }
}

// Two games are the same game when every rule agrees; the text of the last
// refusal is no rule.
TEST(GameRules, EqualityComparesEveryRuleButTheRefusalText) {
  const std::vector<std::function<void(GameRules&)>> changes = {
      [](GameRules& r) { r.decks = 2; },
      [](GameRules& r) { r.players = 4; },
      [](GameRules& r) { r.hand_size = 7; },
      [](GameRules& r) { r.jokers = 1; },
      [](GameRules& r) { r.run_length = 12; },
      [](GameRules& r) { r.wild[12][3] = 1; },
      [](GameRules& r) { r.wild[0][0] = 1; },
      [](GameRules& r) { r.card_delta[12][3] = -1; },
      [](GameRules& r) { r.card_delta[0][0] = 1; },
  };
  for (std::size_t i = 0; i < changes.size(); ++i) {
    GameRules changed;
    changes[i](changed);
    EXPECT_FALSE((changed == GameRules{})) << "change " << i;
    EXPECT_TRUE((changed == changed)) << "change " << i;
  }
  GameRules refused;
  EXPECT_FALSE(set_decks(refused, 0));
  EXPECT_NE(refused.error_text.text, nullptr);
  EXPECT_TRUE((refused == GameRules{}));
}

}  // namespace
}  // namespace orvix
