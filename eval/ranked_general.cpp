// The evaluator under a ranking for any hand: for each category from the
// highest in the order down, the best five-card hand of exactly that category
// the cards can make (wild cards standing for any card), until one exists.
//
// The group categories (Five of a Kind down to One Pair, and High Card) are
// searched rank by rank, the most significant group first and each rank from
// the Ace down, so the first complete hand found is the best of its category.
// A hand of five or more cards can make a group shape when its natural cards
// of the chosen ranks, plus its wild cards, fill the groups. Five
// categories need five cards not all of one suit (Straight, Three of a Kind,
// Two Pair, One Pair, High Card): without a wild card, the chosen ranks must
// hold cards of two suits between them; a wild card can always take a second
// suit. Hands under five cards play every card: the groups must hold every
// natural card, and the wild cards fill the rest.
#include <algorithm>
#include <bit>
#include <cassert>

#include <orvix/internal/evaluators.h>

#include "ranked.h"

namespace orvix {
namespace {

struct RankedCounts {
  int count;
  int wilds;
  int n[kRankCount];                    // natural cards of each rank
  int in_suit[kSuitCount][kRankCount];  // natural cards of each rank in each suit
  int suit_total[kSuitCount];           // natural cards of each suit
  unsigned held;                        // ranks held by natural cards
  unsigned suit_held[kSuitCount];       // ranks held in each suit
  unsigned only_in_suit[kSuitCount];    // ranks whose every natural card is of that suit
};

RankedCounts count_cards(const CardCode* cards, int count) {
  RankedCounts h{};
  h.count = count;
  for (int i = 0; i < count; ++i) {
    const CardCode c = cards[i];
    if (is_wild(c)) {
      ++h.wilds;
      continue;
    }
    const int r = card_rank_index(c), s = card_suit_index(c);
    ++h.n[r];
    ++h.in_suit[s][r];
    ++h.suit_total[s];
    h.held |= 1u << r;
    h.suit_held[s] |= 1u << r;
  }
  for (int s = 0; s < kSuitCount; ++s) {
    unsigned elsewhere = 0;
    for (int t = 0; t < kSuitCount; ++t)
      if (t != s) elsewhere |= h.suit_held[t];
    h.only_in_suit[s] = h.suit_held[s] & ~elsewhere;
  }
  return h;
}

// Whether the natural cards of `ranks` (all held) hold two suits between them.
bool spans_two_suits(const RankedCounts& h, unsigned ranks) {
  for (int s = 0; s < kSuitCount; ++s)
    if ((ranks & ~h.only_in_suit[s]) == 0) return false;
  return true;
}

bool is_straight(unsigned ranks, const Ranking& ranking) {
  const std::uint16_t* patterns = straight_patterns(ranking);
  for (int s = 1; s <= kStraightCount; ++s)
    if (ranks == patterns[s]) return true;
  return false;
}

// A category made of groups of equal ranks: their sizes, most significant
// first (groups of one size in falling rank order), and how many of them make
// the major ranks. minor ranks are all the hand's ranks, or none.
struct GroupShape {
  int category;
  int groups;
  int sizes[5];
  int major_groups;
  bool has_minor;
};

// Five cards and more.
constexpr GroupShape kFiveOfAKindShape{kFiveOfAKind, 1, {5}, 1, false};
constexpr GroupShape kFourOfAKindShape{kFourOfAKind, 2, {4, 1}, 1, true};
constexpr GroupShape kFullHouseShape{kFullHouse, 2, {3, 2}, 1, true};
constexpr GroupShape kThreeOfAKindShape{kThreeOfAKind, 3, {3, 1, 1}, 1, true};
constexpr GroupShape kTwoPairShape{kTwoPair, 3, {2, 2, 1}, 2, true};
constexpr GroupShape kOnePairShape{kOnePair, 4, {2, 1, 1, 1}, 1, true};
constexpr GroupShape kHighCardShape{kHighCard, 5, {1, 1, 1, 1, 1}, 5, false};

// One to four cards: the groups of a category that `count` cards fill
// exactly (every card plays); groups 0 when the category cannot be made.
GroupShape small_shape(int count, int category) {
  switch (category) {
    case kHighCard:
      return {kHighCard, count, {1, 1, 1, 1}, count, false};
    case kOnePair:
      if (count >= 2) return {kOnePair, count - 1, {2, 1, 1}, 1, true};
      break;
    case kTwoPair:
      if (count == 4) return {kTwoPair, 2, {2, 2}, 2, true};
      break;
    case kThreeOfAKind:
      if (count >= 3) return {kThreeOfAKind, count - 2, {3, 1}, 1, true};
      break;
    case kFourOfAKind:
      if (count == 4) return {kFourOfAKind, 1, {4}, 1, true};
      break;
    default:
      break;
  }
  return {category, 0, {}, 0, false};
}

struct GroupSearch {
  const RankedCounts& h;
  const GroupShape& shape;
  const Ranking& ranking;
  bool small;        // under five cards: every natural card plays
  bool needs_mixed;  // no wild card and a category that may not be one suit
  int chosen[5];

