#include <orvix/evaluate.h>
#include "result_table.h"
#include "shuffle.h"

namespace orvix {

void run_trials(SimWorker& worker) {
  // A worker that could deal past its deck plays nothing rather than
  // scribble over memory; run_simulation refuses such games up front.
  if (worker.dealt_cards > worker.deck_size || worker.players < 1 || worker.hand_size < 1 ||
      worker.evaluate == nullptr)
    return;

  const int players = worker.players;
  const evaluate_hand evaluate = worker.evaluate;
  CardCode* const deck = worker.deck.data();
  const std::int32_t* const hands = worker.hands.data();
  HandValue* const values = worker.values.data();
  // Indexed by "did not win": a branch on the comparison would be taken at
  // random and mispredicted on about every other deal.
  std::uint64_t* const counts[2] = {worker.win_counts, worker.loss_counts};
  // shuffle_deal's work, with the generator held locally for the whole share.
  std::uint64_t state = worker.seed;
  const std::uint64_t increment = worker.stream;
  const auto deck_size = static_cast<std::uint32_t>(worker.deck_size);
  const auto dealt = static_cast<std::uint32_t>(worker.dealt_cards);

  for (std::int32_t trial = 0; trial < worker.trials; ++trial) {
    shuffle_positions(state, increment, deck, deck_size, dealt);
    HandValue best = 0;
    for (int p = 0; p < players; ++p) {
      const HandValue value = evaluate(deck + hands[p]);
      values[p] = value;
      if (value > best) best = value;
    }
    // Every hand equal to the best wins, so ties all count as wins.
    for (int p = 0; p < players; ++p) {
      const HandValue value = values[p];
      const int cell = hand_category(value) * kRankCount + top_rank(value);
      ++counts[value != best][cell];
    }
  }
  worker.seed = state;
}

}  // namespace orvix
