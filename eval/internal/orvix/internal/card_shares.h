#pragma once
// Hands under a use rule (K own cards and 5 - K board cards) valued by
// shares: a share is the summed count words (fast_eval.h) of the cards one
// side gives a five-card hand, with those cards' indices. A deal lists the
// board's shares once; each seat lists its own and pairs them with the
// board's, one addition and one table look-up per five-card hand.
// evaluate_use pairs one hand's shares the same way; the deal loop lists the
// board's once for every seat. Internal to the evaluator; not installed.

#include <algorithm>
#include <cstdint>

#include <orvix/card.h>
#include <orvix/evaluate.h>
#include <orvix/internal/fast_eval.h>

namespace orvix {

// picks: the cards' indices, kPickBits each, the last card's lowest.
struct CardShare {
  std::uint64_t sum;
  std::uint32_t picks;
};
inline constexpr int kPickBits = 5;
inline constexpr std::uint32_t kPickMask = (1u << kPickBits) - 1;
static_assert(kMaxHandSize <= (1 << kPickBits));

// The most shares a side may list: Omaha pairs 6 own shares (4 choose 2)
// with 10 board shares (5 choose 3).
inline constexpr int kMaxShares = 64;

// choose(5, 3) == 10.
constexpr int choose(int n, int k) {
  int c = 1;
  for (int i = 0; i < k; ++i) c = c * (n - i) / (i + 1);
  return c;
}

// Whether a game's hands fit the share lists: at most kMaxShares each side.
constexpr bool shares_fit(int own_count, int board_count, int use) {
  return choose(own_count, use) <= kMaxShares && choose(board_count, kMaxUse - use) <= kMaxShares;
}

// Lists every share of kLeft more cards of `words` from index `from` on,
// starting from the partial sum and picks given.
template <int kLeft>
inline void list_shares(const std::uint64_t* words, int count, int from, std::uint64_t sum,
                        std::uint32_t picks, CardShare* shares, int& listed) {
  if constexpr (kLeft == 0) {
    shares[listed++] = {sum, picks};
  } else {
    for (int i = from; i <= count - kLeft; ++i)
      list_shares<kLeft - 1>(words, count, i + 1, sum + words[i],
                             picks << kPickBits | static_cast<std::uint32_t>(i), shares, listed);
  }
}

// Puts the kCount cards of a share's picks at chosen[0..kCount - 1].
template <int kCount>
inline void unpack_share(const CardCode* cards, std::uint32_t picks, CardCode* chosen) {
  for (int m = 0; m < kCount; ++m)
    chosen[kCount - 1 - m] = cards[picks >> (kPickBits * m) & kPickMask];
}

// The best five-card hand of one own share (kUse cards of `own`, the suit
// bias in its sum) and one board share (the rest, of `board`).
template <int kUse>
inline HandValue best_of_shares(const fast_eval::FastTables& tables, const CardCode* own,
                                const CardShare* own_shares, int own_count, const CardCode* board,
                                const CardShare* board_shares, int board_count) {
  HandValue best = 0;
  for (int i = 0; i < own_count; ++i) {
    for (int j = 0; j < board_count; ++j) {
      const std::uint64_t sum = own_shares[i].sum + board_shares[j].sum;
      HandValue value;
      if ((sum & fast_eval::kRouteMask) != 0) [[unlikely]] {
        CardCode chosen[kMaxUse];
        unpack_share<kUse>(own, own_shares[i].picks, chosen);
        unpack_share<kMaxUse - kUse>(board, board_shares[j].picks, chosen + kUse);
        value = fast_eval::routed_5(chosen, sum);
      } else {
        value = fast_eval::rank_value(tables.five, sum);
      }
      best = std::max(best, value);
    }
  }
  return best;
}

}  // namespace orvix
