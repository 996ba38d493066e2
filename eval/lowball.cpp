// Lowball: the lowest hand a hand's cards make, found from its rank counts.
//
// Suits matter only under deuce and only without a wild card (a wild card can
// always take a second suit, and a spare one can stand in for a natural card
// of its rank), when some suit holds five natural cards: the lowest hand by
// ranks below still stands when the cards of its ranks are of two suits or
// more (some choice of them is no flush, and no hand is lower); otherwise
// every five natural cards are valued. With h = min(count, 5):
//   - When the ranks held and one lowest missing rank per wild card come to h
//     or more, the hand has no pair: its h lowest such ranks (no set of h
//     ranks it can make is lower, rank for rank). Under deuce five of them
//     must not be a straight: the smallest mask from there up that is none and
//     needs no more wild cards than the hand has.
//   - Otherwise every rank held plays once, each wild card on a lowest missing
//     rank, and the repeats of natural cards fill the rest: the best shape
//     they allow (One Pair; Two Pair before Three of a Kind; Full House before
//     Four of a Kind), with the lowest ranks for its groups.
// Values are built in the standard layout with ranks in the ranking's order
// (under low the Ace at bit 0), then turned over (ranking.h).
#include "lowball.h"

#include <algorithm>
#include <bit>

#include <orvix/internal/fast_eval.h>
#include <orvix/internal/tables.h>

#include "ranked.h"
#include "ranked_tables.h"

