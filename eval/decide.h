#pragma once
// The decision half of the evaluators for five to twenty cards: from the
// counted rank and suit masks to a HandValue. Internal to the evaluator.

#include <cstdint>

#include "card.h"
#include "tables.h"

namespace orvix {

// At-least masks of a hand: bit b of a[k-1] is set when bit b is set in at
// least k of the cards (a[4]: five or more). Rank bits count ranks and suit
// bits count suits; wild cards carry neither, so only `wilds` counts them.
// Other bits hold noise from the index fields and are masked off by readers.
struct HandCounts {
  std::uint32_t a1, a2, a3, a4, a5;
  int wilds;
};

constexpr HandValue hand_value(int category, unsigned major, unsigned minor) {
  return static_cast<HandValue>(category) << kCategoryShift | major << kMajorShift | minor;
}

// top(m, k): the k highest ranks of m; top(0x188A, 2) == 0x1800.
inline unsigned top(unsigned m, int k) { return eval_tables.top_bits[m][k - 1]; }

// The common case for a hand without wild cards, without a flush and without
// any rank three times: Straight, Two Pair, One Pair or High Card, chosen by
// selects rather than branches because these outcomes are near coin flips.
//   r1, r2: the ranks held at least once and twice.
inline HandValue decide_plain(unsigned r1, unsigned r2) {
  const unsigned pairs = (r2 != 0) + eval_tables.multi_bit[r2];  // 0, 1 or 2 (for 2+)
  const unsigned major = eval_tables.top_bits[r2][1];            // one or two pair ranks
  // Kickers fill the hand to five ranks: 5 for High Card, 3 beside a pair, 1 beside two.
  const unsigned kickers = eval_tables.top_bits[r1 & ~major][4 - 2 * pairs];
  const HandValue paired = hand_value(static_cast<int>(pairs), major, major | kickers);
  const HandValue ranked = pairs != 0 ? paired : kickers << kMajorShift;
  const unsigned straight = eval_tables.straight_reach[r1][0];
  return straight != 0 ? kStraightValues[straight] : ranked;
}

// Everything else: wild cards, flushes, three or more of a rank. `cards` and
// `count` are read again only when a flush test needs the suits' own masks.
HandValue decide_rare(const HandCounts& counts, const CardCode* cards, int count);

// The full decision for any hand of five to twenty cards.
inline HandValue decide(const HandCounts& c, const CardCode* cards, int count) {
  const bool rare = ((c.a1 & kWildFlag) | (c.a5 & kSuitBitsMask) | (c.a3 & kRankBitsMask)) != 0;
  if (rare) [[unlikely]]
    return decide_rare(c, cards, count);
  return decide_plain(c.a1 & kRankBitsMask, c.a2 & kRankBitsMask);
}

}  // namespace orvix
