// One to four cards: every card counts, and only High Card, One Pair, Two
// Pair, Three of a Kind and Four of a Kind exist. A wild card joins the
// highest group; wild cards alone are Aces. minor_ranks is the rank mask of
// the natural cards (0 for High Card).
#include <cassert>

#include <orvix/internal/evaluators.h>
#include <orvix/internal/tables.h>

namespace orvix {
namespace {

struct SmallCounts {
  unsigned r1, r2, r3, r4;  // ranks held at least 1..4 times
  int wilds;
};

inline SmallCounts count_small(const CardCode* c, int n) {
  assert(c != nullptr);
  std::uint32_t a1 = 0, a2 = 0, a3 = 0, a4 = 0;
  int wilds = 0;
  for (int i = 0; i < n; ++i) {  // n <= 4 and constant after inlining: unrolled
    a4 |= a3 & c[i];
    a3 |= a2 & c[i];
    a2 |= a1 & c[i];
    a1 |= c[i];
    wilds += static_cast<int>(c[i] >> kWildShift & 1);
  }
  return {a1 & kRankBitsMask, a2 & kRankBitsMask, a3 & kRankBitsMask, a4 & kRankBitsMask, wilds};
}

}  // namespace

HandValue evaluate_1(const CardCode* cards) {
  const SmallCounts h = count_small(cards, 1);
  return hand_value(kHighCard, h.wilds != 0 ? kAceBit : h.r1, 0);
}

HandValue evaluate_2(const CardCode* cards) {
  const SmallCounts h = count_small(cards, 2);
  switch (h.wilds) {
    case 0:
      if (h.r2 == 0) return hand_value(kHighCard, h.r1, 0);
      return hand_value(kOnePair, h.r2, h.r1);
    case 1:
      return hand_value(kOnePair, h.r1, h.r1);
    default:
      return hand_value(kOnePair, kAceBit, kAceBit);
  }
}

HandValue evaluate_3(const CardCode* cards) {
  const SmallCounts h = count_small(cards, 3);
  switch (h.wilds) {
    case 0:
      if (h.r2 == 0) return hand_value(kHighCard, h.r1, 0);
      if (h.r3 != 0) return hand_value(kThreeOfAKind, h.r3, h.r1);
      return hand_value(kOnePair, h.r2, h.r1);
    case 1:
      if (h.r2 != 0) return hand_value(kThreeOfAKind, h.r2, h.r1);
      return hand_value(kOnePair, top(h.r1, 1), h.r1);
    case 2:
      return hand_value(kThreeOfAKind, h.r1, h.r1);
    default:
      return hand_value(kThreeOfAKind, kAceBit, kAceBit);
  }
}

HandValue evaluate_4(const CardCode* cards) {
  const SmallCounts h = count_small(cards, 4);
  switch (h.wilds) {
    case 0:
      if (h.r2 == 0) return hand_value(kHighCard, h.r1, 0);
      if (h.r3 == 0) {
        if (multi_bit(h.r2)) return hand_value(kTwoPair, h.r2, h.r1);
        return hand_value(kOnePair, h.r2, h.r1);
      }
      if (h.r4 != 0) return hand_value(kFourOfAKind, h.r4, h.r1);
      return hand_value(kThreeOfAKind, h.r3, h.r1);
    case 1:
      if (h.r2 == 0) return hand_value(kOnePair, top(h.r1, 1), h.r1);
      if (h.r3 != 0) return hand_value(kFourOfAKind, h.r3, h.r1);
      return hand_value(kThreeOfAKind, h.r2, h.r1);
    case 2:
      if (h.r2 != 0) return hand_value(kFourOfAKind, h.r2, h.r1);
      return hand_value(kThreeOfAKind, top(h.r1, 1), h.r1);
    case 3:
      return hand_value(kFourOfAKind, h.r1, h.r1);
    default:
      return hand_value(kFourOfAKind, kAceBit, kAceBit);
  }
}

}  // namespace orvix
