#pragma once
// The decision half of the evaluators for five to twenty cards: from the
// counted rank and suit masks to a HandValue. Internal to the evaluator.

#include <cassert>
#include <cstdint>

#include <orvix/internal/tables.h>

namespace orvix {

// At-least masks of a hand: bit b of a[k-1] is set when bit b is set in at
// least k of the cards (a[4]: five or more). Rank bits count ranks and suit
// bits count suits; wild cards carry neither, so only `wilds` counts them.
// Other bits hold noise from the index fields and are masked off by readers.
struct HandCounts {
  std::uint32_t a1, a2, a3, a4, a5;
  int wilds;
};

// The common case: no wild card, no flush, no rank four times.
//   r1, r2, r3: the ranks held at least once, twice, three times.
// A triple is rare enough to earn a branch. Without one, Straight, Two Pair,
// One Pair and High Card follow each other like coin flips, so they are
// chosen by arithmetic and selects: a mispredicted branch costs more than
// the work.
inline HandValue decide_common(unsigned r1, unsigned r2, unsigned r3) {
  const HandValue straight = kStraightValues[straight_reach(r1, 0)];  // 0 if none
  if (r3 != 0) [[unlikely]] {
    const unsigned triple = top(r3, 1);
    const unsigned pair = r2 & ~triple;  // a second triple counts as the pair
    if (pair != 0) return hand_value(kFullHouse, triple, triple | top(pair, 1));
    const HandValue trips = hand_value(kThreeOfAKind, triple, triple | top(r1 & ~triple, 2));
    return trips > straight ? trips : straight;
  }
  const unsigned pairs = unsigned{r2 != 0} + multi_bit(r2);  // 0, 1, or 2 for two and more
  const unsigned major = top(r2, 2);                         // the one or two best pairs
  // The kickers fill five cards: 5 ranks for High Card, 3 beside a pair, 1
  // beside two. They come from the singles, except that beside two pairs a
  // third pair's rank may be the best kicker. Reading the singles' row does
  // not wait for `major`: that lookup is the likely cache miss.
  const unsigned from_singles = top(r1 & ~r2, 5 - 2 * pairs);
  const unsigned third_pair = top(r2 ^ major, 1);
  const unsigned kickers = from_singles > third_pair ? from_singles : third_pair;
  HandValue value = hand_value(static_cast<int>(pairs), major, major | kickers);
  value <<= (pairs == 0) * kMajorShift;  // High Card: the five ranks are the major ranks
  return value > straight ? value : straight;
}

// decide_common for exactly five cards, where every card plays: the kickers
// are simply the ranks held once, so minor_ranks is all ranks held (r1) in
// every category here, and no kicker lookup is needed.
inline HandValue decide_common_5(unsigned r1, unsigned r2, unsigned r3) {
  const unsigned pairs = unsigned{r2 != 0} + multi_bit(r2);  // 0, 1 or 2
  // A triple: Full House when a pair stands beside it, else Three of a Kind.
  const unsigned category = r3 == 0    ? pairs
                            : r2 != r3 ? unsigned{kFullHouse}
                                       : unsigned{kThreeOfAKind};
  const unsigned major = r3 == 0 ? r2 : r3;
  HandValue value = hand_value(static_cast<int>(category), major, r1);
  value <<= (r2 == 0) * kMajorShift;  // High Card: the five ranks are the major ranks
  const HandValue straight = kStraightValues[straight_reach(r1, 0)];  // only without pairs
  return value > straight ? value : straight;
}

// True when the common case does not apply: a wild card, five natural cards
// of one suit, or four of one rank. a1, a4, a5: the at-least masks.
inline bool needs_rare(std::uint32_t a1, std::uint32_t a4, std::uint32_t a5) {
  return ((a1 & kWildFlag) | (a5 & kSuitBitsMask) | (a4 & kRankBitsMask)) != 0;
}

// Everything else: wild cards, flushes, four or five of a kind. `cards` and
// `count` are read again only when a flush test needs the suits' own masks.
// `count`: 5 to 20.
HandValue decide_rare(const HandCounts& counts, const CardCode* cards, int count);

}  // namespace orvix
