#include "reference/reference_deck.h"

namespace orvix {

void standard_deck(CardCode* out) {
  for (int rank = 0; rank < kRankCount; ++rank)
    for (int suit = 0; suit < kSuitCount; ++suit)
      out[rank * kSuitCount + suit] = make_card(rank, suit, false);
}

void make_deuces_wild(CardCode* cards) {
  for (int i = 0; i < kCardKinds; ++i)
    if (!is_wild(cards[i]) && (cards[i] & kRankBitsMask) == 1u)
      cards[i] = make_card(card_rank_index(cards[i]), card_suit_index(cards[i]), true);
}

int dealt_cards(const ReferenceGame& game) {
  return game.infinite_deck || game.cards_per_hand == 5 ? 5 : 7;
}

int build_reference_deck(const ReferenceGame& game, CardCode* out) {
  standard_deck(out);
  if (game.deuces_wild) make_deuces_wild(out);
  if (!game.joker_per_deck) return kCardKinds;
  out[kCardKinds] = kJoker;
  return kCardKinds + 1;
}

}  // namespace orvix
