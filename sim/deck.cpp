#include "deck.h"

#include "random.h"
#include "shuffle.h"

namespace orvix {

void build_deck(const GameRules& rules, CardCode* out) {
  int copies[kRankCount][kSuitCount];
  for (int rank = 0; rank < kRankCount; ++rank)
    for (int suit = 0; suit < kSuitCount; ++suit)
      copies[rank][suit] = rules.decks + rules.card_delta[rank][suit];

  int jokers_left = rules.jokers;
  const int total = cards_available(rules);
  int position = 0;
  while (position < total) {
    const int pass_start = position;
    for (int rank = 0; rank < kRankCount && position < total; ++rank) {
      for (int suit = 0; suit < kSuitCount && position < total; ++suit) {
        if (copies[rank][suit] <= 0) continue;
        out[position++] = make_card(rank, suit, rules.wild[rank][suit] != 0);
        --copies[rank][suit];
      }
    }
    for (int joker = 0; joker < 2 && jokers_left > 0 && position < total; ++joker) {
      out[position++] = kJoker;
      --jokers_left;
    }
    // Nothing left to lay out: never spin, even if the count disagreed.
    if (position == pass_start) break;
  }
}

std::uint32_t next_random(SimWorker& worker) { return pcg_next(worker.seed, worker.stream); }

void shuffle_deal(SimWorker& worker) {
  // A local copy of the state stays in a register; the worker's field would
  // be written back on every draw.
  std::uint64_t state = worker.seed;
  shuffle_positions(state, worker.stream, worker.deck.data(),
                    static_cast<std::uint32_t>(worker.deck_size),
                    static_cast<std::uint32_t>(worker.dealt_cards));
  worker.seed = state;
}

}  // namespace orvix
