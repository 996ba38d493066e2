#include <orvix/internal/catalogue.h>

#include <algorithm>

#include <orvix/internal/tables.h>

namespace orvix {
namespace {

constexpr bool is_straight_pattern(unsigned m) {
  for (int s = 1; s <= kStraightCount; ++s)
    if (m == kStraightPatterns[s]) return true;
  return false;
}

// Calls f(m) for every rank mask of `size` ranks, in increasing order: each
// next mask is the least greater one with as many bits (carry the lowest run
// of ones up one place, and drop the rest of it back to the bottom).
template <class F>
constexpr void for_each_rank_set(int size, F f) {
  for (unsigned m = (1u << size) - 1; m < kRankMaskCount;) {
    f(m);
    const unsigned low = m & (~m + 1);
    const unsigned carried = m + low;
    m = carried | ((carried ^ m) >> 2) / low;
  }
}

// The value of a Flush of rank indices a >= b >= c >= d >= e, best first.
constexpr HandValue flush_of(int a, int b, int c, int d, int e) {
  return static_cast<HandValue>(kFlush) << kCategoryShift |
         static_cast<HandValue>(a) << kNibbleShifts[0] |
         static_cast<HandValue>(b) << kNibbleShifts[1] |
         static_cast<HandValue>(c) << kNibbleShifts[2] |
         static_cast<HandValue>(d) << kNibbleShifts[3] |
         static_cast<HandValue>(e) << kNibbleShifts[4];
}

// Calls add(value) for every five-card value, category by category, each in
// ascending order, so the whole comes out sorted without a sort: within a
// category the value compares by major_ranks, then minor_ranks, and the loops
// below step through exactly those in increasing order.
template <class Add>
constexpr void for_each_five_card_value(Add add) {
  for_each_rank_set(5, [&](unsigned m) {  // High Card: five ranks, no straight
    if (!is_straight_pattern(m)) add(hand_value(kHighCard, m, 0));
  });
  for (int p = 0; p < kRankCount; ++p)  // One Pair: three kickers
    for_each_rank_set(3, [&](unsigned k) {
      if (!(k >> p & 1)) add(hand_value(kOnePair, 1u << p, 1u << p | k));
    });
  for_each_rank_set(2, [&](unsigned pairs) {  // Two Pair: one kicker
    for (int k = 0; k < kRankCount; ++k)
      if (!(pairs >> k & 1)) add(hand_value(kTwoPair, pairs, pairs | 1u << k));
  });
  for (int t = 0; t < kRankCount; ++t)  // Three of a Kind: two kickers
    for_each_rank_set(2, [&](unsigned k) {
      if (!(k >> t & 1)) add(hand_value(kThreeOfAKind, 1u << t, 1u << t | k));
    });
  for (int s = 1; s <= kStraightCount; ++s) add(kStraightValues[s]);
  // Flush: every multiset of five ranks, best rank first, except those that
  // are a straight, a full house, four or five of a kind (which rank higher).
  // Sorted ranks make the groups runs of equal neighbours.
  for (int a = 0; a < kRankCount; ++a)
    for (int b = 0; b <= a; ++b)
      for (int c = 0; c <= b; ++c)
        for (int d = 0; d <= c; ++d)
          for (int e = 0; e <= d; ++e) {
            const bool four = a == d || b == e;
            const bool full_house = (a == c && d == e && c != d) || (a == b && c == e && b != c);
            const bool distinct = a != b && b != c && c != d && d != e;
            if (four || full_house ||
                (distinct && is_straight_pattern(1u << a | 1u << b | 1u << c | 1u << d | 1u << e)))
              continue;
            add(flush_of(a, b, c, d, e));
          }
  for (int t = 0; t < kRankCount; ++t)  // Full House
    for (int p = 0; p < kRankCount; ++p)
      if (p != t) add(hand_value(kFullHouse, 1u << t, 1u << t | 1u << p));
  for (int q = 0; q < kRankCount; ++q)  // Four of a Kind
    for (int k = 0; k < kRankCount; ++k)
      if (k != q) add(hand_value(kFourOfAKind, 1u << q, 1u << q | 1u << k));
  for (int s = 1; s <= kStraightCount; ++s) add(kStraightFlushValues[s]);
  for (int r = 0; r < kRankCount; ++r) add(hand_value(kFiveOfAKind, 1u << r, 0));
}

constexpr int count_five_card_values() {
  int n = 0;
  for_each_five_card_value([&](HandValue) { ++n; });
  return n;
}
static_assert(count_five_card_values() == kCatalogueSize,
              "kCatalogueSize is the catalogue's length");

constexpr std::array<HandValue, kCatalogueSize> make_catalogue() {
  std::array<HandValue, kCatalogueSize> out{};
  int n = 0;
  for_each_five_card_value([&](HandValue v) { out[n++] = v; });
  return out;
}

constexpr std::array<HandValue, kCatalogueSize> kCatalogue = make_catalogue();
static_assert(std::is_sorted(kCatalogue.begin(), kCatalogue.end()) &&
                  std::adjacent_find(kCatalogue.begin(), kCatalogue.end()) == kCatalogue.end(),
              "the catalogue ascends strictly");

// Each category's stretch of the sorted catalogue.
constexpr std::array<CategoryRange, kCategoryCount> make_category_ranges() {
  std::array<CategoryRange, kCategoryCount> ranges{};
  for (int c = 0; c < kCategoryCount; ++c) ranges[c] = {kCatalogueSize, -1};
  for (int i = 0; i < kCatalogueSize; ++i) {
    CategoryRange& r = ranges[hand_category(kCatalogue[i])];
    r.first = std::min(r.first, i);
    r.last = std::max(r.last, i);
  }
  return ranges;
}

// Every category has values, and together they cover the catalogue in order.
constexpr bool ranges_tile_catalogue(const std::array<CategoryRange, kCategoryCount>& ranges) {
  int next = 0;
  for (const CategoryRange& r : ranges) {
    if (r.first != next || r.last < r.first) return false;
    next = r.last + 1;
  }
  return next == kCatalogueSize;
}
static_assert(ranges_tile_catalogue(make_category_ranges()));

}  // namespace

constinit const std::array<HandValue, kCatalogueSize> kFiveCardValues = kCatalogue;
constinit const std::array<CategoryRange, kCategoryCount> kCategoryRanges = make_category_ranges();

}  // namespace orvix
