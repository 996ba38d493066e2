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

inline bool invariant_holds(const GameRules& rules) {
  for (int rank = 0; rank < kRankCount; ++rank)
    for (int suit = 0; suit < kSuitCount; ++suit)
      if (rules.decks + rules.card_delta[rank][suit] < 0) return false;
  const int pack = count_pack(rules);
  return pack >= rules.players * rules.hand_size && pack <= kMaxPackCards;
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
