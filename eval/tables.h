#pragma once
// Lookup tables over all 8192 rank masks, filled once at start-up by
// build_eval_tables() and read-only afterwards (any number of threads).

#include <array>
#include <cstdint>

#include "card.h"

namespace orvix {

inline constexpr int kRankMaskCount = 8192;

struct EvalTables {
  std::uint8_t multi_bit[kRankMaskCount];          // 1 if two or more ranks
  std::uint8_t high_index[kRankMaskCount];         // index of highest rank; 0xFF for 0
  std::uint16_t top_bits[kRankMaskCount][5];       // the k+1 highest ranks, k = 0..4
  std::uint8_t straight_reach[kRankMaskCount][4];  // best straight number with w free ranks
};

extern EvalTables eval_tables;

// Fills eval_tables. Must run before any hand is evaluated.
void build_eval_tables();

// The rank index a result table files a hand under.
inline int top_rank(HandValue value) {
  if (hand_category(value) == kFlush) return static_cast<int>((value >> 16) & 0xF);
  return eval_tables.high_index[(value >> kMajorShift) & kRankBitsMask];
}

// First and last index of each category's values in the five-card value catalogue.
struct CategoryRange {
  int first;
  int last;
};
inline constexpr int kCatalogueSize = 12051;
extern const CategoryRange kCategoryRanges[kCategoryCount];

// Every distinct value a five-card hand can take (any number of decks, so a
// Flush may repeat a rank), ascending. Read only by tests and reports.
extern const std::array<HandValue, kCatalogueSize> kFiveCardValues;

// Straights are numbered 1 (the wheel, A-2-3-4-5) to 10 (Ten to Ace) in
// ascending strength; 0 means none, so straight_reach entries index these
// directly.
inline constexpr int kStraightCount = 10;
inline constexpr std::uint16_t kStraightPatterns[kStraightCount + 1] = {
    0, 0x100F, 0x001F, 0x003E, 0x007C, 0x00F8, 0x01F0, 0x03E0, 0x07C0, 0x0F80, 0x1F00};

// Straight s tops out at rank index s + 2, except the wheel, which is Five high.
constexpr int straight_top(int s) { return s == 1 ? 3 : s + 2; }

constexpr HandValue straight_value(int category, int s) {
  return static_cast<HandValue>(category) << kCategoryShift |
         (HandValue{1} << straight_top(s)) << kMajorShift | kStraightPatterns[s];
}

inline constexpr HandValue kStraightValues[kStraightCount + 1] = {
    0,
    straight_value(kStraight, 1), straight_value(kStraight, 2), straight_value(kStraight, 3),
    straight_value(kStraight, 4), straight_value(kStraight, 5), straight_value(kStraight, 6),
    straight_value(kStraight, 7), straight_value(kStraight, 8), straight_value(kStraight, 9),
    straight_value(kStraight, 10)};

inline constexpr HandValue kStraightFlushValues[kStraightCount + 1] = {
    0,
    straight_value(kStraightFlush, 1), straight_value(kStraightFlush, 2),
    straight_value(kStraightFlush, 3), straight_value(kStraightFlush, 4),
    straight_value(kStraightFlush, 5), straight_value(kStraightFlush, 6),
    straight_value(kStraightFlush, 7), straight_value(kStraightFlush, 8),
    straight_value(kStraightFlush, 9), straight_value(kStraightFlush, 10)};

// Where the five rank indices of a Flush value go, best card first.
inline constexpr int kNibbleShifts[5] = {16, 12, 8, 4, 0};

// The suit_bit of each suit index.
inline constexpr CardCode kSuitBits[kSuitCount] = {0x01000000, 0x02000000, 0x04000000, 0x08000000};

}  // namespace orvix
