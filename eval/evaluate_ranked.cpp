// The evaluator under a ranking. Most hands take one of two short paths:
//   - natural cards only, five or fewer: every card plays, so the standard
//     value is the hand's, moved to its category's position;
//   - no wild card and no suit held five times: every five cards are of two
//     suits, so each category's best hand follows from the rank masks alone.
// Everything else (wild cards, possible flushes) goes to the general routine.
#include <algorithm>
#include <cassert>

#include <orvix/internal/evaluators.h>
#include <orvix/internal/fast_eval.h>

#include "ranked.h"

namespace orvix {
namespace {

// The category's best value moved to its position, or 0 when the hand cannot
// make the category (standard == 0).
inline HandValue placed_or_zero(HandValue standard, int category, const Ranking& ranking) {
  const HandValue placed =
      static_cast<HandValue>(ranking.position[category]) << kCategoryShift | (standard & kLowBitsMask);
  return standard != 0 ? placed : 0;
}

// Natural cards of at least two suits in every five: each category's best
// from r1..r5, the ranks held at least once .. five times.
HandValue decide_plain(unsigned r1, unsigned r2, unsigned r3, unsigned r4, unsigned r5,
                       const Ranking& ranking) {
  HandValue best = 0;
  const auto offer = [&](HandValue standard, int category) {
    best = std::max(best, placed_or_zero(standard, category, ranking));
  };
  if (r5 != 0) offer(hand_value(kFiveOfAKind, top(r5, 1), 0), kFiveOfAKind);
  if (r4 != 0) {
    const unsigned q = top(r4, 1), kicker = top(r1 & ~q, 1);
    if (kicker != 0) offer(hand_value(kFourOfAKind, q, q | kicker), kFourOfAKind);
  }
  const unsigned triple = top(r3, 1);
  if (triple != 0) {
    const unsigned pair = top(r2 & ~triple, 1);
    if (pair != 0) offer(hand_value(kFullHouse, triple, triple | pair), kFullHouse);
    const unsigned kickers = top(r1 & ~triple, 2);
    if (multi_bit(kickers)) offer(hand_value(kThreeOfAKind, triple, triple | kickers), kThreeOfAKind);
  }
  const unsigned s = ranked_straight_reach(r1, 0, ranking);
  if (s != 0) offer(ranked_straight_value(kStraight, s, ranking), kStraight);
  if (multi_bit(r2)) {
    const unsigned pairs = top(r2, 2), kicker = top(r1 & ~pairs, 1);
    if (kicker != 0) offer(hand_value(kTwoPair, pairs, pairs | kicker), kTwoPair);
  }
  if (r2 != 0) {
    const unsigned pair = top(r2, 1), kickers = top(r1 & ~pair, 3);
    if (std::popcount(kickers) == 3) offer(hand_value(kOnePair, pair, pair | kickers), kOnePair);
  }
  // High Card: the five best ranks, or when they make a straight, the four
  // best and the next rank below them (never a straight again).
  if (std::popcount(r1) >= 5) {
    unsigned five = top(r1, 5);
    if (ranked_straight_reach(five, 0, ranking) != 0) {
      const unsigned lower = top(r1 & ~five, 1);
      five = lower != 0 ? top(r1, 4) | lower : 0;
    }
    if (five != 0) offer(hand_value(kHighCard, five, 0), kHighCard);
  }
  return best;
}

// Choices of k of n indices as bit masks, in increasing order: first_pick(k)
// the lowest, next_pick the next with as many bits (past the last: 1 << n or
// more). next_pick(0b0111, 5) == 0b1011.
unsigned first_pick(int k) { return (1u << k) - 1; }
unsigned next_pick(unsigned pick, int n) {
  if (pick == 0) return 1u << n;  // the only choice of none
  const unsigned low = pick & -pick, up = pick + low;
  return (((up ^ pick) >> 2) / low) | up;
}

}  // namespace

HandValue evaluate(const CardCode* cards, int count, const Ranking& ranking) {
  if (count < 1 || count > kMaxHandSize) {
    assert(false && "evaluate takes 1 to 20 cards");
    return 0;
  }
  assert(cards != nullptr);
  // The at-least masks, one card at a time.
  std::uint32_t a1 = 0, a2 = 0, a3 = 0, a4 = 0, a5 = 0;
  for (int i = 0; i < count; ++i) {
    const CardCode c = cards[i];
    a5 |= a4 & c;
    a4 |= a3 & c;
    a3 |= a2 & c;
    a2 |= a1 & c;
    a1 |= c;
  }
  if ((a1 & kWildFlag) == 0) {
    if (count <= 5) return ranked_from_standard(select_evaluator(count)(cards), ranking);
    if ((a5 & kSuitBitsMask) == 0)
      return decide_plain(a1 & kRankBitsMask, a2 & kRankBitsMask, a3 & kRankBitsMask,
                          a4 & kRankBitsMask, a5 & kRankBitsMask, ranking);
  }
  return evaluate_ranked_general(cards, count, ranking);
}

HandValue evaluate_use(const CardCode* own, int own_count, const CardCode* board, int board_count,
                       int use, const Ranking& ranking) {
  assert(use_fits(own_count, board_count, use));
  if (!use_fits(own_count, board_count, use)) return 0;
  if (use == kUseAny) {
    CardCode all[kMaxHandSize];
    std::copy_n(own, own_count, all);
    std::copy_n(board, board_count, all + own_count);
    return evaluate(all, own_count + board_count, ranking);
  }
  // Every choice of `use` own cards and 5 - use board cards, as bit masks of
  // the chosen indices.
  HandValue best = 0;
  CardCode five[kMaxUse];
  for (unsigned own_pick = first_pick(use); own_pick < 1u << own_count;
       own_pick = next_pick(own_pick, own_count)) {
    int at = 0;
    for (int i = 0; i < own_count; ++i)
      if (own_pick >> i & 1) five[at++] = own[i];
    for (unsigned board_pick = first_pick(kMaxUse - use); board_pick < 1u << board_count;
         board_pick = next_pick(board_pick, board_count)) {
      int k = at;
      for (int i = 0; i < board_count; ++i)
        if (board_pick >> i & 1) five[k++] = board[i];
      best = std::max(best, evaluate(five, kMaxUse, ranking));
    }
  }
  return best;
}

}  // namespace orvix
