#include <gtest/gtest.h>

#include <set>

#include "reference/reference_deck.h"

namespace orvix {
namespace {

TEST(StandardDeck, LaysOutNaturalCardsRankMajor) {
  CardCode deck[kCardKinds];
  standard_deck(deck);
  // Known codes: Two of diamonds, Ace of spades, Ace of hearts.
  EXPECT_EQ(deck[0], 0x01000001u);
  EXPECT_EQ(deck[12 * 4 + 1], 0x120C1000u);
  EXPECT_EQ(deck[51], 0x380C1000u);
  std::set<CardCode> distinct;
  for (int i = 0; i < kCardKinds; ++i) {
    SCOPED_TRACE(i);
    EXPECT_FALSE(is_wild(deck[i]));
    EXPECT_EQ(card_rank_index(deck[i]), i / 4);
    EXPECT_EQ(card_suit_index(deck[i]), i % 4);
    EXPECT_EQ(deck[i] & kRankBitsMask, 1u << (i / 4));
    EXPECT_EQ(deck[i] & kSuitBitsMask, 1u << (24 + i % 4));
    distinct.insert(deck[i]);
  }
  EXPECT_EQ(distinct.size(), 52u);
}

TEST(MakeDeucesWild, WildsTheFourTwosAndNothingElse) {
  CardCode plain[kCardKinds];
  CardCode wild[kCardKinds];
  standard_deck(plain);
  standard_deck(wild);
  make_deuces_wild(wild);
  for (int i = 0; i < kCardKinds; ++i) {
    SCOPED_TRACE(i);
    if (i < 4) {
      // Suit and rank bits gone, wild flag set, indices kept.
      EXPECT_EQ(wild[i], (static_cast<CardCode>(i) << 28) | kWildFlag);
      EXPECT_EQ(card_suit_index(wild[i]), i);
      EXPECT_EQ(card_rank_index(wild[i]), 0);
    } else {
      EXPECT_EQ(wild[i], plain[i]);
    }
  }
  // A second call changes nothing more.
  CardCode again[kCardKinds];
  std::copy(wild, wild + kCardKinds, again);
  make_deuces_wild(again);
  EXPECT_TRUE(std::equal(wild, wild + kCardKinds, again));
}

TEST(BuildReferenceDeck, AppendsTheJokerOnlyWhenAsked) {
  struct Case {
    ReferenceGame game;
    int length;
    int wild_cards;
  };
  const Case cases[] = {
      {{false, 5, false, false}, 52, 0}, {{false, 5, false, true}, 53, 1},
      {{false, 5, true, false}, 52, 4},  {{false, 7, true, false}, 52, 4},
      {{false, 7, false, true}, 53, 1},  {{true, 5, false, false}, 52, 0},
  };
  for (const Case& c : cases) {
    CardCode cards[kCardKinds + 1] = {};
    const int n = build_reference_deck(c.game, cards);
    EXPECT_EQ(n, c.length);
    int wild = 0;
    for (int i = 0; i < n; ++i) wild += is_wild(cards[i]) ? 1 : 0;
    EXPECT_EQ(wild, c.wild_cards);
    if (c.game.joker_per_deck) {
      EXPECT_EQ(cards[52], 0x00800000u);
    }
  }
}

TEST(DealtCards, InfiniteDeckAlwaysDealsFive) {
  EXPECT_EQ(dealt_cards({true, 7, false, false}), 5);
  EXPECT_EQ(dealt_cards({true, 5, false, false}), 5);
  EXPECT_EQ(dealt_cards({false, 5, true, false}), 5);
  EXPECT_EQ(dealt_cards({false, 7, false, true}), 7);
}

}  // namespace
}  // namespace orvix
