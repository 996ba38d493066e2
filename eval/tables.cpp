#include <orvix/internal/tables.h>

namespace orvix {
namespace {

// The ranks in a rank mask, as one expression: the compile-time evaluator
// counts steps (Clang stops at a million), and std::popcount costs several.
constexpr int kNibbleBitCounts[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};
constexpr int rank_count(unsigned m) {
  return kNibbleBitCounts[m & 0xF] + kNibbleBitCounts[m >> 4 & 0xF] +
         kNibbleBitCounts[m >> 8 & 0xF] + kNibbleBitCounts[m >> 12 & 0xF];
}

// top_bits: the highest rank of m, then the top rows of m without it, one rank
// further down. Rows are filled in increasing m, so m's remainder is ready.
constexpr void fill_top_bits(EvalTables& t) {
  for (int k = 0; k < 5; ++k) t.top_bits[0][k] = 0;
  for (unsigned m = 1; m < kRankMaskCount; ++m) {
    const unsigned high = std::bit_floor(m);
    const std::uint16_t* rest = t.top_bits[m & ~high];
    std::uint16_t* row = t.top_bits[m];
    row[0] = static_cast<std::uint16_t>(high);
    for (int k = 1; k < 5; ++k) row[k] = static_cast<std::uint16_t>(high | rest[k - 1]);
  }
}

// straight_reach: with w free ranks, the best straight that misses at most w
// of its ranks in m.
constexpr void fill_straight_reach(EvalTables& t) {
  for (unsigned m = 0; m < kRankMaskCount; ++m) {
    int best_missing[5] = {0, 0, 0, 0, 0};  // the best straight missing exactly that many
    for (int s = 1; s <= kStraightCount; ++s) {
      const int missing = rank_count(kStraightPatterns[s] & ~m);
      if (missing < 4) best_missing[missing] = s;
    }
    int best = 0;
    for (int w = 0; w < 4; ++w) {
      if (best_missing[w] > best) best = best_missing[w];
      t.straight_reach[m][w] = static_cast<std::uint8_t>(best);
    }
  }
}

constexpr EvalTables make_eval_tables() {
  EvalTables t{};
  for (unsigned m = 0; m < kRankMaskCount; ++m) t.multi_bit[m] = (m & (m - 1)) != 0;
  fill_top_bits(t);
  fill_straight_reach(t);
  return t;
}

}  // namespace

constinit const EvalTables kEvalTables = make_eval_tables();

}  // namespace orvix
