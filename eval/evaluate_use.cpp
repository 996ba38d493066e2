// A hand of own and board cards under the use rule: the best of every
// five-card hand of exactly K own cards and 5 - K board cards.
#include <algorithm>
#include <cassert>
#include <cstdint>

#include <orvix/evaluate.h>
#include <orvix/internal/card_shares.h>
#include <orvix/internal/fast_eval.h>

namespace orvix {
namespace {

// Both sides of a hand with their count words (the five-card table path's
// per-card words), looked up once per hand rather than once per five cards.
struct UseHand {
  const fast_eval::FastTables& tables;
  const CardCode* own;
  int own_count;
  const CardCode* board;
  int board_count;
  const std::uint64_t* own_words;
  const std::uint64_t* board_words;
  CardCode chosen[5];  // the five cards being tried, for the routed hands
};

inline HandValue value_of(const UseHand& h, std::uint64_t sum) {
  return (sum & fast_eval::kRouteMask) != 0 ? fast_eval::routed_5(h.chosen, sum)
                                            : fast_eval::rank_value(h.tables.five, sum);
}

// The general walk: picks `kOwnLeft` more own cards, then `kBoardLeft` more
// board cards, each side in index order from `from`, carrying the partial sum
// of count words, so that every five-card hand costs one addition and one
// table look-up.
template <int kOwnLeft, int kBoardLeft>
inline HandValue try_hands(UseHand& h, int from, std::uint64_t sum) {
  constexpr int kAt = 5 - kOwnLeft - kBoardLeft;  // where the next card goes in `chosen`
  HandValue best = 0;
  if constexpr (kOwnLeft > 0) {
    for (int i = from; i <= h.own_count - kOwnLeft; ++i) {
      h.chosen[kAt] = h.own[i];
      // The board's cards start again at its first card.
      best = std::max(best, try_hands<kOwnLeft - 1, kBoardLeft>(h, kOwnLeft == 1 ? 0 : i + 1,
                                                                sum + h.own_words[i]));
    }
  } else if constexpr (kBoardLeft > 0) {
    for (int i = from; i <= h.board_count - kBoardLeft; ++i) {
      h.chosen[kAt] = h.board[i];
      best = std::max(best, try_hands<0, kBoardLeft - 1>(h, i + 1, sum + h.board_words[i]));
    }
  } else {
    best = value_of(h, sum);
  }
  return best;
}

template <int kUse>
HandValue best_of_use(UseHand& h) {
  constexpr int kFromBoard = kMaxUse - kUse;
  if (!shares_fit(h.own_count, h.board_count, kUse))
    return try_hands<kUse, kFromBoard>(h, 0, fast_eval::kSuitBias);
  CardShare own[kMaxShares], board[kMaxShares];
  int own_shares = 0, board_shares = 0;
  list_shares<kUse>(h.own_words, h.own_count, 0, fast_eval::kSuitBias, 0, own, own_shares);
  list_shares<kFromBoard>(h.board_words, h.board_count, 0, 0, 0, board, board_shares);
  return best_of_shares<kUse>(h.tables, h.own, own, own_shares, h.board, board, board_shares);
}

}  // namespace

HandValue evaluate_use(const CardCode* own, int own_count, const CardCode* board, int board_count,
                       int use) {
  assert(use_fits(own_count, board_count, use));
  if (!use_fits(own_count, board_count, use)) return 0;
  assert(own != nullptr || own_count == 0);
  assert(board != nullptr || board_count == 0);
  if (use == kUseAny) {
    CardCode all[kMaxHandSize];
    std::copy_n(own, own_count, all);
    std::copy_n(board, board_count, all + own_count);
    return evaluate(all, own_count + board_count);
  }
  const fast_eval::FastTables& tables = fast_eval::tables();
  std::uint64_t own_words[kMaxHandSize], board_words[kMaxHandSize];
  for (int i = 0; i < own_count; ++i)
    own_words[i] = tables.card_words[fast_eval::card_slot(own[i])];
  for (int i = 0; i < board_count; ++i)
    board_words[i] = tables.card_words[fast_eval::card_slot(board[i])];
  UseHand h{tables, own, own_count, board, board_count, own_words, board_words, {}};
  switch (use) {
    case 1:
      return best_of_use<1>(h);
    case 2:
      return best_of_use<2>(h);
    case 3:
      return best_of_use<3>(h);
    case 4:
      return best_of_use<4>(h);
    default:
      return best_of_use<5>(h);
  }
}

}  // namespace orvix
