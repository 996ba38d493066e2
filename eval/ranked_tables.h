#pragma once
// Lookup tables for one ranking, the counterparts of the standard five- and
// seven-card tables (fast_eval.h): the same rank-counter keys, placed by the
// same perfect hashes, hold the hand's value under the ranking, and the suit
// table the best Straight Flush or Flush one suit makes. A hand without a
// possible flush or a rank held four times then costs one look-up, as under
// the standard order. Internal to the evaluator.

#include <atomic>
#include <cstdint>
#include <cstring>

#include <orvix/internal/fast_eval.h>
#include <orvix/ranking.h>

namespace orvix {

struct RankedTables {
  Ranking ranking;  // the fields the tables were built for
  HandValue seven[fast_eval::kTableWilds][fast_eval::RankHashTable<fast_eval::kSevenHash>::kSlots];
  HandValue five[fast_eval::kTableWilds][fast_eval::RankHashTable<fast_eval::kFiveHash>::kSlots];
  // suited[w][m]: the best Straight Flush or Flush (ranked; 0 for none) of
  // natural cards of one suit with ranks m and w wild cards, 5 to 7 cards.
  HandValue suited[fast_eval::kTableWilds][fast_eval::kSuitMaskCount];
};

// Table sets 1 .. kMaxRankedTables; Ranking::tables 0 means none.
inline constexpr int kMaxRankedTables = 32;
// Ranking::tables of the standard order, which the standard evaluator serves.
inline constexpr std::uint8_t kStandardTables = 255;

// The tables of the ranking with these fields, built on the first call for
// them (thread-safe); 0 when every set is taken.
std::uint8_t ranked_tables_for(const Ranking& ranking);

extern std::atomic<const RankedTables*> g_ranked_tables[kMaxRankedTables + 1];

// Whether two rankings order hands alike.
inline bool same_order(const Ranking& a, const Ranking& b) {
  return std::memcmp(a.position, b.position, sizeof a.position) == 0 &&
         a.ace_six_straights == b.ace_six_straights && a.kind == b.kind;
}

inline bool is_standard_order(const Ranking& r) {
  constexpr std::uint8_t kStandardPositions[kCategoryCount] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  return std::memcmp(r.position, kStandardPositions, sizeof r.position) == 0 &&
         !r.ace_six_straights && r.kind == RankingKind::kCategoryOrder;
}

// The tables serving `ranking`, or nullptr (none, or the record no longer
// matches the ranking they were built for).
inline const RankedTables* tables_of(const Ranking& ranking) {
  if (ranking.tables == 0 || ranking.tables > kMaxRankedTables) return nullptr;
  const RankedTables* t = g_ranked_tables[ranking.tables].load(std::memory_order_acquire);
  return t != nullptr && same_order(t->ranking, ranking) ? t : nullptr;
}

// The ranking's value of five or seven cards by their summed count words
// alone: the slot of their rank counters in the standard hash (`t`), read
// from the ranking's table.
template <int N>
inline HandValue ranked_by_ranks(const fast_eval::FastTables& t, const RankedTables& rt,
                                 std::uint64_t sum) {
  const auto wilds = static_cast<std::uint32_t>(sum >> fast_eval::kWildCountShift);
  const std::uint64_t key = sum & fast_eval::kRankFieldsMask;
  if constexpr (N == 5) {
    using fast_eval::kFiveHash;
    return rt.five[wilds][fast_eval::hash_position<kFiveHash>(key) ^
                          t.five.displacements[wilds][fast_eval::hash_bucket<kFiveHash>(key)]];
  } else {
    using fast_eval::kSevenHash;
    return rt.seven[wilds][fast_eval::hash_position<kSevenHash>(key) ^
                           t.seven.displacements[wilds][fast_eval::hash_bucket<kSevenHash>(key)]];
  }
}

}  // namespace orvix
