#include "tables.h"

namespace orvix {

EvalTables eval_tables;

const CategoryRange kCategoryRanges[kCategoryCount] = {
    {0, 1276},     {1277, 4136},   {4137, 4994},   {4995, 5852},   {5853, 5862},
    {5863, 11715}, {11716, 11871}, {11872, 12027}, {12028, 12037}, {12038, 12050}};

namespace {

constexpr std::array<std::uint8_t, kRankMaskCount> make_bit_counts() {
  std::array<std::uint8_t, kRankMaskCount> counts{};
  for (unsigned m = 1; m < kRankMaskCount; ++m)
    counts[m] = static_cast<std::uint8_t>(counts[m >> 1] + (m & 1));
  return counts;
}
constexpr std::array<std::uint8_t, kRankMaskCount> kBitCounts = make_bit_counts();
constexpr int bit_count(unsigned m) { return kBitCounts[m]; }

constexpr bool is_straight_pattern(unsigned m) {
  for (int s = 1; s <= kStraightCount; ++s)
    if (m == kStraightPatterns[s]) return true;
  return false;
}

constexpr HandValue value_of(int category, unsigned major, unsigned minor) {
  return static_cast<HandValue>(category) << kCategoryShift | major << kMajorShift | minor;
}

// The catalogue is written category by category, each in ascending order, so
// the whole comes out sorted without a sort: within a category the value
// compares by major_ranks, then minor_ranks, and the loops below step through
// exactly those in increasing order.
constexpr std::array<HandValue, kCatalogueSize> make_catalogue() {
  std::array<HandValue, kCatalogueSize> out{};
  int n = 0;
  const auto add = [&](HandValue v) { out[n++] = v; };
  const unsigned all = kRankBitsMask;

  for (unsigned m = 0; m <= all; ++m)  // High Card: five ranks, no straight
    if (bit_count(m) == 5 && !is_straight_pattern(m)) add(value_of(kHighCard, m, 0));
  for (int p = 0; p < kRankCount; ++p)  // One Pair: three kickers
    for (unsigned k = 0; k <= all; ++k)
      if (bit_count(k) == 3 && !(k >> p & 1)) add(value_of(kOnePair, 1u << p, 1u << p | k));
  for (unsigned pairs = 0; pairs <= all; ++pairs)  // Two Pair: one kicker
    if (bit_count(pairs) == 2)
      for (int k = 0; k < kRankCount; ++k)
        if (!(pairs >> k & 1)) add(value_of(kTwoPair, pairs, pairs | 1u << k));
  for (int t = 0; t < kRankCount; ++t)  // Three of a Kind: two kickers
    for (unsigned k = 0; k <= all; ++k)
      if (bit_count(k) == 2 && !(k >> t & 1)) add(value_of(kThreeOfAKind, 1u << t, 1u << t | k));
  for (int s = 1; s <= kStraightCount; ++s) add(kStraightValues[s]);
  // Flush: every multiset of five ranks, best rank first, except those that
  // are a straight, a full house, four or five of a kind (which rank higher).
  for (int a = 0; a < kRankCount; ++a)
    for (int b = 0; b <= a; ++b)
      for (int c = 0; c <= b; ++c)
        for (int d = 0; d <= c; ++d)
          for (int e = 0; e <= d; ++e) {
            int counts[kRankCount] = {};
            for (int r : {a, b, c, d, e}) ++counts[r];
            int most = 0, pairs = 0, distinct = 0;
            unsigned mask = 0;
            for (int r = 0; r < kRankCount; ++r) {
              if (counts[r] > most) most = counts[r];
              if (counts[r] == 2) ++pairs;
              if (counts[r] > 0) ++distinct, mask |= 1u << r;
            }
            const bool full_house = most == 3 && pairs == 1;
            if (most >= 4 || full_house || (distinct == 5 && is_straight_pattern(mask))) continue;
            add(static_cast<HandValue>(kFlush) << kCategoryShift |
                static_cast<HandValue>(a) << 16 | b << 12 | c << 8 | d << 4 | e);
          }
  for (int t = 0; t < kRankCount; ++t)  // Full House
    for (int p = 0; p < kRankCount; ++p)
      if (p != t) add(value_of(kFullHouse, 1u << t, 1u << t | 1u << p));
  for (int q = 0; q < kRankCount; ++q)  // Four of a Kind
    for (int k = 0; k < kRankCount; ++k)
      if (k != q) add(value_of(kFourOfAKind, 1u << q, 1u << q | 1u << k));
  for (int s = 1; s <= kStraightCount; ++s) add(kStraightFlushValues[s]);
  for (int r = 0; r < kRankCount; ++r) add(value_of(kFiveOfAKind, 1u << r, 0));
  return out;
}

}  // namespace

constinit const std::array<HandValue, kCatalogueSize> kFiveCardValues = make_catalogue();

void build_eval_tables() {
  EvalTables& t = eval_tables;

  for (unsigned m = 0; m < kRankMaskCount; ++m) {
    unsigned rest = m;
    while (rest != 0 && (rest & 1) == 0) rest >>= 1;
    t.multi_bit[m] = rest > 1 ? 1 : 0;
  }

  for (unsigned m = 0; m < kRankMaskCount; ++m) {
    for (int k = 0; k < 5; ++k) t.top_bits[m][k] = 0;
    unsigned running = 0;
    int found = 0;
    for (int r = kRankCount - 1; r >= 0 && found < 5; --r) {
      if (m >> r & 1) {
        running |= 1u << r;
        t.top_bits[m][found++] = static_cast<std::uint16_t>(running);
      }
    }
    for (int k = found; found > 0 && k < 5; ++k) t.top_bits[m][k] = t.top_bits[m][found - 1];
  }

  for (unsigned m = 0; m < kRankMaskCount; ++m) {
    t.straight_reach[m][0] = 0;
    for (int s = 1; s <= kStraightCount; ++s)
      if ((m & kStraightPatterns[s]) == kStraightPatterns[s]) t.straight_reach[m][0] = static_cast<std::uint8_t>(s);
  }
  // Each wild card adds one freely chosen rank: the best over all 13 choices.
  for (int w = 1; w < 4; ++w) {
    for (unsigned m = 0; m < kRankMaskCount; ++m) {
      std::uint8_t best = 0;
      for (int r = 0; r < kRankCount; ++r) {
        const std::uint8_t s = t.straight_reach[m | 1u << r][w - 1];
        if (s > best) best = s;
      }
      t.straight_reach[m][w] = best;
    }
  }

  t.high_index[0] = 0xFF;
  for (unsigned m = 1; m < kRankMaskCount; ++m) {
    t.high_index[m] = 0;
    for (int r = kRankCount - 1; r >= 1; --r) {
      if (m >> r & 1) {
        t.high_index[m] = static_cast<std::uint8_t>(r);
        break;
      }
    }
  }
}

}  // namespace orvix
