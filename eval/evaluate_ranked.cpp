// The evaluator under a ranking. The standard order is the standard
// evaluator's, the lowball orders lowball.cpp's. Otherwise five and seven cards take the ranking's
// tables (ranked_tables.h) as the standard paths take theirs. Without them, most hands still take
// one of two short paths:
//   - natural cards only, five or fewer: every card plays, so the standard
//     value is the hand's, moved to its category's position;
//   - no wild card and no suit held five times: every five cards are of two
//     suits, so each category's best hand follows from the rank masks alone.
// Everything else (wild cards, possible flushes) goes to the general routine.
#include <algorithm>
#include <cassert>

#include <orvix/internal/evaluators.h>
#include <orvix/internal/fast_eval.h>

#include "lowball.h"
#include "ranked.h"
#include "ranked_tables.h"

namespace orvix {
namespace {

// The category's best value moved to its position, or 0 when the hand cannot
// make the category (standard == 0).
inline HandValue placed_or_zero(HandValue standard, int category, const Ranking& ranking) {
  const HandValue placed = static_cast<HandValue>(ranking.position[category]) << kCategoryShift |
                           (standard & kLowBitsMask);
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
    if (multi_bit(kickers))
      offer(hand_value(kThreeOfAKind, triple, triple | kickers), kThreeOfAKind);
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

// Without tables.
HandValue evaluate_computed(const CardCode* cards, int count, const Ranking& ranking) {
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

// Seven natural cards with a possible flush: the best of their 21 five-card
// hands, each its standard value ranked.
HandValue best_of_five_card_hands(const CardCode* c, const Ranking& ranking) {
  HandValue best = 0;
  CardCode five[5];
  for (int skip1 = 0; skip1 < 7; ++skip1)
    for (int skip2 = skip1 + 1; skip2 < 7; ++skip2) {
      int at = 0;
      for (int i = 0; i < 7; ++i)
        if (i != skip1 && i != skip2) five[at++] = c[i];
      best = std::max(best, ranked_from_standard(evaluate_5_fast(five), ranking));
    }
  return best;
}

// The hands the table path routes: a rank held four times, four or more wild
// cards, or a possible flush. With one possible flush suit holding no rank
// twice, the hand's value is the better of that suit's best Straight Flush or
// Flush and the best hand of the ranks alone, when five cards of two suits can
// make the latter: always with a wild card (it takes the second suit), and
// without one whenever the hand has a pair (no two cards of a pair share the
// suit). Only a Straight or High Card of natural cards may be all of the
// flush suit; those hands are valued five cards at a time.
template <int N>
[[gnu::noinline]] HandValue ranked_routed(const RankedTables& rt, const CardCode* cards,
                                          std::uint64_t sum, const Ranking& ranking) {
  const auto wilds = static_cast<int>(sum >> fast_eval::kWildCountShift);
  const std::uint64_t flags = sum & fast_eval::kSuitFlagMask;
  if ((sum & fast_eval::kFourMask) != 0 || wilds >= fast_eval::kTableWilds ||
      (flags & (flags - 1)) != 0)
    return evaluate_computed(cards, N, ranking);
  if constexpr (N == 5) {
    if (wilds == 0) return ranked_from_standard(evaluate_5_fast(cards), ranking);
  }
  const int shift = std::countr_zero(flags) - (fast_eval::kSuitFieldBits - 1);
  const int suit = (shift - fast_eval::kSuitFieldShift) / fast_eval::kSuitFieldBits;
  const int up = 31 - kSuitBitShift - suit;
  unsigned mask = 0, added = 0;
  for (int i = 0; i < N; ++i) {
    const CardCode c = cards[i];
    const unsigned in_suit =
        c & kRankBitsMask & static_cast<unsigned>(static_cast<std::int32_t>(c << up) >> 31);
    mask |= in_suit;
    added += in_suit;
  }
  if (added != mask) return evaluate_computed(cards, N, ranking);  // a rank twice in the suit
  const HandValue ranks_alone = ranked_by_ranks<N>(fast_eval::g_tables, rt, sum);
  if (wilds == 0) {
    const int category = hand_category(ranks_alone, ranking);
    if (category == kStraight || category == kHighCard)
      return best_of_five_card_hands(cards, ranking);
  }
  return std::max(rt.suited[wilds][mask], ranks_alone);
}

template <int N>
inline HandValue ranked_with_tables(const RankedTables& rt, const CardCode* c,
                                    const Ranking& ranking) {
  const fast_eval::FastTables& t = fast_eval::g_tables;  // built before any ranked tables
  std::uint64_t sum = fast_eval::kSuitBias;
  for (int i = 0; i < N; ++i) sum += t.card_words[fast_eval::card_slot(c[i])];
  if ((sum & fast_eval::kRouteMask) != 0) [[unlikely]]
    return ranked_routed<N>(rt, c, sum, ranking);
  return ranked_by_ranks<N>(t, rt, sum);
}

}  // namespace

HandValue evaluate(const CardCode* cards, int count, const Ranking& ranking) {
  if (count < 1 || count > kMaxHandSize) {
    assert(false && "evaluate takes 1 to 20 cards");
    return 0;
  }
  assert(cards != nullptr);
  if (ranking.tables == kStandardTables && is_standard_order(ranking))
    return evaluate(cards, count);
  const bool lowball = ranking.kind != RankingKind::kCategoryOrder;
  if (count == 5 || count == 7) {
    if (const RankedTables* rt = tables_of(ranking)) {
      if (lowball)
        return count == 5 ? lowball_with_tables<5>(*rt, cards, ranking)
                          : lowball_with_tables<7>(*rt, cards, ranking);
      return count == 5 ? ranked_with_tables<5>(*rt, cards, ranking)
                        : ranked_with_tables<7>(*rt, cards, ranking);
    }
  }
  return lowball ? lowball_value(cards, count, ranking) : evaluate_computed(cards, count, ranking);
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
