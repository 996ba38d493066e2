// The evaluator under a ranking: against the reference written from what an
// order means, on exact counts of whole packs, and the order reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include <orvix/ranking.h>

#include "support/brute_force.h"
#include "support/enumerate.h"
#include "support/random_hands.h"
#include "support/ranked_brute_force.h"

#ifndef ORVIX_RANKED_HANDS_PER_SHAPE
#define ORVIX_RANKED_HANDS_PER_SHAPE 40
#endif

namespace orvix::test {
namespace {

Ranking random_order(std::mt19937_64& rng, bool ace_six) {
  int order[kCategoryCount];
  for (int c = 0; c < kCategoryCount; ++c) order[c] = c;
  std::shuffle(order, order + kCategoryCount, rng);
  Ranking r{};
  EXPECT_TRUE(ranking_from_order(order, r, ace_six));
  return r;
}

// Wild cards of any kind and jokers, several decks, mostly few suits.
std::vector<CardCode> random_ranked_hand(std::mt19937_64& rng, int size, int wilds) {
  std::vector<CardCode> cards = random_hand(rng, {size, wilds});
  for (std::size_t i = 0; i < cards.size(); i += 2)
    if (is_wild(cards[i])) cards[i] = kJoker;
  return cards;
}

// Five to ten cards of five to seven neighbouring ranks, nearly all of one
// suit, at most one wild card: where a custom order must step around suited
// straights and flushes.
std::vector<CardCode> random_narrow_hand(std::mt19937_64& rng) {
  const auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(rng); };
  const int size = pick(5, 10), span = pick(5, 7), low = pick(-1, kRankCount - span);
  std::vector<CardCode> cards;
  for (int i = 0; i < size; ++i) {
    const int rank = low + pick(0, span - 1);  // -1: the Ace below the Two
    cards.push_back(make_card(rank < 0 ? kRankCount - 1 : rank, pick(0, 5) / 5, false));
  }
  if (pick(0, 2) == 0) cards[0] = kJoker;
  return cards;
}

TEST(Ranking, ReferenceFormsAgree) {
  std::mt19937_64 rng(20261210);
  const Ranking rankings[] = {shortdeck_ranking(), random_order(rng, false),
                              random_order(rng, true), low_ranking(), deuce_ranking()};
  for (int trial = 0; trial < 600; ++trial) {
    const Ranking& r = rankings[trial % 5];
    const int size = std::uniform_int_distribution(1, 7)(rng);
    const auto cards =
        random_ranked_hand(rng, size, std::uniform_int_distribution(0, 2)(rng) % (size + 1));
    ASSERT_EQ(ranked_brute_force_value(cards, r), literal_ranked_value(cards, r))
        << hand_text(cards);
  }
}

TEST(Ranking, EvaluatorMatchesReference) {
  std::mt19937_64 rng(20261211);
  const Ranking standard = standard_ranking();
  Ranking upside_down{};
  ASSERT_TRUE(parse_ranking_order("HC 1P 2P 3K ST FL FH 4K SF 5K", upside_down));
  std::vector<Ranking> rankings = {shortdeck_ranking(), upside_down};
  for (int i = 0; i < 6; ++i) rankings.push_back(random_order(rng, i % 2 == 1));
  rankings.push_back(low_ranking());
  rankings.push_back(deuce_ranking());
  // The same orders without their lookup tables, as a ranking built by hand.
  for (std::size_t i = 0, n = rankings.size(); i < n; ++i) {
    rankings.push_back(rankings[i]);
    rankings.back().tables = 0;
  }
  std::size_t next = 0;
  for (int size = 1; size <= kMaxHandSize; ++size)
    for (int wilds = 0; wilds <= 6 && wilds <= size; ++wilds)
      for (int i = 0; i < ORVIX_RANKED_HANDS_PER_SHAPE; ++i) {
        const auto cards = random_ranked_hand(rng, size, wilds);
        ASSERT_EQ(evaluate(cards.data(), size, standard), evaluate(cards.data(), size))
            << hand_text(cards);
        for (int k = 0; k < 4; ++k) {
          const Ranking& r = rankings[next++ % rankings.size()];
          ASSERT_EQ(evaluate(cards.data(), size, r), ranked_brute_force_value(cards, r))
              << hand_text(cards) << " order " << kCategoryCodes[r.order[0]] << " "
              << kCategoryCodes[r.order[1]] << " ace-six " << r.ace_six_straights;
        }
      }
  for (int i = 0; i < 25 * ORVIX_RANKED_HANDS_PER_SHAPE; ++i) {
    const auto cards = random_narrow_hand(rng);
    for (const Ranking& r : rankings)
      ASSERT_EQ(evaluate(cards.data(), static_cast<int>(cards.size()), r),
                ranked_brute_force_value(cards, r))
          << hand_text(cards) << " order " << kCategoryCodes[r.order[0]] << " ace-six "
          << r.ace_six_straights;
  }
}

// Own cards and a board under every use rule: under the standard order what
// evaluate_use gives, under short deck the reference's best of the hands the
// rule allows (every own and board card when any may play).
TEST(Ranking, UseRule) {
  std::mt19937_64 rng(20261212);
  const Ranking standard = standard_ranking(), sd = shortdeck_ranking();
  for (int trial = 0; trial < 300; ++trial) {
    const int use = trial % (kMaxUse + 1), own_count = std::max(use, 1) + trial % 3;
    const int board_count = kMaxUse - use + trial % 2;
    const auto own = random_ranked_hand(rng, own_count, trial % 4 == 0 ? 1 : 0);
    const auto board = random_ranked_hand(rng, board_count, 0);
    ASSERT_TRUE(use_fits(own_count, board_count, use));
    EXPECT_EQ(evaluate_use(own.data(), own_count, board.data(), board_count, use, standard),
              evaluate_use(own.data(), own_count, board.data(), board_count, use));
    HandValue best = 0;
    for (unsigned pick = 0; pick < 1u << (own_count + board_count); ++pick) {
      std::vector<CardCode> chosen;
      int from_own = 0;
      for (int i = 0; i < own_count + board_count; ++i)
        if (pick >> i & 1) {
          chosen.push_back(i < own_count ? own[i] : board[i - own_count]);
          from_own += i < own_count;
        }
      if (use == kUseAny ? pick + 1 == 1u << (own_count + board_count)
                         : chosen.size() == kMaxUse && from_own == use)
        best = std::max(best, ranked_brute_force_value(chosen, sd));
    }
    EXPECT_EQ(evaluate_use(own.data(), own_count, board.data(), board_count, use, sd), best)
        << hand_text(own) << " / " << hand_text(board) << " use " << use;
  }
}

// Worked by hand: each hand's category and top rank under an order.
TEST(Ranking, KnownHands) {
  struct Known {
    const char* order;
    bool ace_six;
    const char* hand;
    int category;
    int top;
  };
  const char* kHighCardFirst = "HC 1P 2P 3K ST FL FH 4K SF 5K";
  const char* kPairFirst = "1P 5K SF 4K FH FL ST 3K 2P HC";
  const Known known[] = {
      {kPairFirst, false, "Ah Kh Qh Jh 9h 9d", kOnePair, 7},  // a pair needs the Nine of diamonds
      {kPairFirst, false, "Ah Kh Qh Jh 9h", kFlush, 12},      // five natural cards keep theirs
      {kHighCardFirst, false, "Ah Kh Qh Jh *", kHighCard,
       12},  // A-K-Q-J-9, the wild in another suit
      {kHighCardFirst, false, "Ah Kh Qh Jh Th", kStraightFlush, 12},
      {kHighCardFirst, false, "Ah Ah Kh Qh Jh", kFlush, 12},  // two decks: a suited pair
      {kPairFirst, false, "Ah Ah Ah Kh Kh", kFullHouse, 12},
      {kPairFirst, false, "Kh Kh Kh 9h 7h Kd", kFourOfAKind, 11},  // a pair lacks a third kicker
      {"3K 5K SF 4K FH FL ST 2P 1P HC", false, "Kh Kd Kc 9s 9c 9d", kFullHouse, 11},
      {"3K 5K SF 4K FH FL ST 2P 1P HC", false, "Kh Kd 9s 9c 5h", kTwoPair, 11},
      {"3K 5K SF 4K FH FL ST 2P 1P HC", false, "Kh Kd 9s 9c 5h *", kThreeOfAKind, 11},
      {"FL 5K SF 4K FH ST 3K 2P 1P HC", false, "* * *", kThreeOfAKind, 12},
      {"FL 5K SF 4K FH ST 3K 2P 1P HC", false, "* * * * * *", kFlush, 12},
      {"5K SF 4K FL FH ST 3K 2P 1P HC", true, "Ah 6d 7c 8s 9h", kStraight, 7},
      {"5K SF 4K FL FH ST 3K 2P 1P HC", true, "Ah 2d 3c 4s 5h", kHighCard, 12},
      {"5K SF 4K FL FH ST 3K 2P 1P HC", true, "Kh Kd Kc 9h 9s 5h 2h Jh", kFlush, 11},
  };
  for (const Known& k : known) {
    Ranking r{};
    ASSERT_TRUE(parse_ranking_order(k.order, r)) << k.order;
    r.ace_six_straights = k.ace_six;
    const auto cards = hand(k.hand);
    const HandValue v = evaluate(cards.data(), static_cast<int>(cards.size()), r);
    EXPECT_EQ(hand_category(v, r), k.category) << k.hand;
    EXPECT_EQ(top_rank(v, r), k.top) << k.hand;
  }
  // A-6-7-8-9 is short deck's lowest straight, below Six to Ten.
  const Ranking sd = shortdeck_ranking();
  const auto lowest = hand("Ah 6d 7c 8s 9h"), next = hand("6d 7c 8s 9h Th");
  EXPECT_LT(evaluate(lowest.data(), 5, sd), evaluate(next.data(), 5, sd));
}

// The 36-card pack from Six to Ace under short deck, and the full pack under
// an order turned upside down: five natural cards keep their categories.
TEST(Ranking, WholePacksOfFiveCards) {
  std::vector<CardCode> short_pack, full_pack;
  for (int r = 0; r < kRankCount; ++r)
    for (int s = 0; s < kSuitCount; ++s) {
      full_pack.push_back(make_card(r, s, false));
      if (r >= 4) short_pack.push_back(make_card(r, s, false));
    }
  const Ranking sd = shortdeck_ranking();
  long long counts[kCategoryCount] = {};
  for_each_combination_5(short_pack.data(), 36, [&](const CardCode* h) {
    ++counts[hand_category(evaluate(h, 5, sd), sd)];
  });
  const long long want_short[kCategoryCount] = {122400, 193536, 36288, 16128, 6120,
                                                480,    1728,   288,   24,    0};
  for (int c = 0; c < kCategoryCount; ++c) EXPECT_EQ(counts[c], want_short[c]) << kCategoryNames[c];

  Ranking upside_down{};
  ASSERT_TRUE(parse_ranking_order("HC,1P,2P,3K,ST,FL,FH,4K,SF,5K", upside_down));
  long long differ = 0;
  std::fill(counts, counts + kCategoryCount, 0);
  for_each_combination_5(full_pack.data(), kCardKinds, [&](const CardCode* h) {
    const HandValue standard = evaluate(h, 5), v = evaluate(h, 5, upside_down);
    ++counts[hand_category(v, upside_down)];
    differ += hand_category(v, upside_down) != hand_category(standard) ||
              (v ^ standard) << (32 - kCategoryShift) != 0;
  });
  const long long want_full[kCategoryCount] = {1302540, 1098240, 123552, 54912, 10200,
                                               5108,    3744,    624,    40,    0};
  for (int c = 0; c < kCategoryCount; ++c) EXPECT_EQ(counts[c], want_full[c]) << kCategoryNames[c];
  EXPECT_EQ(differ, 0);
}

TEST(Ranking, ReadsOrders) {
  Ranking r{};
  for (const char* good : {"5K SF 4K FH FL ST 3K 2P 1P HC", "5k,sf, 4K ,FH,FL ST 3K,2P 1P\tHC",
                           "Five of a Kind, straight flush,FOUR OF A KIND,Full House,Flush,"
                           "Straight,Three of a Kind,Two Pair,One Pair,High Card"}) {
    EXPECT_TRUE(parse_ranking_order(good, r)) << good;
    EXPECT_EQ(r, standard_ranking()) << good;
  }
  const Ranking before = shortdeck_ranking();
  for (const char* bad : {"", "5K SF 4K FH FL ST 3K 2P 1P", "5K SF 4K FH FL ST 3K 2P 1P HC HC",
                          "5K SF 4K FH FL ST 3K 2P 1P 1P", "5K SF 4K FH FL ST 3K 2P 1P XX",
                          "Five of a Kind Straight Flush", "5K SF 4K FH FL ST 3K 2P 1P HC,",
                          "Five of a Kind,Straight Flush,Four of a Kind,Full House,Flush,"
                          "Straight,Three of a Kind,Two Pair,One Pair,High Card,"}) {
    r = before;
    EXPECT_FALSE(parse_ranking_order(bad, r)) << bad;
    EXPECT_EQ(r, before) << bad;
  }
  EXPECT_NE(standard_ranking(), shortdeck_ranking());
}

}  // namespace
}  // namespace orvix::test
