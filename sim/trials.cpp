#include "sim/trials.h"

#include <cassert>

#include <orvix/evaluate.h>
#include "sim/shuffle.h"

namespace orvix {

void run_trials(SimWorker& worker) {
  // configure_worker sizes every worker from a game that fits its pack.
  assert(worker.players >= 1 && worker.hand_size >= 1 && worker.dealt_cards <= worker.deck_size);
  assert(worker.evaluate != nullptr);

  const int players = worker.players;
  const evaluate_hand evaluate = worker.evaluate;
  CardCode* const deck = worker.deck.data();
  const std::int32_t* const hands = worker.hands.data();
  HandValue* const values = worker.values.data();
  // Indexed by "did not win": a branch on the comparison would be taken at
  // random and mispredicted on about every other deal.
  std::uint64_t* const counts[2] = {worker.win_counts, worker.loss_counts};
  // The generator is held locally for the whole share, so it stays in registers.
  std::uint64_t state = worker.generator_state;
  const std::uint64_t increment = worker.generator_increment;
  const auto deck_size = static_cast<std::uint32_t>(worker.deck_size);
  const auto dealt = static_cast<std::uint32_t>(worker.dealt_cards);

  for (std::int32_t trial = 0; trial < worker.trials; ++trial) {
    shuffle_positions(state, increment, deck, deck_size, dealt);
    // There is always at least one player, so the player loops test only
    // at their end.
    HandValue best = 0;
    int p = 0;
    do {
      const HandValue value = evaluate(deck + hands[p]);
      values[p] = value;
      if (value > best) best = value;
    } while (++p < players);
    // Every hand equal to the best wins, so ties all count as wins.
    p = 0;
    do {
      const HandValue value = values[p];
      const int cell = hand_category(value) * kRankCount + top_rank(value);
      ++counts[value != best][cell];
    } while (++p < players);
  }
  worker.generator_state = state;
}

}  // namespace orvix
