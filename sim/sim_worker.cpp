#include "sim/sim_worker.h"

#include <cassert>

#include "rules/pack.h"

namespace orvix {

void configure_worker(SimWorker& worker, const GameRules& rules) {
  assert(deal_fits_pack(rules));
  worker.deck_size = cards_available(rules);
  worker.players = rules.players;
  worker.hand_size = rules.hand_size;
  worker.dealt_cards = rules.players * rules.hand_size;
  worker.evaluate = select_evaluator(rules.hand_size);

  worker.layout.assign(static_cast<std::size_t>(worker.deck_size), 0);
  build_deck(rules, worker.layout.data());
  worker.deck = worker.layout;

  const auto players = static_cast<std::size_t>(worker.players);
  worker.hands.resize(players);
  for (std::size_t p = 0; p < players; ++p)
    worker.hands[p] = static_cast<std::int32_t>(p) * worker.hand_size;
  worker.values.assign(players, 0);
}

}  // namespace orvix
