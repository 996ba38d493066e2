#pragma once
// Random hands for comparing evaluators: any size, wild cards with any rank
// and suit index, natural cards drawn with repetition (as from many decks),
// and a bias towards narrow rank and suit ranges so that flushes, straights,
// full houses and their wild-card forms turn up often.

#include <algorithm>
#include <random>
#include <vector>

#include <orvix/card.h>

namespace orvix::test {

struct HandShape {
  int size;   // 1..20
  int wilds;  // 0..size
};

inline std::vector<CardCode> random_hand(std::mt19937_64& rng, HandShape shape) {
  const auto pick = [&rng](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
  };
  const int rank_span = pick(0, 3) == 0 ? pick(5, 8) : kRankCount;
  const int rank_low = pick(0, kRankCount - rank_span);
  const int suit_span = pick(1, kSuitCount);
  std::vector<CardCode> cards;
  for (int i = 0; i < shape.size; ++i) {
    if (i < shape.wilds) {
      cards.push_back(make_card(pick(0, kRankCount - 1), pick(0, kSuitCount - 1), true));
    } else {
      cards.push_back(make_card(rank_low + pick(0, rank_span - 1), pick(0, suit_span - 1), false));
    }
  }
  std::shuffle(cards.begin(), cards.end(), rng);
  return cards;
}

}  // namespace orvix::test
