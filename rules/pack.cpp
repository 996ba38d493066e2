#include "rules/pack.h"

#include <cassert>

namespace orvix {

void build_deck(const GameRules& rules, CardCode* out) {
  assert(deal_fits_pack(rules));
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
    // cards_available counts exactly the copies laid out above, so every
    // pass places at least one card until the total is reached.
    assert(position > pass_start);
    if (position == pass_start) break;
  }
}

}  // namespace orvix
