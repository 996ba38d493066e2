#pragma once
// Hand orders other than the standard one: the ten categories in any order,
// and short deck (Flush above Full House, A-6-7-8-9 the lowest straight).
//
//   Ranking r = shortdeck_ranking();
//   HandValue v = evaluate(cards, 7, r);   // a Flush beats a Full House
//   kCategoryNames[hand_category(v, r)];   // "Flush"
//
//   Ranking mine;
//   if (parse_ranking_order("5K SF 4K FH FL ST 2P 3K 1P HC", mine)) ...  // Two Pair over Trips
//
// What an order means: five natural cards keep their standard category
// (K-K-K-9-9 is a Full House under any order); the order chooses among the
// five-card hands a larger hand holds and among the cards its wild cards may
// stand for (any card, one the hand holds included). Within a category,
// values compare as under the standard order.
//
// Ranked values: a HandValue whose category field holds the category's
// position in the order instead of the category itself, so that values still
// compare as plain numbers:
//
//   bits 31..28 position (0 lowest .. 9 highest) | 27..0 as the category's standard value
//
// Under standard_ranking() the position is the category, and a ranked value
// is exactly the value evaluate(cards, count) gives. Under short deck:
//
//   "Kh Kd Kc 9h 9s"  standard 0x62000880, short deck 0x52000880 (Full House at 5)
//   "Kh Jh 9h 5h 2h"  standard 0x500B9730, short deck 0x600B9730 (Flush at 6)
//   "Ah 6d 7c 8s 9h"  standard 0x043C0000 (High Card), short deck 0x400210F0
//
// Under short deck,
// A-2-3-4-5 is no straight (High Card, or a Flush when suited), and
// A-6-7-8-9 takes the wheel's place below every other straight: major ranks
// the Five (as the wheel has), minor ranks Ace, Nine, Eight, Seven, Six
// (0x10F0). top_rank(v, r) files it under Nine.
//
// Rankings are plain records, made only by the functions below.

#include <cstdint>
#include <string_view>

#include <orvix/card.h>
#include <orvix/evaluate.h>

namespace orvix {

// What kind of order a ranking is. Only orders of the ten categories so far.
enum class RankingKind : std::uint8_t { kCategoryOrder = 0 };

struct Ranking {
  RankingKind kind;
  // order[0] is the highest category (a HandCategory), order[9] the lowest.
  std::uint8_t order[kCategoryCount];
  // position[c]: where category c stands, 9 highest .. 0 lowest;
  // position[order[i]] == 9 - i.
  std::uint8_t position[kCategoryCount];
  // True when A-6-7-8-9 replaces A-2-3-4-5 as the lowest straight.
  bool ace_six_straights;
  // The evaluator's lookup tables for this order, which the makers build
  // (once per distinct ranking, about 50 ms and 1.3 MB, for up to 32
  // rankings): 0 for none, when evaluation takes a slower path. A record
  // whose other fields were changed afterwards is noticed and takes that
  // path too.
  std::uint8_t tables;
};

// The short codes of the categories, indexed by HandCategory:
// kCategoryCodes[kFullHouse] == "FH".
inline constexpr const char* kCategoryCodes[kCategoryCount] = {"HC", "1P", "2P", "3K", "ST",
                                                               "FL", "FH", "4K", "SF", "5K"};

// The standard order: Five of a Kind, Straight Flush, ..., High Card.
Ranking standard_ranking();

// Short deck: Flush above Full House, and A-6-7-8-9 the lowest straight.
Ranking shortdeck_ranking();

// The order `order` (ten HandCategory values, highest first, each once),
// with the standard straights or short deck's. Returns false and leaves
// `ranking` as it was when some category is missing or repeated.
bool ranking_from_order(const int order[kCategoryCount], Ranking& ranking,
                        bool ace_six_straights = false);

// Reads an order, highest first: the ten codes of kCategoryCodes (any case)
// separated by blanks or commas ("5K SF 4K FH FL ST 3K 2P 1P HC"), or the ten
// names of kCategoryNames in any case separated by commas, blanks around them
// allowed ("Flush, full house, ..."). Returns false and leaves `ranking` as it
// was unless each category comes exactly once.
bool parse_ranking_order(std::string_view text, Ranking& ranking);

// Field by field, the tables aside.
bool operator==(const Ranking& a, const Ranking& b);
inline bool operator!=(const Ranking& a, const Ranking& b) { return !(a == b); }

// The category (a HandCategory) of a value made under `ranking`:
// hand_category(evaluate(full_house, 5, shortdeck_ranking()), shortdeck_ranking()) == kFullHouse,
// whose value's bits 31..28 hold 5.
constexpr int hand_category(HandValue value, const Ranking& ranking) {
  return ranking.order[kCategoryCount - 1 - static_cast<int>(value >> kCategoryShift)];
}

// The minor ranks of the short-deck straights A-6-7-8-9: Ace, Nine to Six.
inline constexpr HandValue kAceSixPattern = 0x10F0;

// The rank index a value made under `ranking` is filed under, as top_rank(value)
// files standard values; A-6-7-8-9 under Nine.
constexpr int top_rank(HandValue value, const Ranking& ranking) {
  const int category = hand_category(value, ranking);
  if (category == kFlush) return static_cast<int>(value >> kFlushTopShift & kNibbleMask);
  if (ranking.ace_six_straights && (category == kStraight || category == kStraightFlush) &&
      (value & kRankBitsMask) == kAceSixPattern)
    return 7;  // Nine
  return highest_bit(static_cast<std::uint32_t>(value >> kMajorShift & kRankBitsMask) | 1u);
}

// The value of the `count` cards from `cards` (1 to 20) under `ranking`; 0
// for any other count. Allocates nothing; safe from any number of threads.
//   "Kh Kd Kc 9h 9s 5h 2h" under shortdeck_ranking(): Full House (no Flush in it);
//   "Kh Kd Kc 9h 9s 5h 2h Jh" under shortdeck_ranking(): Flush, Kh 9h Jh 5h 2h.
HandValue evaluate(const CardCode* cards, int count, const Ranking& ranking);

// evaluate_use under `ranking`: the best of the hands the use rule allows.
HandValue evaluate_use(const CardCode* own, int own_count, const CardCode* board, int board_count,
                       int use, const Ranking& ranking);

}  // namespace orvix