  // Under five cards the group sizes add up to the hand's size, so a search
  // that spends no more than the wild cards has placed every natural card.
  bool complete(unsigned used) const {
    if (shape.category == kHighCard && !small && is_straight(used, ranking)) return false;
    return !needs_mixed || spans_two_suits(h, used);
  }

  bool search(int group, unsigned used, int wilds_left) {
    if (group >= shape.groups || group >= 5) return complete(used);
    const int size = shape.sizes[group];
    const bool follows_same_size = group > 0 && shape.sizes[group - 1] == size;
    for (int r = follows_same_size ? chosen[group - 1] - 1 : kRankCount - 1; r >= 0; --r) {
      if (used >> r & 1) continue;
      const int have = h.n[r];
      if (small && have > size) continue;
      const int cost = size > have ? size - have : 0;
      if (cost > wilds_left) continue;
      chosen[group] = r;
      if (search(group + 1, used | 1u << r, wilds_left - cost)) return true;
    }
    return false;
  }

  HandValue value() const {
    unsigned major = 0, all = 0;
    for (int g = 0; g < shape.groups; ++g) {
      all |= 1u << chosen[g];
      if (g < shape.major_groups) major |= 1u << chosen[g];
    }
    return hand_value(shape.category, major, shape.has_minor ? all : 0);
  }
};

bool is_mixed_category(int category) {
  return category == kThreeOfAKind || category == kTwoPair || category == kOnePair ||
         category == kHighCard;
}

HandValue best_of_shape(const RankedCounts& h, const GroupShape& shape, const Ranking& ranking) {
  if (shape.groups == 0) return 0;
  const bool small = h.count < 5;
  const bool needs_mixed = !small && h.wilds == 0 && is_mixed_category(shape.category);
  // Natural cards all of one suit: no search (it would try every choice of ranks).
  if (needs_mixed && !spans_two_suits(h, h.held)) return 0;
  GroupSearch s{h, shape, ranking, small, needs_mixed, {}};
  return s.search(0, 0, h.wilds) ? s.value() : 0;
}

HandValue best_straight(const RankedCounts& h, const Ranking& ranking) {
  const std::uint16_t* patterns = straight_patterns(ranking);
  for (int s = kStraightCount; s >= 1; --s) {
    if (std::popcount(patterns[s] & ~h.held) > h.wilds) continue;
    if (h.wilds == 0 && !spans_two_suits(h, patterns[s])) continue;
    return ranked_straight_value(kStraight, s, ranking);
  }
  return 0;
}

HandValue best_straight_flush(const RankedCounts& h, const Ranking& ranking) {
  const std::uint16_t* patterns = straight_patterns(ranking);
  for (int s = kStraightCount; s >= 1; --s)
    for (int suit = 0; suit < kSuitCount; ++suit)
      if (std::popcount(patterns[s] & ~h.suit_held[suit]) <= h.wilds)
        return ranked_straight_value(kStraightFlush, s, ranking);
  return 0;
}

// The best Flush of one suit: five ranks from the Ace down, each at most three
// times, that are no straight, Full House or Four of a Kind; a rank used more
// often than the suit holds it costs a wild card.
struct FlushSearch {
  const int* in_suit;
  const Ranking& ranking;
  int pick[5];

