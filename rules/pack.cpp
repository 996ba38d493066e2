#include "rules/pack.h"

#include <cassert>

namespace orvix {

namespace {

// Lays out `total` cards in build_deck's passes from the copies left of every
// kind and the jokers left.
void lay_out_passes(const GameRules& rules, int (&copies)[kRankCount][kSuitCount], int jokers_left,
                    int total, CardCode* out) {
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
    // The total counts exactly the copies laid out above, so every pass
    // places at least one card until the total is reached.
    assert(position > pass_start);
    if (position == pass_start) break;
  }
}

void count_copies(const GameRules& rules, int (&copies)[kRankCount][kSuitCount]) {
  for (int rank = 0; rank < kRankCount; ++rank)
    for (int suit = 0; suit < kSuitCount; ++suit)
      copies[rank][suit] = rules.decks + rules.card_delta[rank][suit];
}

// Takes one copy per card of `held` out of copies and jokers.
void set_aside(const HeldCards& held, int (&copies)[kRankCount][kSuitCount], int& jokers) {
  for (int i = 0; i < held.count; ++i) {
    const int kind = held.kinds[i];
    if (kind == kJokerKind) {
      --jokers;
    } else {
      --copies[kind / kSuitCount][kind % kSuitCount];
    }
  }
}

[[maybe_unused]] bool none_below_zero(const int (&copies)[kRankCount][kSuitCount]) {
  for (const auto& rank : copies)
    for (const int left : rank)
      if (left < 0) return false;
  return true;
}

}  // namespace

void build_deck(const GameRules& rules, CardCode* out) {
  assert(deal_fits_pack(rules));
  int copies[kRankCount][kSuitCount];
  count_copies(rules, copies);
  lay_out_passes(rules, copies, rules.jokers, cards_available(rules), out);
}

int held_card_count(const GameRules& rules) {
  int count = rules.board_hold.count;
  for (const HeldCards& hold : rules.holds) count += hold.count;
  return count;
}

CardCode held_card_code(const GameRules& rules, int kind) {
  assert(kind >= 0 && kind <= kJokerKind);
  if (kind == kJokerKind) return kJoker;
  const int rank = kind / kSuitCount;
  const int suit = kind % kSuitCount;
  return make_card(rank, suit, rules.wild[rank][suit] != 0);
}

void build_undealt_pack(const GameRules& rules, CardCode* out) {
  assert(deal_fits_pack(rules));
  int copies[kRankCount][kSuitCount];
  count_copies(rules, copies);
  int jokers = rules.jokers;
  for (const HeldCards& hold : rules.holds) set_aside(hold, copies, jokers);
  set_aside(rules.board_hold, copies, jokers);
  // A held card the pack does not hold that often is refused when held.
  assert(jokers >= 0 && none_below_zero(copies));
  lay_out_passes(rules, copies, jokers, cards_available(rules) - held_card_count(rules), out);
}

}  // namespace orvix
