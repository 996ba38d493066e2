// best_five: works back from the hand's value. The value fixes the five
// ranks (with repeats) that make it; only the suit of a Flush or Straight
// Flush is left to choose. Each rank is filled with the hand's natural cards
// of that rank first, and wild cards stand in for the rest.
#include <orvix/best_five.h>

#include <cassert>

#include <orvix/internal/tables.h>

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

// The five ranks a value of five or more cards is made of.
RankNeeds ranks_of_value(HandValue value) {
  RankNeeds needs;
  const unsigned major = value >> kMajorShift & kRankBitsMask;
  const unsigned minor = value & kRankBitsMask;
  const unsigned others = minor & ~major;  // kickers, or a Full House's pair
  switch (hand_category(value)) {
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
RankNeeds ranks_of_small_hand(const CardCode* cards, int count, HandValue value) {
  RankNeeds needs;
  for (int i = 0; i < count; ++i)
    ++needs.count[is_wild(cards[i]) ? top_rank(value) : card_rank_index(cards[i])];
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
// the Ace of a Five-high straight last, where it plays.
int ranks_in_order(const RankNeeds& needs, HandValue value, int order[5]) {
  int n = 0;
  for (int size = 5; size >= 1; --size)
    for (int r = kRankCount - 1; r >= 0; --r)
      if (needs.count[r] == size) order[n++] = r;
  const int category = hand_category(value);
  if ((category == kStraight || category == kStraightFlush) &&
      (value & kRankBitsMask) == kStraightPatterns[1]) {
    for (int i = 0; i + 1 < n; ++i) order[i] = order[i + 1];
    order[n - 1] = kAceRank;
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

}  // namespace

BestFive best_five(const CardCode* cards, int count) {
  assert(count >= 1 && count <= kMaxHandSize && cards != nullptr);
  BestFive best;
  if (count < 1 || count > kMaxHandSize) return best;
  best.value = evaluate(cards, count);

  // 1. The ranks the played cards hold.
  const bool small = count < 5;
  const int played_count = small ? count : 5;
  const RankNeeds needs =
      small ? ranks_of_small_hand(cards, count, best.value) : ranks_of_value(best.value);

  // 2. The suit, where the hand needs one.
  const int category = hand_category(best.value);
  const bool one_suit = !small && (category == kFlush || category == kStraightFlush);
  const int suit = one_suit ? flush_suit(stock_of(cards, count), needs, played_count) : kAnySuit;

  // 3. Each rank in reading order: natural cards by suit, then wild cards.
  int order[5];
  const int ranks = ranks_in_order(needs, best.value, order);
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
  return best;
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