  bool complete() const {
    int run = 1, longest = 1, runs = 1;
    unsigned ranks = 1u << pick[0];
    for (int i = 1; i < 5; ++i) {
      ranks |= 1u << pick[i];
      run = pick[i] == pick[i - 1] ? run + 1 : 1;
      runs += run == 1;
      longest = std::max(longest, run);
    }
    if (longest == 3 && runs == 2) return false;  // a Full House
    return runs < 5 || !is_straight(ranks, ranking);
  }

  bool search(int at, int run, int wilds_left) {
    if (at == 5) return complete();
    for (int r = at == 0 ? kRankCount - 1 : pick[at - 1]; r >= 0; --r) {
      const int times = at > 0 && pick[at - 1] == r ? run + 1 : 1;
      if (times > 3) continue;
      const int cost = times > in_suit[r] ? 1 : 0;
      if (cost > wilds_left) continue;
      pick[at] = r;
      if (search(at + 1, times, wilds_left - cost)) return true;
    }
    return false;
  }

  HandValue value() const {
    HandValue v = kFlushCategoryBits;
    for (int i = 0; i < 5; ++i) v |= static_cast<HandValue>(pick[i]) << kNibbleShifts[i];
    return v;
  }
};

HandValue best_flush(const RankedCounts& h, const Ranking& ranking) {
  HandValue best = 0;
  for (int suit = 0; suit < kSuitCount; ++suit) {
    if (h.suit_total[suit] + h.wilds < 5) continue;
    FlushSearch s{h.in_suit[suit], ranking, {}};
    if (s.search(0, 0, h.wilds)) best = std::max(best, s.value());
  }
  return best;
}

HandValue best_of_category(const RankedCounts& h, int category, const Ranking& ranking) {
  if (h.count < 5) return best_of_shape(h, small_shape(h.count, category), ranking);
  switch (category) {
    case kFiveOfAKind:
      return best_of_shape(h, kFiveOfAKindShape, ranking);
    case kStraightFlush:
      return best_straight_flush(h, ranking);
    case kFourOfAKind:
      return best_of_shape(h, kFourOfAKindShape, ranking);
    case kFullHouse:
      return best_of_shape(h, kFullHouseShape, ranking);
    case kFlush:
      return best_flush(h, ranking);
    case kStraight:
      return best_straight(h, ranking);
    case kThreeOfAKind:
      return best_of_shape(h, kThreeOfAKindShape, ranking);
    case kTwoPair:
      return best_of_shape(h, kTwoPairShape, ranking);
    case kOnePair:
      return best_of_shape(h, kOnePairShape, ranking);
    default:
      return best_of_shape(h, kHighCardShape, ranking);
  }
}

}  // namespace

HandValue evaluate_ranked_general(const CardCode* cards, int count, const Ranking& ranking) {
  assert(count >= 1 && count <= kMaxHandSize && cards != nullptr);
  const RankedCounts h = count_cards(cards, count);
  for (int i = 0; i < kCategoryCount; ++i) {
    const HandValue best = best_of_category(h, ranking.order[i], ranking);
    if (best != 0) return place(best, ranking);
  }
  assert(false && "every hand makes some category");
  return 0;
}

HandValue best_suited_ranked(const CardCode* cards, int count, const Ranking& ranking) {
  const RankedCounts h = count_cards(cards, count);
  if (h.count < 5) return 0;
  const HandValue straight_flush = best_straight_flush(h, ranking), flush = best_flush(h, ranking);
  return std::max(straight_flush != 0 ? place(straight_flush, ranking) : 0,
                  flush != 0 ? place(flush, ranking) : 0);
}

}  // namespace orvix
