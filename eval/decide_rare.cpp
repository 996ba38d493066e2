// The less common half of the decision: wild cards, possible flushes, and
// ranks held four or more times. Categories are tested from the best down;
// the first that holds gives the value.
#include <algorithm>
#include <cassert>

#include <orvix/internal/evaluators.h>

#include "decide.h"

namespace orvix {
namespace {

// Rank masks of the ranks a suit holds at least once, twice and three times.
struct SuitRanks {
  unsigned at_least[3];
};

// The ranks of the cards of suit index `suit`, counted at least once, twice,
// three times: without a branch per card, since the suits come at random.
// Shifting the card's suit bit up to bit 31 and back with the sign gives an
// all-ones mask for the cards of that suit.
SuitRanks collect_one_suit(const CardCode* cards, int count, int suit) {
  const int up = 31 - kSuitBitShift - suit;
  unsigned s1 = 0, s2 = 0, s3 = 0;
  for (int i = 0; i < count; ++i) {
    const CardCode c = cards[i];
    const unsigned in_suit = static_cast<unsigned>(static_cast<std::int32_t>(c << up) >> 31);
    const unsigned rank = c & kRankBitsMask & in_suit;
    s3 |= s2 & rank;
    s2 |= s1 & rank;
    s1 |= rank;
  }
  return {{s1, s2, s3}};
}

// The suit passes are made only when a flush test needs them. In five
// cards a flush suit holds every natural card, so the hand's own masks serve
// and no pass over the cards is needed.

// A card's suit index times 16, read straight from the code: its two index
// bits moved to bits 4 and 5.
constexpr int kSuitLaneShift = 4;
constexpr CardCode kSuitLaneMask = 0x30;
static_assert((make_card(5, 3, false) >> (kSuitIndexShift - kSuitLaneShift) & kSuitLaneMask) == 48);

// The best straight flush number over the suits of `flush_suits` (suit
// bits), with `wilds` free ranks; 0 if none. Needs only the ranks each suit
// holds, gathered for all suits in one pass (a wild card adds no rank bit).
unsigned best_straight_flush(const HandCounts& c, const CardCode* cards, int count,
                             std::uint32_t flush_suits, int wilds) {
  if (count == 5) return straight_reach(c.a1 & kRankBitsMask, wilds);
  // Suit s's ranks at bits 16 s and up of one word: each card's rank bit is
  // shifted by 16 times its suit index, which keeps the pass in registers
  // (an array indexed by suit would chain every card through memory).
  std::uint64_t held = 0;
  for (int i = 0; i < count; ++i) {
    const CardCode c = cards[i];
    held |= std::uint64_t{c & kRankBitsMask}
            << (c >> (kSuitIndexShift - kSuitLaneShift) & kSuitLaneMask);
  }
  unsigned best = 0;
  for (int suit = 0; suit < kSuitCount; ++suit)
    if (flush_suits & kSuitBits[suit])
      best = std::max(
          best, straight_reach(static_cast<unsigned>(held >> (16 * suit)) & kRankBitsMask, wilds));
  return best;
}

// The best Flush over the suits of `flush_suits`.
HandValue best_flush(const HandCounts& c, const CardCode* cards, int count,
                     std::uint32_t flush_suits, int wilds) {
  if (count == 5)
    return flush_value(wilds, c.a1 & kRankBitsMask, c.a2 & kRankBitsMask, c.a3 & kRankBitsMask);
  HandValue best = 0;
  for (int suit = 0; suit < kSuitCount; ++suit) {
    if ((flush_suits & kSuitBits[suit]) == 0) continue;
    const SuitRanks m = collect_one_suit(cards, count, suit);
    best = std::max(best, flush_value(wilds, m.at_least[0], m.at_least[1], m.at_least[2]));
  }
  return best;
}

// The category by the number of pairs, packed one per nibble so that a shift
// picks it without a branch: 0 pairs One Pair, 1 Three of a Kind, 2 Full House.
constexpr unsigned kOneWildCategoryByPairs = kOnePair | kThreeOfAKind << 4 | kFullHouse << 8;
static_assert(kOneWildCategoryByPairs == 0x631u);

// One wild card, no flush, no rank three times: the wild card joins the
// higher of two pairs (Full House), a single pair (Three of a Kind) or the
// highest card (One Pair), unless a Straight is better. Chosen by selects,
// like decide_common, because these outcomes come at random.
//   pairs 0: major top(r1), minor top 4(r1)   = major | top 3(r1 & ~major)
//   pairs 1: major r2,      minor r2 | top 2(r1 & ~r2)
//   pairs 2: major top(r2), minor top 2(r2)   = major | top(r2 & ~major)
HandValue one_wild_common(unsigned r1, unsigned r2, unsigned st) {
  const unsigned pairs = unsigned{r2 != 0} + multi_bit(r2);
  const unsigned category = kOneWildCategoryByPairs >> (4 * pairs) & 0xF;
  const unsigned major = top(pairs == 0 ? r1 : r2, 1);
  const unsigned kickers = top((pairs == 2 ? r2 : r1) & ~major, 3 - pairs);
  const HandValue value = hand_value(static_cast<int>(category), major, major | kickers);
  const HandValue straight = kStraightValues[st];  // beats all but the Full House
  return value > straight ? value : straight;
}

HandValue four_of_a_kind(unsigned q, unsigned r1) {
  return hand_value(kFourOfAKind, q, q | top(r1 & ~q, 1));
}

}  // namespace

HandValue decide_rare(const HandCounts& c, const CardCode* cards, int count) {
  assert(count >= 5 && count <= kMaxHandSize && cards != nullptr && c.wilds >= 0 &&
         c.wilds <= count);
  const unsigned r1 = c.a1 & kRankBitsMask;
  const unsigned r2 = c.a2 & kRankBitsMask;
  const unsigned r3 = c.a3 & kRankBitsMask;
  const unsigned r4 = c.a4 & kRankBitsMask;
  const int w = c.wilds;
  if (w >= 5) return hand_value(kFiveOfAKind, kAceBit, 0);
  if (w == 4) return hand_value(kFiveOfAKind, top(r1, 1), 0);

  // With w wild cards, a rank held 5 - w times makes five of a kind, and a
  // suit that holds 5 - w cards can still make a flush.
  const std::uint32_t at_least[5] = {c.a1, c.a2, c.a3, c.a4, c.a5};
  const unsigned five_of_a_kind = at_least[4 - w] & kRankBitsMask;
  if (five_of_a_kind != 0) return hand_value(kFiveOfAKind, top(five_of_a_kind, 1), 0);
  const std::uint32_t flush_suits = at_least[4 - w] & kSuitBitsMask;
  const unsigned st = straight_reach(r1, w);
  if (flush_suits != 0 && st != 0) {
    const unsigned sf = best_straight_flush(c, cards, count, flush_suits, w);
    if (sf != 0) return kStraightFlushValues[sf];
  }

  switch (w) {
    case 0: {
      if (r4 != 0) return four_of_a_kind(top(r4, 1), r1);
      if (r3 != 0 && (multi_bit(r3) || (r2 & ~r3) != 0)) {
        const unsigned t = top(r3, 1);
        return hand_value(kFullHouse, t, t | top(r2 & ~t, 1));
      }
      if (flush_suits != 0) return best_flush(c, cards, count, flush_suits, 0);
      return decide_common(r1, r2, r3);
    }
    case 1: {
      if (r3 != 0) return four_of_a_kind(top(r3, 1), r1);
      if (flush_suits != 0) {
        if (multi_bit(r2)) return hand_value(kFullHouse, top(r2, 1), top(r2, 2));
        return best_flush(c, cards, count, flush_suits, 1);
      }
      return one_wild_common(r1, r2, st);
    }
    case 2: {
      if (r2 != 0) return four_of_a_kind(top(r2, 1), r1);
      if (flush_suits != 0) return best_flush(c, cards, count, flush_suits, 2);
      if (st != 0) return kStraightValues[st];
      return hand_value(kThreeOfAKind, top(r1, 1), top(r1, 3));
    }
    default:  // three wild cards
      return four_of_a_kind(top(r1, 1), r1);
  }
}

// Wild cards come first as Aces, then the suit's ranks from the top, each as
// often as it is held (up to three times with no wild card, twice with one;
// with two wild cards a repeat can never be best). Stops at five nibbles.
HandValue flush_value(int wilds, unsigned at_least_1, unsigned at_least_2, unsigned at_least_3) {
  assert(wilds >= 0 && at_least_1 <= kRankBitsMask && (at_least_2 & ~at_least_1) == 0 &&
         (at_least_3 & ~at_least_2) == 0);
  HandValue value = static_cast<HandValue>(kFlush) << kCategoryShift;
  int written = 0;
  const auto write = [&](unsigned rank) {
    value |= static_cast<HandValue>(rank) << kNibbleShifts[written++];
  };
  for (int i = 0; i < wilds && i < 2; ++i) write(kAceRank);
  if (wilds >= 2) at_least_2 = 0;
  if (wilds >= 1) at_least_3 = 0;
  unsigned rest = at_least_1;
  while (written < 5 && rest != 0) {
    const unsigned rank = static_cast<unsigned>(high_index(rest));
    const unsigned times = 1 + (at_least_2 >> rank & 1) + (at_least_3 >> rank & 1);
    for (unsigned k = 0; k < times && written < 5; ++k) write(rank);
    rest &= ~(1u << rank);
  }
  return value;
}

}  // namespace orvix
