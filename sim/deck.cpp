#include "deck.h"

#include <utility>

#include "random.h"

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
  std::uint64_t state = worker.seed;
  const std::uint64_t increment = worker.stream;
  CardCode* const deck = worker.deck.data();
  const auto deck_size = static_cast<std::uint32_t>(worker.deck_size);
  const auto dealt = static_cast<std::uint32_t>(worker.dealt_cards);
  std::uint32_t i = 0;
  if (deck_size <= kTripleRangeLimit) {
    for (; i + 2 < dealt; i += 3) {
      std::uint32_t first, second, third;
      bounded_triple(state, increment, deck_size - i, first, second, third);
      std::swap(deck[i], deck[i + first]);
      std::swap(deck[i + 1], deck[i + 1 + second]);
      std::swap(deck[i + 2], deck[i + 2 + third]);
    }
  } else if (deck_size <= kPairRangeLimit) {
    for (; i + 1 < dealt; i += 2) {
      std::uint32_t first, second;
      bounded_pair(state, increment, deck_size - i, first, second);
      std::swap(deck[i], deck[i + first]);
      std::swap(deck[i + 1], deck[i + 1 + second]);
    }
  }
  for (; i < dealt; ++i) {
    const std::uint32_t j = i + bounded_index(state, increment, deck_size - i);
    std::swap(deck[i], deck[j]);
  }
  worker.seed = state;
}

}  // namespace orvix
