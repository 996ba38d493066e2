// best_five: works back from the hand's value. The value fixes the five
// ranks (with repeats) that make it; only the suit of a Flush or Straight
// Flush is left to choose. Each rank is filled with the hand's natural cards
// of that rank first, and wild cards stand in for the rest. A lowball value
// is read back in the standard layout first; its wild cards then stand for
// the ranks the evaluator gave them (under low the lowest ranks the hand
// lacks), since a rank the hand holds is always filled by its own cards.
#include <orvix/best_five.h>

#include <cassert>

#include <orvix/internal/tables.h>
#include <orvix/ranking.h>

namespace orvix {
namespace {

// How many cards of each rank the played cards hold.
struct RankNeeds {
  int count[kRankCount] = {};
};

void add_ranks(RankNeeds& needs, unsigned mask, int times) {
  for (int r = 0; r < kRankCount; ++r)
    if (mask >> r & 1) needs.count[r] += times;
}

// What the value says about the played cards, under the order it was made by.
struct ValueShape {
  HandValue value = 0;
  int category = 0;  // a HandCategory
  int top = 0;       // the rank index the value is filed under
  // The value's ranks in the standard layout: the value itself, but for
  // lowball values turned back (ranking.h).
  HandValue layout = 0;
  // The Ace reads below the Two: in a straight whose Ace plays low, and in
  // every hand under ace-to-five lowball.
  bool ace_plays_low = false;
  // Flushes count: five cards of one suit are kept out of a hand valued below
  // a Flush (see ranked).
  bool flushes = true;
  // Made under a ranking: a hand of fewer than five cards is read from the
  // value's ranks too (under another order wild cards may stand for
  // different ranks: three wild cards are Ace, King, Queen when High Card
  // ranks highest), and five cards of one suit are kept out of a hand that
  // is no Flush.
  bool ranked = false;
};

// The ranks a value is made of: five, or under a ranking every card of a
// smaller hand.
RankNeeds ranks_of_value(const ValueShape& shape) {
  const HandValue value = shape.layout;
  RankNeeds needs;
  const unsigned major = value >> kMajorShift & kRankBitsMask;
  const unsigned minor = value & kRankBitsMask;
  const unsigned others = minor & ~major;  // kickers, or a Full House's pair
  switch (shape.category) {
    case kHighCard:
      add_ranks(needs, major, 1);
      break;
    case kOnePair:
    case kTwoPair:
      add_ranks(needs, major, 2);
      add_ranks(needs, others, 1);
      break;
    case kThreeOfAKind:
      add_ranks(needs, major, 3);
      add_ranks(needs, others, 1);
      break;
    case kStraight:
    case kStraightFlush:
      add_ranks(needs, minor, 1);
      break;
    case kFlush:
      for (const int shift : kNibbleShifts) ++needs.count[value >> shift & kNibbleMask];
      break;
    case kFullHouse:
      add_ranks(needs, major, 3);
      add_ranks(needs, others, 2);
      break;
    case kFourOfAKind:
      add_ranks(needs, major, 4);
      add_ranks(needs, others, 1);
      break;
    default:  // Five of a Kind
      add_ranks(needs, major, 5);
      break;
  }
  return needs;
}

// A hand of one to four cards plays every card, and its wild cards all join
// the best group: they stand for the value's top rank.
RankNeeds ranks_of_small_hand(const CardCode* cards, int count, int top) {
  RankNeeds needs;
  for (int i = 0; i < count; ++i)
    ++needs.count[is_wild(cards[i]) ? top : card_rank_index(cards[i])];
  return needs;
}

// The hand's natural cards counted by suit and rank, and its wild cards.
struct HandStock {
  int natural[kSuitCount][kRankCount] = {};
  int wilds = 0;
};

HandStock stock_of(const CardCode* cards, int count) {
  HandStock stock;
  for (int i = 0; i < count; ++i) {
    if (is_wild(cards[i]))
      ++stock.wilds;
    else
      ++stock.natural[card_suit_index(cards[i])][card_rank_index(cards[i])];
  }
  return stock;
}

// How many of the needed cards the naturals of `suit` supply.
int naturals_of_suit(const HandStock& stock, const RankNeeds& needs, int suit) {
  int supplied = 0;
  for (int r = 0; r < kRankCount; ++r)
    supplied += needs.count[r] < stock.natural[suit][r] ? needs.count[r] : stock.natural[suit][r];
  return supplied;
}

// The suit of a Flush or Straight Flush: the one whose natural cards supply
// the most, leaving few enough for the wild cards; the first in d s c h on a tie.
int flush_suit(const HandStock& stock, const RankNeeds& needs, int played) {
  int best_suit = 0, best_supplied = -1;
  for (int s = 0; s < kSuitCount; ++s) {
    const int supplied = naturals_of_suit(stock, needs, s);
    if (supplied + stock.wilds >= played && supplied > best_supplied) {
      best_suit = s;
      best_supplied = supplied;
    }
  }
  assert(best_supplied >= 0);
  return best_suit;
}

// The ranks in reading order: the largest group first, then the highest rank;
// when the Ace plays low (a Five-high straight, short deck's A-6-7-8-9, any
// hand under ace-to-five) it comes last among its group, where it plays.
int ranks_in_order(const RankNeeds& needs, bool ace_plays_low, int order[5]) {
  int n = 0;
  for (int size = 5; size >= 1; --size) {
    if (!ace_plays_low && needs.count[kAceRank] == size) order[n++] = kAceRank;
    for (int r = kAceRank - 1; r >= 0; --r)
      if (needs.count[r] == size) order[n++] = r;
    if (ace_plays_low && needs.count[kAceRank] == size) order[n++] = kAceRank;
  }
  return n;
}

// Takes the first card of the hand not yet played that `fits`.
template <class Fits>
bool take_card(const CardCode* cards, int count, bool* played, Fits&& fits, CardCode& taken) {
  for (int i = 0; i < count; ++i)
    if (!played[i] && fits(cards[i])) {
      played[i] = true;
      taken = cards[i];
      return true;
    }
  return false;
}

// Five natural cards of one suit are a Flush unless they make a category
// the standard order ranks higher, so a hand valued below a Flush cannot
// play them. Under an order that ranks Flush lower still, the suit order
// may have picked them: the lowest card that can is changed for a natural
// card of its rank and another suit, or else for a wild card. (Under the
// standard order such a hand would have been the Flush.)
void break_flush(const CardCode* cards, int count, bool* played, BestFive& best) {
  for (int i = 0; i < 5; ++i)
    if (is_wild(best.cards[i].card) || best.cards[i].suit != best.cards[0].suit) return;
  for (int i = 4; i >= 0; --i) {
    PlayedCard& p = best.cards[i];
    for (int s = 0; s < kSuitCount; ++s) {
      const CardCode natural = make_card(p.rank, s, false);
      CardCode taken;
      if (s != p.suit &&
          take_card(
              cards, count, played, [natural](CardCode c) { return c == natural; }, taken)) {
        p = {taken, p.rank, s};
        return;
      }
    }
  }
  CardCode taken = kJoker;
  if (take_card(cards, count, played, is_wild, taken))
    best.cards[4] = {taken, best.cards[4].rank, kAnySuit};
}

// The cards of a hand worked back from its value's shape.
BestFive cards_of_value(const CardCode* cards, int count, const ValueShape& shape) {
  BestFive best;
  best.value = shape.value;

  // 1. The ranks the played cards hold.
  const bool small = count < 5;
  const int played_count = small ? count : 5;
  const RankNeeds needs =
      small && !shape.ranked ? ranks_of_small_hand(cards, count, shape.top) : ranks_of_value(shape);

  // 2. The suit, where the hand needs one.
  const int category = shape.category;
  const bool one_suit = !small && (category == kFlush || category == kStraightFlush);
  const int suit = one_suit ? flush_suit(stock_of(cards, count), needs, played_count) : kAnySuit;

  // 3. Each rank in reading order: natural cards by suit, then wild cards.
  int order[5];
  const int ranks = ranks_in_order(needs, shape.ace_plays_low, order);
  bool played[kMaxHandSize] = {};
  for (int i = 0; i < ranks; ++i) {
    const int rank = order[i];
    int left = needs.count[rank];
    for (int s = 0; s < kSuitCount && left > 0; ++s) {
      if (one_suit && s != suit) continue;
      const CardCode natural = make_card(rank, s, false);
      CardCode taken;
      while (left > 0 &&
             take_card(
                 cards, count, played, [natural](CardCode c) { return c == natural; }, taken)) {
        best.cards[best.count++] = {taken, rank, s};
        --left;
      }
    }
    for (; left > 0; --left) {
      CardCode taken = kJoker;
      const bool found = take_card(cards, count, played, is_wild, taken);
      assert(found);
      (void)found;
      best.cards[best.count++] = {taken, rank, suit};
    }
  }
  assert(best.count == played_count);
  if (shape.ranked && shape.flushes && category < kFlush && played_count == 5)
    break_flush(cards, count, played, best);
  return best;
}

bool is_straight(int category) { return category == kStraight || category == kStraightFlush; }

// A rank mask in ace-to-five's order (the Ace at bit 0) in the standard one.
unsigned ace_high(unsigned ranks) { return ranks >> 1 | (ranks & 1u) << kAceRank; }

// A lowball value's low bits turned back, ranks in the standard order.
HandValue standard_layout(HandValue value, const Ranking& ranking) {
  const HandValue layout = (value ^ kLowballFlip) & kLowballFlip;
  if (ranking.kind != RankingKind::kAceToFive) return layout;  // Flush nibbles included
  // No Flush under low: only the major and minor rank masks.
  return static_cast<HandValue>(ace_high(layout >> kMajorShift & kRankBitsMask)) << kMajorShift |
         ace_high(layout & kRankBitsMask);
}

}  // namespace

BestFive best_five(const CardCode* cards, int count) {
  assert(count >= 1 && count <= kMaxHandSize && cards != nullptr);
  if (count < 1 || count > kMaxHandSize) return BestFive{};
  ValueShape shape;
  shape.value = evaluate(cards, count);
  shape.category = hand_category(shape.value);
  shape.top = top_rank(shape.value);
  shape.layout = shape.value;
  shape.ace_plays_low =
      is_straight(shape.category) && (shape.value & kRankBitsMask) == kStraightPatterns[1];
  return cards_of_value(cards, count, shape);
}

BestFive best_five(const CardCode* cards, int count, const Ranking& ranking) {
  assert(count >= 1 && count <= kMaxHandSize && cards != nullptr);
  if (count < 1 || count > kMaxHandSize) return BestFive{};
  ValueShape shape;
  shape.value = evaluate(cards, count, ranking);
  shape.category = hand_category(shape.value, ranking);
  shape.top = top_rank(shape.value, ranking);
  shape.layout = ranking.kind == RankingKind::kCategoryOrder
                     ? shape.value
                     : standard_layout(shape.value, ranking);
  const HandValue minor = shape.layout & kRankBitsMask;
  shape.ace_plays_low =
      ranking.kind == RankingKind::kAceToFive ||
      (is_straight(shape.category) &&
       (ranking.ace_six_straights ? minor == kAceSixPattern : minor == kStraightPatterns[1]));
  shape.flushes = ranking.kind != RankingKind::kAceToFive;
  shape.ranked = true;
  return cards_of_value(cards, count, shape);
}

std::string best_five_text(const BestFive& best) {
  std::string text;
  for (int i = 0; i < best.count; ++i) {
    const PlayedCard& played = best.cards[i];
    if (i > 0) text += ' ';
    if (!is_wild(played.card)) {
      text += card_text(played.card);
      continue;
    }
    text += kRankChars[played.rank];
    if (played.suit != kAnySuit) text += kSuitChars[played.suit];
    text += '*';
  }
  return text;
}

}  // namespace orvix
