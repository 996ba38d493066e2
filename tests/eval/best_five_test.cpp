// best_five on random hands of every size, with wild cards, jokers and
// repeated cards: the value is the brute force's, and the cards shown,
// played as what they stand for, make exactly that value; under other
// rankings, the value is the ranked evaluator's and the cards shown make it.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <orvix/best_five.h>
#include <orvix/ranking.h>

#include "support/brute_force.h"
#include "support/random_hands.h"

namespace orvix::test {
namespace {

// Everything one answer must satisfy; the first broken rule, or empty.
// Under a ranking other than the standard one, the played cards are valued
// as five natural cards by the ranked evaluator (a wild card of any suit
// given one that makes no flush).
std::string broken_rule(const std::vector<CardCode>& hand, const BestFive& best,
                        const Ranking* ranking = nullptr) {
  const int category =
      ranking != nullptr ? hand_category(best.value, *ranking) : hand_category(best.value);
  const bool suited = category == kFlush || category == kStraightFlush;
  if (best.count != std::min<int>(static_cast<int>(hand.size()), 5)) return "card count";
  std::vector<CardCode> unplayed = hand;
  int ranks[5], count_of_rank[kRankCount] = {};
  bool one_suit = true;
  for (int i = 0; i < best.count; ++i) {
    const PlayedCard& p = best.cards[i];
    const auto held = std::find(unplayed.begin(), unplayed.end(), p.card);
    if (held == unplayed.end()) return "a card the hand does not hold";
    unplayed.erase(held);
    if (!is_wild(p.card) &&
        (p.rank != card_rank_index(p.card) || p.suit != card_suit_index(p.card)))
      return "a natural card playing as another";
    if (is_wild(p.card) && (p.suit == kAnySuit) == (suited && best.count == 5))
      return "a wild card's suit";
    ranks[i] = p.rank;
    ++count_of_rank[p.rank];
    one_suit = one_suit && p.suit != kAnySuit && p.suit == best.cards[0].suit;
  }
  HandValue played =
      best.count == 5 ? five_card_value(ranks, one_suit) : small_hand_value(ranks, best.count);
  if (ranking != nullptr) {
    int natural_suit = -1;
    for (int i = 0; i < best.count && natural_suit < 0; ++i)
      if (!is_wild(best.cards[i].card)) natural_suit = best.cards[i].suit;
    CardCode naturals[5];
    for (int i = 0; i < best.count; ++i) {
      const PlayedCard& p = best.cards[i];
      const int off_suit = natural_suit >= 0 ? (natural_suit + 1) % kSuitCount : i % kSuitCount;
      naturals[i] = make_card(p.rank, p.suit != kAnySuit ? p.suit : off_suit, false);
    }
    played = evaluate(naturals, best.count, *ranking);
  }
  if (played != best.value) return "the cards played make another value";
  // (Unless, under another ranking, that natural card would make five of
  // one suit, a Flush, in a hand valued below one.)
  const auto would_be_flush = [&](const PlayedCard& wild, CardCode natural) {
    for (const PlayedCard& p : best.cards)
      if (&p != &wild && (is_wild(p.card) || p.suit != card_suit_index(natural))) return false;
    return ranking != nullptr && ranking->kind != RankingKind::kAceToFive && category < kFlush &&
           best.count == 5;
  };
  for (const PlayedCard& p : best.cards)
    for (CardCode c : unplayed)
      if (is_wild(p.card) && !is_wild(c) && p.rank == card_rank_index(c) &&
          (p.suit == kAnySuit || p.suit == card_suit_index(c)) && !would_be_flush(p, c))
        return "a wild card played where a natural card could be";
  // Reading order: group size, rank (the Ace of a Five-high straight, or of
  // short deck's Nine-high one, or under ace-to-five lowest), natural before
  // wild, suit.
  const int low_rank = ranking != nullptr && ranking->ace_six_straights ? 4 : 0;
  const bool ace_low =
      ((category == kStraight || category == kStraightFlush) && count_of_rank[12] == 1 &&
       count_of_rank[low_rank] == 1 && count_of_rank[low_rank + 3] == 1) ||
      (ranking != nullptr && ranking->kind == RankingKind::kAceToFive);
  const auto key = [&](const PlayedCard& p) {
    const int rank = ace_low && p.rank == 12 ? -1 : p.rank;
    return std::vector<int>{-count_of_rank[p.rank], -rank, is_wild(p.card), p.suit};
  };
  for (int i = 1; i < best.count; ++i)
    if (key(best.cards[i - 1]) > key(best.cards[i])) return "reading order";
  return {};
}

TEST(BestFive, RandomHandsPlayExactlyTheirValue) {
  std::mt19937_64 rng(2312);
  for (int i = 0; i < 6000; ++i) {
    const int size = 1 + i % kMaxHandSize;
    std::vector<CardCode> hand = random_hand(rng, {size, static_cast<int>(rng() % 5) % (size + 1)});
    for (CardCode& c : hand)
      if (is_wild(c) && rng() % 3 == 0) c = kJoker;
    const BestFive best = best_five(hand.data(), size);
    ASSERT_EQ(best.value, brute_force_value(hand)) << hand_text(hand);
    ASSERT_EQ(broken_rule(hand, best), "") << hand_text(hand) << " -> " << best_five_text(best);
  }
}

TEST(BestFive, RankedHandsPlayExactlyTheirRankedValue) {
  std::mt19937_64 rng(2412);
  Ranking reversed;
  ASSERT_TRUE(parse_ranking_order("HC 1P 2P 3K ST FL FH 4K SF 5K", reversed));
  for (const Ranking& ranking : {shortdeck_ranking(), reversed, low_ranking(), deuce_ranking()}) {
    for (int i = 0; i < 6000; ++i) {
      const int size = 1 + i % kMaxHandSize;
      std::vector<CardCode> hand =
          random_hand(rng, {size, static_cast<int>(rng() % 5) % (size + 1)});
      for (CardCode& c : hand)
        if (is_wild(c) && rng() % 3 == 0) c = kJoker;
      const BestFive best = best_five(hand.data(), size, ranking);
      ASSERT_EQ(best.value, evaluate(hand.data(), size, ranking)) << hand_text(hand);
      ASSERT_EQ(broken_rule(hand, best, &ranking), "")
          << hand_text(hand) << " -> " << best_five_text(best);
    }
  }
}

}  // namespace
}  // namespace orvix::test
