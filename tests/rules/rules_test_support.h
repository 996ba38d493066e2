#pragma once
// Helpers shared by the rules tests.

#include <string>

#include "rules/card_list.h"
#include "rules/game_rules.h"
#include "rules/word_stream.h"

namespace orvix::testing_support {

// Pack size counted card by card, the way a dealer would.
inline int count_pack(const GameRules& rules) {
  int total = rules.jokers;
  for (int rank = 0; rank < kRankCount; ++rank)
    for (int suit = 0; suit < kSuitCount; ++suit)
      for (int copy = 0; copy < rules.decks + rules.card_delta[rank][suit]; ++copy) ++total;
  return total;
}

// Whether the dealer could lay out every hold: each held card taken from the
// pack one at a time, seat by seat and then the board, each seat playing and
// each hold no longer than its hand (the board).
inline bool holds_can_be_dealt(const GameRules& rules) {
  int left[kCardKinds + 1];
  for (int kind = 0; kind < kCardKinds; ++kind)
    left[kind] = rules.decks + rules.card_delta[kind / kSuitCount][kind % kSuitCount];
  left[kCardKinds] = rules.jokers;
  auto take = [&](const HeldCards& cards, int room) {
    if (cards.count > room) return false;
    for (int i = 0; i < cards.count; ++i)
      if (--left[cards.kinds[i]] < 0) return false;
    return true;
  };
  for (int seat = 0; seat < kMaxPlayers; ++seat)
    if (!take(rules.holds[seat], seat < rules.players ? rules.hand_size : 0)) return false;
  return take(rules.board_hold, rules.board);
}

inline bool invariant_holds(const GameRules& rules) {
  for (int rank = 0; rank < kRankCount; ++rank)
    for (int suit = 0; suit < kSuitCount; ++suit)
      if (rules.decks + rules.card_delta[rank][suit] < 0) return false;
  const int pack = count_pack(rules);
  return pack >= rules.players * rules.hand_size + rules.board && pack <= kMaxPackCards &&
         rules.hand_size + rules.board <= 20 && holds_can_be_dealt(rules);
}

// Runs one card-list command line (wild, add or rem, singular or plural) as
// the command loop does: fold, take the command word, hand the rest over.
inline CardListResult run_card_command(GameRules& rules, const std::string& line) {
  const std::string upper = upper_copy(line);
  WordStream stream{upper};
  const std::string_view command = read_word(stream);
  CardListOperation operation = CardListOperation::kRemove;
  if (command.starts_with("WILD")) operation = CardListOperation::kWild;
  if (command.starts_with("ADD")) operation = CardListOperation::kAdd;
  return apply_card_list(rules, operation, stream);
}

}  // namespace orvix::testing_support
