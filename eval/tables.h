#pragma once
// Lookup tables over all 8192 rank masks, filled once at start-up by
// build_eval_tables() and read-only afterwards (any number of threads).

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

}  // namespace orvix
