#include "sim/trials.h"

#include <algorithm>
#include <cassert>

#include <orvix/internal/fast_eval.h>
#include "sim/seeding.h"
#include "sim/shuffle.h"

namespace orvix {

namespace {

// How the loop scores a hand: five and seven cards take the table paths into
// the loop's own body, every other size calls the worker's evaluator. All of
// them give select_evaluator's values.
struct ScoreByPointer {
  evaluate_hand evaluate;
  HandValue operator()(const CardCode* hand) const { return evaluate(hand); }
};
template <int N>
struct ScoreByTables {
  const fast_eval::FastTables& tables;
  HandValue operator()(const CardCode* hand) const { return evaluate_with<N>(tables, hand); }
};

// The loop for hands of kHandSize cards, or of the worker's hand size when
// kHandSize is 0. Fixing the size lets the compiler turn each hand's position
// into a constant stride.
template <int kHandSize, class Score>
void deal_loop(SimWorker& worker, std::int64_t deals, const Score evaluate) {
  const int players = worker.players;
  const int hand_size = kHandSize != 0 ? kHandSize : worker.hand_size;
  CardCode* const deck = worker.deck.data();
  HandValue* const values = worker.values.data();
  // Indexed by "did not win": a branch on the comparison would be taken at
  // random and mispredicted on about every other deal.
  std::uint64_t* const counts[2] = {worker.win_counts, worker.loss_counts};
  const ShuffleShape shape = shuffle_shape(worker);
  // Held locally for the whole call, so the generator stays in registers.
  DealGenerator generator = worker.generator;

  for (std::int64_t deal = 0; deal < deals; ++deal) {
    shuffle_positions(generator, shape, deck);
    // There is always at least one player, so the player loops test only
    // at their end.
    HandValue best = 0;
    int p = 0;
    do {
      const HandValue value = evaluate(deck + p * hand_size);
      values[p] = value;
      best = std::max(best, value);
    } while (++p < players);
    // Every hand equal to the best wins, so ties all count as wins.
    p = 0;
    do {
      const HandValue value = values[p];
      ++counts[value != best][result_cell(value)];
    } while (++p < players);
  }
  worker.generator = generator;
}

}  // namespace

void play_deals(SimWorker& worker, std::int64_t deals) {
  // configure_worker sizes every worker from a game that fits its pack.
  assert(worker.players >= 1 && worker.hand_size >= 1 && worker.dealt_cards <= worker.deck_size);
  assert(worker.evaluate != nullptr);
  switch (worker.hand_size) {
    case 5:
      deal_loop<5>(worker, deals, ScoreByTables<5>{fast_eval::tables()});
      break;
    case 7:
      deal_loop<7>(worker, deals, ScoreByTables<7>{fast_eval::tables()});
      break;
    default:
      deal_loop<0>(worker, deals, ScoreByPointer{worker.evaluate});
      break;
  }
}

void run_trials(SimWorker& worker) { play_deals(worker, worker.trials); }

void play_block(SimWorker& worker, std::uint64_t run_seed, std::uint64_t block,
                std::int64_t deals) {
  std::copy(worker.layout.begin(), worker.layout.end(), worker.deck.begin());
  seed_block_stream(worker.generator, run_seed, block);
  play_deals(worker, deals);
}

}  // namespace orvix