namespace orvix {
namespace {

constexpr unsigned kAllRanks = (1u << kRankCount) - 1;

unsigned lowest_bit(unsigned m) { return m & (0u - m); }

// The n lowest ranks of m (all of m when it holds fewer).
unsigned lowest(unsigned m, int n) {
  unsigned out = 0;
  for (; n > 0 && m != 0; --n) {
    const unsigned b = lowest_bit(m);
    out |= b;
    m ^= b;
  }
  return out;
}

// Five ranks in a row (Ace high only).
bool is_straight(unsigned five) { return five >> std::countr_zero(five) == 0x1F; }

// The next larger mask with as many bits: next_same_count(0b0111) == 0b1011.
unsigned next_same_count(unsigned m) {
  const unsigned low = lowest_bit(m), up = m + low;
  return (((up ^ m) >> 2) / low) | up;
}

// The Ace from the top to the bottom: low's order of ranks.
unsigned ace_low(unsigned m) { return (m << 1 | m >> kAceRank) & kAllRanks; }

struct RankCounts {
  unsigned held[4];  // ranks held at least 1..4 times, in the ranking's order
  int wilds;
  int count;
};

// The standard-layout value of the lowest hand by rank counts alone.
HandValue lowest_by_ranks(const RankCounts& c, bool straights) {
  const int h = std::min(c.count, 5);
  const unsigned held = c.held[0], twice = c.held[1], thrice = c.held[2];
  const int distinct = std::popcount(held);
  const unsigned singles = held | lowest(kAllRanks & ~held, c.wilds);
  if (distinct + c.wilds >= h) {
    const unsigned best = lowest(singles, h);
    if (!straights || h < 5) return hand_value(kHighCard, best, 0);
    for (unsigned m = best; m <= kAllRanks; m = next_same_count(m))
      if (!is_straight(m) && std::popcount(m & ~held) <= c.wilds)
        return hand_value(kHighCard, m, 0);
    // Only five ranks in a row, no wild card: One Pair when a rank repeats.
    const unsigned pair = lowest_bit(twice);
    if (pair == 0) return hand_value(kStraight, 1u << high_index(held), held);
    return hand_value(kOnePair, pair, pair | lowest(held & ~pair, 3));
  }
  switch (h - distinct - c.wilds) {  // the repeats that must play
    case 1:
      return hand_value(kOnePair, lowest_bit(twice), singles);
    case 2:
      if ((twice & (twice - 1)) != 0) return hand_value(kTwoPair, lowest(twice, 2), singles);
      return hand_value(kThreeOfAKind, lowest_bit(thrice), singles);
    case 3:
      if (h == 5)
        for (unsigned t = thrice; t != 0; t &= t - 1) {
          const unsigned triple = lowest_bit(t), pair = lowest_bit(twice & ~triple);
          if (pair != 0) return hand_value(kFullHouse, triple, triple | pair);
        }
      return hand_value(kFourOfAKind, lowest_bit(c.held[3]), singles);
    default:
      return hand_value(kFiveOfAKind, singles, 0);
  }
}

// A standard-layout value turned over into the ranking's value.
HandValue turned(HandValue standard, const Ranking& ranking) {
  return static_cast<HandValue>(ranking.position[standard >> kCategoryShift]) << kCategoryShift |
         ((standard & kLowBitsMask) ^ kLowballFlip);
}

// Five natural cards under deuce from their standard value: A-2-3-4-5 is no straight.
HandValue deuce_from_standard(HandValue standard, const Ranking& ranking) {
  const int category = static_cast<int>(standard >> kCategoryShift);
  if ((category == kStraight || category == kStraightFlush) &&
      (standard & kLowBitsMask) == hand_value(0, kFiveBit, kWheelPattern))
    standard = category == kStraight ? hand_value(kHighCard, kWheelPattern, 0)
                                     : kFlushCategoryBits | 0xC3210;  // Ace, Five, Four, Three, Two
  return turned(standard, ranking);
}

// Deuce, natural cards only, a suit held five times: the best of every five.
HandValue deuce_every_five(const CardCode* cards, int count, const Ranking& ranking) {
  HandValue best = 0;
  CardCode five[5];
  for (int a = 0; a < count; ++a)
    for (int b = a + 1; b < count; ++b)
      for (int c = b + 1; c < count; ++c)
        for (int d = c + 1; d < count; ++d)
          for (int e = d + 1; e < count; ++e) {
            five[0] = cards[a], five[1] = cards[b], five[2] = cards[c], five[3] = cards[d];
            five[4] = cards[e];
            best = std::max(best, deuce_from_standard(evaluate_5_fast(five), ranking));
          }
  return best;
}

}  // namespace

HandValue lowball_value(const CardCode* cards, int count, const Ranking& ranking) {
  std::uint32_t a1 = 0, a2 = 0, a3 = 0, a4 = 0;
  int wilds = 0, suit_counts[kSuitCount] = {};
  unsigned suit_ranks[kSuitCount] = {};
  for (int i = 0; i < count; ++i) {
    const CardCode c = cards[i];
    a4 |= a3 & c;
    a3 |= a2 & c;
    a2 |= a1 & c;
    a1 |= c;
    if (is_wild(c)) {
      ++wilds;
    } else {
      ++suit_counts[card_suit_index(c)];
      suit_ranks[card_suit_index(c)] |= c & kRankBitsMask;
    }
  }
  const bool deuce = ranking.kind == RankingKind::kDeuceToSeven;
  RankCounts c{{a1 & kRankBitsMask, a2 & kRankBitsMask, a3 & kRankBitsMask, a4 & kRankBitsMask},
               wilds,
               count};
  if (!deuce)
    for (unsigned& m : c.held) m = ace_low(m);
  const HandValue by_ranks = lowest_by_ranks(c, deuce);
  if (deuce && wilds == 0 && count >= 5 &&
      *std::max_element(suit_counts, suit_counts + kSuitCount) >= 5) {
    // The lowest hand by ranks stands unless every card of its ranks is of
    // one suit (then it may be a forced flush).
    const int category = static_cast<int>(by_ranks >> kCategoryShift);
    const unsigned ranks = category == kHighCard || category == kFiveOfAKind
                               ? by_ranks >> kMajorShift & kRankBitsMask
                               : by_ranks & kRankBitsMask;
    int suits = 0;
    for (const unsigned held : suit_ranks) suits += (held & ranks) != 0;
    if (suits < 2) return deuce_every_five(cards, count, ranking);
  }
  return turned(by_ranks, ranking);
}

HandValue deuce_seven_suited(const RankedTables& rt, const CardCode* c, std::uint64_t sum,
                             const Ranking& ranking) {
  const fast_eval::FastTables& t = fast_eval::g_tables;
  const std::uint64_t flags = sum & fast_eval::kSuitFlagMask;
  const int suit =
      (std::countr_zero(flags) - (fast_eval::kSuitFieldBits - 1) - fast_eval::kSuitFieldShift) /
      fast_eval::kSuitFieldBits;
  std::uint64_t words[7];
  unsigned in_suit[7];  // each card's rank bit when it is of the suit
  unsigned mask = 0, added = 0;
  for (int i = 0; i < 7; ++i) {
    words[i] = t.card_words[fast_eval::card_slot(c[i])];
    in_suit[i] = card_suit_index(c[i]) == suit ? c[i] & kRankBitsMask : 0;
    mask |= in_suit[i];
    added += in_suit[i];
  }
  if (added != mask) return lowball_value(c, 7, ranking);  // a rank twice in the suit
  HandValue best = 0;
  for (int i = 0; i < 7; ++i)
    for (int j = i + 1; j < 7; ++j) {
      const std::uint64_t five = sum - words[i] - words[j];
      HandValue v;
      if ((five & fast_eval::kSuitFlagMask) != 0) {
        v = rt.suited[0][mask ^ in_suit[i] ^ in_suit[j]];
      } else {
        using fast_eval::kFiveHash;
        const std::uint64_t key = five & fast_eval::kRankFieldsMask;
        v = rt.five[0][fast_eval::hash_position<kFiveHash>(key) ^
                       t.five.displacements[0][fast_eval::hash_bucket<kFiveHash>(key)]];
      }
      best = std::max(best, v);
    }
  return best;
}

void fill_deuce_suited(RankedTables& t) {
  for (unsigned m = 0; m < fast_eval::kSuitMaskCount; ++m) {
    if (std::popcount(m) != 5) continue;
    CardCode cards[5];
    int n = 0;
    for (int r = 0; r < kRankCount; ++r)
      if (m >> r & 1) cards[n++] = make_card(r, 0, false);
    t.suited[0][m] = lowball_value(cards, 5, t.ranking);
  }
}

}  // namespace orvix
