#pragma once
// The evaluator under the lowball rankings (ace-to-five and deuce-to-seven).
// Internal to the evaluator.

#include <cstdint>

#include <orvix/internal/fast_eval.h>
#include <orvix/ranking.h>

#include "ranked_tables.h"

namespace orvix {

// Any hand of 1 to 20 cards under a lowball ranking, without tables.
HandValue lowball_value(const CardCode* cards, int count, const Ranking& ranking);

// Deuce, seven natural cards of which five or more share a suit (`sum` their
// summed count words): the best of the 21 five-card hands, each one look-up.
HandValue deuce_seven_suited(const RankedTables& rt, const CardCode* cards, std::uint64_t sum,
                             const Ranking& ranking);

// Fills the deuce tables' suited[0][m]: five cards of ranks m, all of one suit.
void fill_deuce_suited(RankedTables& t);

// Five or seven cards under a lowball ranking with its tables: one look-up by
// the rank counters, as the standard paths take (under low suits never
// matter; under deuce a wild card can always take a second suit). A rank held
// four times, four wild cards, or a possible flush under deuce without a wild
// card take the slower paths.
template <int N>
inline HandValue lowball_with_tables(const RankedTables& rt, const CardCode* c,
                                     const Ranking& ranking) {
  const fast_eval::FastTables& t = fast_eval::g_tables;  // built before any ranked tables
  std::uint64_t sum = fast_eval::kSuitBias;
  for (int i = 0; i < N; ++i) sum += t.card_words[fast_eval::card_slot(c[i])];
  const auto wilds = static_cast<std::uint32_t>(sum >> fast_eval::kWildCountShift);
  // The suit flags count under deuce without a wild card: masked without a
  // branch, since hands with and without wild cards come in any mix.
  const std::uint64_t flush_flags =
      (ranking.kind == RankingKind::kDeuceToSeven ? fast_eval::kSuitFlagMask : 0) &
      (std::uint64_t{0} - static_cast<std::uint64_t>(wilds == 0));
  if ((sum & (fast_eval::kFourMask | flush_flags)) != 0 || wilds >= fast_eval::kTableWilds)
      [[unlikely]] {
    if constexpr (N == 7) {
      if ((sum & fast_eval::kFourMask) == 0 && wilds == 0)  // deuce's possible flush
        return deuce_seven_suited(rt, c, sum, ranking);
    }
    return lowball_value(c, N, ranking);
  }
  return ranked_by_ranks<N>(t, rt, sum);
}

}  // namespace orvix
