// The table paths for five and seven cards against the general path they
// are built from: every five-card hand of one deck, and millions of random
// hands with jokers, wild deuces and several decks; the brute force judges a
// share of them too. Seven cards of one deck exhaustively: seven_card_test.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <thread>
#include <vector>

#include <orvix/evaluate.h>
#include <orvix/internal/evaluators.h>
#include <orvix/internal/fast_eval.h>

#include "support/brute_force.h"
#include "support/enumerate.h"
#include "support/random_hands.h"

namespace orvix::test {
namespace {

std::vector<CardCode> one_deck(bool deuces_wild) {
  std::vector<CardCode> deck;
  for (int r = 0; r < kRankCount; ++r)
    for (int s = 0; s < kSuitCount; ++s) deck.push_back(make_card(r, s, deuces_wild && r == 0));
  return deck;
}

TEST(FastEval, EveryFiveCardHandOfOneDeckMatchesTheGeneralPath) {
  const std::vector<CardCode> deck = one_deck(false);
  const evaluate_hand selected = select_evaluator(5);
  long long hands = 0, mismatches = 0;
  for_each_combination_5(deck.data(), kCardKinds, [&](const CardCode* h) {
    ++hands;
    const HandValue want = evaluate_5_general(h);
    if (evaluate_5_fast(h) != want || selected(h) != want) {
      if (++mismatches <= 5) ADD_FAILURE() << hand_text(std::vector<CardCode>(h, h + 5));
    }
  });
  EXPECT_EQ(hands, 2598960);
  EXPECT_EQ(mismatches, 0);
}

// One deck with `jokers` jokers among `size` cards, the rest dealt at random;
// deuces wild on request. Both table sizes, 0 to 3 wild cards and more.
std::vector<CardCode> deal(std::mt19937_64& rng, std::vector<CardCode>& deck, int size,
                           int jokers) {
  std::vector<CardCode> hand;
  for (int i = 0; i < size - jokers; ++i) {
    const int j = std::uniform_int_distribution<int>(i, static_cast<int>(deck.size()) - 1)(rng);
    std::swap(deck[i], deck[j]);
    hand.push_back(deck[i]);
  }
  hand.insert(hand.end(), static_cast<std::size_t>(jokers), kJoker);
  std::shuffle(hand.begin(), hand.end(), rng);
  return hand;
}

HandValue fast(const std::vector<CardCode>& hand) {
  return hand.size() == 5 ? evaluate_5_fast(hand.data()) : evaluate_7_fast(hand.data());
}
HandValue general(const std::vector<CardCode>& hand) {
  return hand.size() == 5 ? evaluate_5_general(hand.data()) : evaluate_7_general(hand.data());
}

TEST(FastEval, RandomOneDeckHandsWithJokersAndWildDeucesMatchTheGeneralPath) {
  std::mt19937_64 rng(11);
  for (const bool deuces_wild : {false, true}) {
    std::vector<CardCode> deck = one_deck(deuces_wild);
    for (const int size : {5, 7}) {
      for (int jokers = 0; jokers <= 4; ++jokers) {
        for (int i = 0; i < 150000; ++i) {
          const std::vector<CardCode> hand = deal(rng, deck, size, jokers);
          ASSERT_EQ(fast(hand), general(hand)) << hand_text(hand);
        }
      }
    }
  }
}

// random_hand leans towards few suits and narrow ranks, so possible flushes,
// repeated suited cards, four of a rank and two flushable suits are common:
// every route the table paths take, with up to seven wild cards.
TEST(FastEval, RandomHandsOfSeveralDecksMatchTheGeneralPathAndTheBruteForce) {
  std::mt19937_64 rng(12);
  for (const int size : {5, 7}) {
    for (int wilds = 0; wilds <= size; ++wilds) {
      const int hands = wilds <= 3 ? 200000 : 20000;
      for (int i = 0; i < hands; ++i) {
        const std::vector<CardCode> hand = random_hand(rng, {size, wilds});
        const HandValue want = general(hand);
        ASSERT_EQ(fast(hand), want) << hand_text(hand);
        if (i % 50 == 0) {
          ASSERT_EQ(want, brute_force_value(hand)) << hand_text(hand);
        }
      }
    }
  }
}

// Hands that take each route, by hand: the expected values come from the
// brute force, the point is that each route is reached.
TEST(FastEval, EachRouteOnAHandOfItsOwn) {
  const char* const hands[] = {
      "As Ks Qs Js 9s",        // a flush, read from the suit table
      "As Ks Qs Js Ts 9d 9c",  // a straight flush beside a pair
      "* Ks Qs Js 9s 9d 9c",   // a possible flush, but the ranks make Four Nines
      "* * * As Kd 2s 3d",     // two suits could make a flush: the general path
      "Ah Ah Kh Qh Jh 2c 3c",  // a repeated suited card: the general path
      "7c 7d 7h 7s 2c 3d 4h",  // four of a rank: the general path
      "* * * * 2c 3d 4h",      // four wild cards
      "* * Ah Kh Qh 2c 3d",    // wild cards to a royal flush
      "* 9h 9d 5h 5d Kh 2h",   // a possible flush beaten by a Full House
  };
  for (const char* text : hands) {
    std::vector<CardCode> hand;
    std::string word;
    for (const char* p = text;; ++p) {
      if (*p != ' ' && *p != '\0') {
        word += *p;
      } else {
        CardCode c = 0;
        ASSERT_TRUE(parse_card(word, c)) << word;
        hand.push_back(c);
        word.clear();
        if (*p == '\0') break;
      }
    }
    EXPECT_EQ(fast(hand), brute_force_value(hand)) << text;
    EXPECT_EQ(fast(hand), general(hand)) << text;
  }
}

// The count words: a natural card adds one to its rank's and its suit's
// counter, every wild card one to the wild count and to every suit.
TEST(FastEval, CountWordsOfEveryCard) {
  build_eval_tables();
  const fast_eval::FastTables& t = fast_eval::tables();
  const std::uint64_t wild = std::uint64_t{1} << 56 | std::uint64_t{0x1111}
                                                          << 40;  // 0x0111110000000000
  for (int r = 0; r < kRankCount; ++r) {
    for (int s = 0; s < kSuitCount; ++s) {
      EXPECT_EQ(t.card_words[fast_eval::card_slot(make_card(r, s, false))],
                std::uint64_t{1} << (3 * r) | std::uint64_t{1} << (40 + 4 * s));
      EXPECT_EQ(t.card_words[fast_eval::card_slot(make_card(r, s, true))], wild);
    }
  }
  EXPECT_EQ(t.card_words[fast_eval::card_slot(kJoker)], wild);
}

}  // namespace
}  // namespace orvix::test
