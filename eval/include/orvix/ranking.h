#pragma once
// Hand orders other than the standard one: the ten categories in any order,
// short deck (Flush above Full House, A-6-7-8-9 the lowest straight), and the
// lowball orders, where the lowest hand wins.
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
// Lowball: the lowest hand wins. low_ranking() is ace-to-five (no straights
// or flushes, an Ace below the Two: 5-4-3-2-A is the best hand, then
// 6-4-3-2-A), deuce_ranking() deuce-to-seven (the standard categories with an
// Ace always high, so A-2-3-4-5 is Ace high: 7-5-4-3-2 of two suits or more
// is the best hand). A hand is worth its lowest five cards (all of them under
// five) under the lowest choice for each wild card: under low the lowest rank
// the hand lacks, under deuce whatever makes the lowest hand, which steps
// around straights and flushes as well as pairs.
//
// Lowball values turn the order over so that greater is still better:
//
//   bits 31..28 position (High Card 9 .. the worst category)
//   bits 27..0  the standard low bits XOR kLowballFlip, ranks ordered Ace,
//               Two, .. King under low (bit 0 the Ace) and as usual under deuce
//
// Positions, best first: low HC 1P 2P 3K FH 4K 5K (9 .. 3; ST FL SF never
// made), deuce HC 1P 2P 3K ST FL FH 4K SF 5K (9 .. 0). The readers undo the
// XOR: top_rank files a hand without a pair under its highest card (5-4-3-2-A
// under Five when low, under Ace when deuce), any other under its largest
// group, as standard values are filed (Two Pair under its higher pair: under
// low A-A-2-2-3 under Two).
//
//   "5h 4d 3c 2s Ah" low 0x9FF83FFF (High Card, Five); deuce 0x9BFC3FFF (High Card, Ace)
//   "3h 4d 5c 6s *"  deuce as 8-6-5-4-3, High Card, Eight
//
// Rankings are plain records, made only by the functions below.

#include <cstdint>
#include <string_view>

#include <orvix/card.h>
#include <orvix/evaluate.h>

namespace orvix {

// What kind of order a ranking is: an order of the ten categories (highest
// hand wins), or one of the lowball orders (lowest hand wins).
enum class RankingKind : std::uint8_t { kCategoryOrder = 0, kAceToFive = 1, kDeuceToSeven = 2 };

struct Ranking {
  RankingKind kind;
  // order[0] is the highest category (a HandCategory), order[9] the lowest;
  // under lowball the best first, High Card.
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

// Ace-to-five lowball: no straights or flushes, the Ace lowest.
Ranking low_ranking();

// Deuce-to-seven lowball: the standard categories, the Ace always high.
Ranking deuce_ranking();

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

// "standard", "shortdeck", "low" or "deuce" for the ranking of that name,
// "custom" for any other (short deck's order with the standard straights is
// custom). Builds no tables.
const char* ranking_name(const Ranking& ranking);

// The ranking named "standard", "shortdeck", "low" or "deuce", in any case.
// Returns false and leaves `ranking` as it was for any other word.
bool named_ranking(std::string_view name, Ranking& ranking);

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

// What a lowball value's low 28 bits are XORed with.
inline constexpr HandValue kLowballFlip = (HandValue{1} << kCategoryShift) - 1;

// top_rank of a lowball value (see above).
constexpr int lowball_top_rank(HandValue value, const Ranking& ranking) {
  const HandValue standard = value ^ kLowballFlip;
  if (hand_category(value, ranking) == kFlush)
    return static_cast<int>(standard >> kFlushTopShift & kNibbleMask);
  const int top =
      highest_bit(static_cast<std::uint32_t>(standard >> kMajorShift & kRankBitsMask) | 1u);
  if (ranking.kind == RankingKind::kDeuceToSeven) return top;
  return top == 0 ? kRankCount - 1 : top - 1;  // bit 0 the Ace
}

// The rank index a value made under `ranking` is filed under, as top_rank(value)
// files standard values; A-6-7-8-9 under Nine.
constexpr int top_rank(HandValue value, const Ranking& ranking) {
  if (ranking.kind != RankingKind::kCategoryOrder) return lowball_top_rank(value, ranking);
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
