#include "sim/sim_worker.h"

#include <cassert>

#include <orvix/internal/card_shares.h>
#include "rules/pack.h"

namespace orvix {

namespace {

// A board under use any, or one the use rule must take whole (K own cards
// and 5 - K board cards of exactly five), values a hand as all its cards.
bool values_all_cards(const GameRules& rules) {
  return rules.board == 0 || rules.use == kUseAny || rules.hand_size + rules.board == kMaxUse;
}

DealPath path_of(const GameRules& rules) {
  if (rules.ranking != standard_ranking()) return DealPath::kRanked;
  if (rules.board == 0 && !has_holds(rules)) return DealPath::kPlain;
  const int cards = rules.hand_size + rules.board;
  if (values_all_cards(rules)) {
    return cards == 5 || cards == 7 ? DealPath::kSharedBoard : DealPath::kAssembled;
  }
  return shares_fit(rules.hand_size, rules.board, rules.use) ? DealPath::kBoardShares
                                                             : DealPath::kAssembled;
}

// Fills sources for table slots [first, first + size) of which the first
// `held.count` hold held cards; the rest take the next random positions.
void place_cards(SimWorker& worker, const GameRules& rules, const HeldCards& held, int first,
                 int size, int& random_position, int& held_position) {
  for (int j = 0; j < size; ++j) {
    const auto slot = static_cast<std::size_t>(first + j);
    if (j < held.count) {
      worker.layout[static_cast<std::size_t>(held_position)] = held_card_code(rules, held.kinds[j]);
      worker.sources[slot] = held_position++;
    } else {
      worker.sources[slot] = random_position++;
    }
  }
}

}  // namespace

void configure_worker(SimWorker& worker, const GameRules& rules) {
  assert(deal_fits_pack(rules));
  assert(cards_dealt(rules) <= cards_available(rules));
  assert(use_refusal(rules).empty());
  const int held = held_card_count(rules);
  const int table_cards = cards_dealt(rules);
  worker.deck_size = cards_available(rules) - held;
  worker.players = rules.players;
  worker.hand_size = rules.hand_size;
  worker.board = rules.board;
  worker.use = values_all_cards(rules) ? kUseAny : rules.use;
  worker.dealt_cards = table_cards - held;
  worker.path = path_of(rules);
  worker.ranking = rules.ranking;
  worker.evaluate = select_evaluator(rules.hand_size + (worker.use == kUseAny ? rules.board : 0));

  worker.layout.assign(static_cast<std::size_t>(worker.deck_size + held), 0);
  build_undealt_pack(rules, worker.layout.data());
  worker.sources.clear();
  if (held > 0) {
    worker.sources.assign(static_cast<std::size_t>(table_cards), 0);
    int random_position = 0, held_position = worker.deck_size;
    for (int p = 0; p < rules.players; ++p)
      place_cards(worker, rules, rules.holds[p], p * rules.hand_size, rules.hand_size,
                  random_position, held_position);
    place_cards(worker, rules, rules.board_hold, rules.players * rules.hand_size, rules.board,
                random_position, held_position);
    assert(random_position == worker.dealt_cards && held_position == worker.deck_size + held);
  }
  worker.deck = worker.layout;
  worker.table.assign(static_cast<std::size_t>(table_cards), 0);
  worker.hand.assign(static_cast<std::size_t>(rules.hand_size + rules.board), 0);

  const auto players = static_cast<std::size_t>(worker.players);
  worker.hands.resize(players);
  for (std::size_t p = 0; p < players; ++p)
    worker.hands[p] = static_cast<std::int32_t>(p) * worker.hand_size;
  worker.values.assign(players, 0);
  worker.hand_cells.assign(players * kSeatCells, 0);
  worker.seats.game = rules;
}

}  // namespace orvix
