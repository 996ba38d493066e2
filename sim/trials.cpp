#include "sim/trials.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <utility>

#include <orvix/internal/fast_eval.h>
#include <orvix/internal/card_shares.h>
#include <orvix/ranking.h>
#include "sim/seeding.h"
#include "sim/shuffle.h"

namespace orvix {

namespace {

// Where a call's deals are counted: each hand once, in its seat's row of the
// worker's hand_cells at 2 * cell + won, indexed since a branch on who won
// would be taken at random and mispredicted on about every other deal. When
// the call ends, settle_hand_cells adds the rows to the cells and to each
// seat's wins and losses. A tie, much rarer, moves its seats from a win to the
// counter of its number of winners.
struct DealCounters {
  std::uint64_t* hand_cells;
  SeatOutcomes* seats;
};

DealCounters counters_of(SimWorker& worker) {
  return {worker.hand_cells.data(), worker.seats.seat};
}

// The cell of a value the ranked evaluator made under `ranking`.
struct RankedCell {
  const Ranking& ranking;
  int operator()(HandValue value) const {
    return hand_category(value, ranking) * kRankCount + top_rank(value, ranking);
  }
};
struct StandardCell {
  int operator()(HandValue value) const { return result_cell(value); }
};

// Every hand equal to the best wins, so ties all count as wins. There is
// always at least one player, so the loop tests only at its end.
template <class Cell = StandardCell>
[[gnu::always_inline]] inline void count_deal(const DealCounters& counters, const HandValue* values,
                                              int players, HandValue best,
                                              const Cell cell_of = Cell{}) {
  int winners = 0;
  int p = 0;
  std::uint64_t* row = counters.hand_cells;
  do {
    const HandValue value = values[p];
    const int won = value == best;
    winners += won;
    ++row[2 * cell_of(value) + won];
    row += kSeatCells;
  } while (++p < players);
  if (winners > 1) [[unlikely]] {
    // Which seats tied is as random as who won: moved by index too.
    for (p = 0; p < players; ++p) {
      const std::uint64_t tied = values[p] == best;
      counters.seats[p].by_winners[1] -= tied;
      counters.seats[p].by_winners[winners] += tied;
    }
  }
}

// Empties the worker's hand_cells into its cells and its seats' wins and
// losses; a seat's wins then also take back the moves of its ties.
void settle_hand_cells(SimWorker& worker) {
  std::uint64_t* row = worker.hand_cells.data();
  for (int p = 0; p < worker.players; ++p, row += kSeatCells) {
    std::uint64_t lost = 0, won = 0;
    for (int cell = 0; cell < kResultCells; ++cell) {
      worker.loss_counts[cell] += row[2 * cell];
      worker.win_counts[cell] += row[2 * cell + 1];
      lost += row[2 * cell];
      won += row[2 * cell + 1];
    }
    worker.seats.seat[p].by_winners[0] += lost;
    worker.seats.seat[p].by_winners[1] += won;
    std::fill_n(row, kSeatCells, 0);
  }
}

// How the plain loop scores a hand: five and seven cards take the table
// paths into the loop's own body, every other size calls the worker's
// evaluator. All of them give select_evaluator's values.
struct ScoreByPointer {
  evaluate_hand evaluate;
  HandValue operator()(const CardCode* hand) const { return evaluate(hand); }
};
template <int N>
struct ScoreByTables {
  const fast_eval::FastTables& tables;
  HandValue operator()(const CardCode* hand) const { return evaluate_with<N>(tables, hand); }
};

// No board, no held cards: hands of kHandSize cards, or of the worker's hand
// size when kHandSize is 0, straight from the deck. Fixing the size lets the
// compiler turn each hand's position into a constant stride.
template <int kHandSize, class Score>
void plain_loop(SimWorker& worker, std::int64_t deals, const Score evaluate) {
  const int players = worker.players;
  const int hand_size = kHandSize != 0 ? kHandSize : worker.hand_size;
  CardCode* const deck = worker.deck.data();
  HandValue* const values = worker.values.data();
  const DealCounters counters = counters_of(worker);
  const ShuffleShape shape = shuffle_shape(worker);
  // Held locally for the whole call, so the generator stays in registers.
  DealGenerator generator = worker.generator;

  for (std::int64_t deal = 0; deal < deals; ++deal) {
    shuffle_positions(generator, shape, deck);
    HandValue best = 0;
    int p = 0;
    do {
      const HandValue value = evaluate(deck + p * hand_size);
      values[p] = value;
      best = std::max(best, value);
    } while (++p < players);
    count_deal(counters, values, players, best);
  }
  worker.generator = generator;
}

// Use any over N = 5 or 7 cards of own and board: the board's count words are
// summed once per deal, each hand adds its own kOwn (the worker's hand size
// when 0) and looks its value up. A hand the tables route gets its cards
// gathered into the worker's hand. kGather: the table's cards come through
// sources (held cards), else straight from the deck. kPlayers, when not 0,
// fixes the number of seats, so the compiler can lay the seats out in a row.
template <int N, int kOwn, bool kGather, int kPlayers = 0>
void shared_board_loop(SimWorker& worker, std::int64_t deals) {
  static_assert(N == 5 || N == 7);
  const fast_eval::FastTables& tables = fast_eval::tables();
  const int players = kPlayers != 0 ? kPlayers : worker.players;
  const int own = kOwn != 0 ? kOwn : worker.hand_size;
  const int board = N - own;
  const int board_at = players * own;
  CardCode* const deck = worker.deck.data();
  const std::int32_t* const sources = worker.sources.data();
  CardCode* const hand = worker.hand.data();
  HandValue* const values = worker.values.data();
  const DealCounters counters = counters_of(worker);
  const ShuffleShape shape = shuffle_shape(worker);
  DealGenerator generator = worker.generator;
  const auto card = [&](int k) { return kGather ? deck[sources[k]] : deck[k]; };
  const auto word = [&](int k) { return tables.card_words[fast_eval::card_slot(card(k))]; };

  for (std::int64_t deal = 0; deal < deals; ++deal) {
    shuffle_positions(generator, shape, deck);
    std::uint64_t board_sum = fast_eval::kSuitBias;
    for (int j = 0; j < board; ++j) board_sum += word(board_at + j);
    HandValue best = 0;
    int p = 0;
    do {
      const int first = p * own;
      std::uint64_t sum = board_sum;
      for (int j = 0; j < own; ++j) sum += word(first + j);
      HandValue value;
      if ((sum & fast_eval::kRouteMask) != 0) [[unlikely]] {
        for (int j = 0; j < own; ++j) hand[j] = card(first + j);
        for (int j = 0; j < board; ++j) hand[own + j] = card(board_at + j);
        value = N == 5 ? fast_eval::routed_5(hand, sum) : fast_eval::routed_7(hand, sum);
      } else if constexpr (N == 5) {
        value = fast_eval::rank_value(tables.five, sum);
      } else {
        value = fast_eval::rank_value(tables.seven, sum);
      }
      values[p] = value;
      best = std::max(best, value);
    } while (++p < players);
    count_deal(counters, values, players, best);
  }
  worker.generator = generator;
}

// Hold'em, two own cards and five on the board, seats a table of 2 to 10:
// each count has its own loop, with or without held cards.
inline constexpr int kFewestHoldemSeats = 2;
inline constexpr int kMostHoldemSeats = 10;
using DealsLoop = void (*)(SimWorker&, std::int64_t);

template <bool kGather, int... kOffsets>
constexpr auto holdem_loops(std::integer_sequence<int, kOffsets...>) {
  return std::array<DealsLoop, sizeof...(kOffsets)>{
      shared_board_loop<7, 2, kGather, kFewestHoldemSeats + kOffsets>...};
}

constexpr auto kHoldemSeatCounts =
    std::make_integer_sequence<int, kMostHoldemSeats - kFewestHoldemSeats + 1>{};
constexpr auto kHoldemLoops = holdem_loops<false>(kHoldemSeatCounts);
constexpr auto kHoldemLoopsGathered = holdem_loops<true>(kHoldemSeatCounts);

template <int N>
void shared_board_deals(SimWorker& worker, std::int64_t deals) {
  const bool gather = !worker.sources.empty();
  if (N == 7 && worker.hand_size == 2) {
    if (worker.players >= kFewestHoldemSeats && worker.players <= kMostHoldemSeats) {
      const auto seats = static_cast<std::size_t>(worker.players - kFewestHoldemSeats);
      (gather ? kHoldemLoopsGathered : kHoldemLoops)[seats](worker, deals);
      return;
    }
    gather ? shared_board_loop<N, 2, true>(worker, deals)
           : shared_board_loop<N, 2, false>(worker, deals);
  } else {
    gather ? shared_board_loop<N, 0, true>(worker, deals)
           : shared_board_loop<N, 0, false>(worker, deals);
  }
}

// Every other game: the deal's table is gathered from the deck (when seats
// or the board hold cards), and each hand valued whole: own cards alone
// without a board, own and board cards together under use any, or under the
// use rule by evaluate_use. The board's cards are copied into the worker's
// hand once per deal. kRankedOrder values and files every hand under the
// worker's ranking instead.
template <bool kRankedOrder>
void assembled_loop(SimWorker& worker, std::int64_t deals) {
  const int players = worker.players;
  const int hand_size = worker.hand_size;
  const int board = worker.board;
  const int use = worker.use;
  const bool gather = !worker.sources.empty();
  const int table_cards = static_cast<int>(worker.table.size());
  CardCode* const deck = worker.deck.data();
  const std::int32_t* const sources = worker.sources.data();
  CardCode* const table = worker.table.data();
  const CardCode* const cards = gather ? table : deck;
  const CardCode* const board_cards = cards + players * hand_size;
  CardCode* const hand = worker.hand.data();
  const evaluate_hand evaluate = worker.evaluate;
  const Ranking& ranking = worker.ranking;
  HandValue* const values = worker.values.data();
  const DealCounters counters = counters_of(worker);
  const ShuffleShape shape = shuffle_shape(worker);
  DealGenerator generator = worker.generator;
  // The evaluators and the cell reader of the loop's order.
  const auto whole_value = [&](const CardCode* c, int n) {
    if constexpr (kRankedOrder)
      return orvix::evaluate(c, n, ranking);
    else
      return evaluate(c);
  };
  const auto use_value = [&](const CardCode* own) {
    if constexpr (kRankedOrder)
      return evaluate_use(own, hand_size, board_cards, board, use, ranking);
    else
      return evaluate_use(own, hand_size, board_cards, board, use);
  };
  const auto cell_of = [&] {
    if constexpr (kRankedOrder)
      return RankedCell{ranking};
    else
      return StandardCell{};
  }();

  for (std::int64_t deal = 0; deal < deals; ++deal) {
    shuffle_positions(generator, shape, deck);
    if (gather)
      for (int k = 0; k < table_cards; ++k) table[k] = deck[sources[k]];
    const bool whole = use == kUseAny && board > 0;
    if (whole) std::copy_n(board_cards, board, hand + hand_size);
    HandValue best = 0;
    int p = 0;
    do {
      const CardCode* const own = cards + p * hand_size;
      HandValue value;
      if (use != kUseAny) {
        value = use_value(own);
      } else if (whole) {
        std::copy_n(own, hand_size, hand);
        value = whole_value(hand, hand_size + board);
      } else {
        value = whole_value(own, hand_size);
      }
      values[p] = value;
      best = std::max(best, value);
    } while (++p < players);
    count_deal(counters, values, players, best, cell_of);
  }
  worker.generator = generator;
}

// Under use K with few enough shares (Omaha among them): the board's shares
// are listed once per deal, each seat's own shares paired with them.
template <int kUse>
void board_shares_loop(SimWorker& worker, std::int64_t deals) {
  const fast_eval::FastTables& tables = fast_eval::tables();
  const int players = worker.players;
  const int hand_size = worker.hand_size;
  const int board = worker.board;
  const bool gather = !worker.sources.empty();
  const int table_cards = static_cast<int>(worker.table.size());
  CardCode* const deck = worker.deck.data();
  const std::int32_t* const sources = worker.sources.data();
  CardCode* const table = worker.table.data();
  const CardCode* const cards = gather ? table : deck;
  const CardCode* const board_cards = cards + players * hand_size;
  HandValue* const values = worker.values.data();
  const DealCounters counters = counters_of(worker);
  const ShuffleShape shape = shuffle_shape(worker);
  DealGenerator generator = worker.generator;
  std::uint64_t words[kMaxHandSize];
  CardShare board_shares[kMaxShares], own_shares[kMaxShares];
  const auto word = [&tables](CardCode card) {
    return tables.card_words[fast_eval::card_slot(card)];
  };

  for (std::int64_t deal = 0; deal < deals; ++deal) {
    shuffle_positions(generator, shape, deck);
    if (gather)
      for (int k = 0; k < table_cards; ++k) table[k] = deck[sources[k]];
    for (int j = 0; j < board; ++j) words[j] = word(board_cards[j]);
    int board_count = 0;
    list_shares<kMaxUse - kUse>(words, board, 0, 0, 0, board_shares, board_count);
    HandValue best = 0;
    int p = 0;
    do {
      const CardCode* const own = cards + p * hand_size;
      for (int j = 0; j < hand_size; ++j) words[j] = word(own[j]);
      int own_count = 0;
      list_shares<kUse>(words, hand_size, 0, fast_eval::kSuitBias, 0, own_shares, own_count);
      const HandValue value = best_of_shares<kUse>(tables, own, own_shares, own_count, board_cards,
                                                   board_shares, board_count);
      values[p] = value;
      best = std::max(best, value);
    } while (++p < players);
    count_deal(counters, values, players, best);
  }
  worker.generator = generator;
}

void board_shares_deals(SimWorker& worker, std::int64_t deals) {
  switch (worker.use) {
    case 1:
      board_shares_loop<1>(worker, deals);
      break;
    case 2:
      board_shares_loop<2>(worker, deals);
      break;
    case 3:
      board_shares_loop<3>(worker, deals);
      break;
    case 4:
      board_shares_loop<4>(worker, deals);
      break;
    default:
      board_shares_loop<5>(worker, deals);
      break;
  }
}

}  // namespace

void play_deals(SimWorker& worker, std::int64_t deals) {
  // configure_worker sizes every worker from a game that fits its pack.
  assert(worker.players >= 1 && worker.hand_size >= 1 && worker.dealt_cards <= worker.deck_size);
  assert(worker.evaluate != nullptr || worker.use != kUseAny);
  // configure_worker sizes the rows; a worker laid out by hand gets them here.
  const auto cells = static_cast<std::size_t>(worker.players) * kSeatCells;
  if (worker.hand_cells.size() != cells) worker.hand_cells.assign(cells, 0);
  switch (worker.path) {
    case DealPath::kPlain:
      switch (worker.hand_size) {
        case 5:
          plain_loop<5>(worker, deals, ScoreByTables<5>{fast_eval::tables()});
          break;
        case 7:
          plain_loop<7>(worker, deals, ScoreByTables<7>{fast_eval::tables()});
          break;
        default:
          plain_loop<0>(worker, deals, ScoreByPointer{worker.evaluate});
          break;
      }
      break;
    case DealPath::kSharedBoard:
      if (worker.hand_size + worker.board == 5)
        shared_board_deals<5>(worker, deals);
      else
        shared_board_deals<7>(worker, deals);
      break;
    case DealPath::kBoardShares:
      board_shares_deals(worker, deals);
      break;
    case DealPath::kAssembled:
      assembled_loop<false>(worker, deals);
      break;
    case DealPath::kRanked:
      assembled_loop<true>(worker, deals);
      break;
  }
  settle_hand_cells(worker);
  if (deals > 0) worker.seats.deals += static_cast<std::uint64_t>(deals);
}

void run_trials(SimWorker& worker) { play_deals(worker, worker.trials); }

void play_block(SimWorker& worker, std::uint64_t run_seed, std::uint64_t block,
                std::int64_t deals) {
  std::copy(worker.layout.begin(), worker.layout.end(), worker.deck.begin());
  seed_block_stream(worker.generator, run_seed, block);
  play_deals(worker, deals);
}

}  // namespace orvix
