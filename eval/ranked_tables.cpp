// Building the lookup tables of a ranking, once per distinct ranking, from
// the general routine.
#include "ranked_tables.h"

#include <bit>
#include <memory>
#include <mutex>

#include "lowball.h"
#include "ranked.h"

namespace orvix {

std::atomic<const RankedTables*> g_ranked_tables[kMaxRankedTables + 1];

namespace {

using fast_eval::hash_bucket;
using fast_eval::hash_position;
using fast_eval::kRankFieldBits;
using fast_eval::RankHashShape;
using fast_eval::RankHashTable;

// Every key with counters 0..3 for `size` cards of which `wilds` are wild (at
// the start of `cards`), valued by a hand of those cards spread over the
// suits in turn, so that no flush can be made (as the standard tables are
// built), and stored at the key's slot of the standard hash.
template <const RankHashShape& kShape>
struct KeyFiller {
  const RankHashTable<kShape>& standard;
  HandValue* values;
  const Ranking& ranking;
  int size;
  int wilds;
  CardCode cards[7];

  void fill(int rank, int at, std::uint64_t key) {
    if (at == size) {
      const std::uint32_t slot =
          hash_position<kShape>(key) ^ standard.displacements[wilds][hash_bucket<kShape>(key)];
      values[slot] = ranking.kind == RankingKind::kCategoryOrder
                         ? evaluate_ranked_general(cards, size, ranking)
                         : lowball_value(cards, size, ranking);
      return;
    }
    if (rank == kRankCount) return;
    for (int n = 0; n <= 3 && at + n <= size; ++n) {
      for (int i = 0; i < n; ++i) cards[at + i] = make_card(rank, (at + i) % kSuitCount, false);
      fill(rank + 1, at + n, key + (static_cast<std::uint64_t>(n) << (kRankFieldBits * rank)));
    }
  }
};

template <const RankHashShape& kShape>
void fill_rank_values(const RankHashTable<kShape>& standard,
                      HandValue (&values)[fast_eval::kTableWilds][RankHashTable<kShape>::kSlots],
                      const Ranking& ranking, int size) {
  for (int w = 0; w < fast_eval::kTableWilds; ++w) {
    KeyFiller<kShape> f{standard, values[w], ranking, size, w, {}};
    for (int i = 0; i < w; ++i) f.cards[i] = kJoker;
    f.fill(0, w, 0);
  }
}

void fill_suited(RankedTables& t) {
  CardCode cards[7];
  for (int w = 0; w < fast_eval::kTableWilds; ++w)
    for (unsigned m = 0; m < fast_eval::kSuitMaskCount; ++m) {
      const int naturals = std::popcount(m);
      if (naturals + w < 5 || naturals + w > 7) continue;
      int n = 0;
      for (int i = 0; i < w; ++i) cards[n++] = kJoker;
      for (int r = 0; r < kRankCount; ++r)
        if (m >> r & 1) cards[n++] = make_card(r, 0, false);
      t.suited[w][m] = best_suited_ranked(cards, n, t.ranking);
    }
}

}  // namespace

std::uint8_t ranked_tables_for(const Ranking& ranking) {
  if (is_standard_order(ranking)) return kStandardTables;
  static std::mutex building;
  const std::lock_guard<std::mutex> lock(building);
  int free_set = 0;
  for (int i = 1; i <= kMaxRankedTables; ++i) {
    const RankedTables* t = g_ranked_tables[i].load(std::memory_order_acquire);
    if (t == nullptr) {
      if (free_set == 0) free_set = i;
    } else if (same_order(t->ranking, ranking)) {
      return static_cast<std::uint8_t>(i);
    }
  }
  if (free_set == 0) return 0;
  const fast_eval::FastTables& standard = fast_eval::tables();
  // Kept for the life of the program, like the standard tables.
  auto t = std::make_unique<RankedTables>();
  t->ranking = ranking;
  t->ranking.tables = static_cast<std::uint8_t>(free_set);
  fill_rank_values(standard.seven, t->seven, ranking, 7);
  fill_rank_values(standard.five, t->five, ranking, 5);
  if (ranking.kind == RankingKind::kCategoryOrder)
    fill_suited(*t);
  else if (ranking.kind == RankingKind::kDeuceToSeven)
    fill_deuce_suited(*t);
  g_ranked_tables[free_set].store(t.release(), std::memory_order_release);
  return static_cast<std::uint8_t>(free_set);
}

}  // namespace orvix
