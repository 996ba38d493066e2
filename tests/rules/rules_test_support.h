#pragma once
// Helpers shared by the rules tests.

#include <cstring>
#include <string>

#include "rules/card_list.h"
#include "rules/game_rules.h"
#include "rules/word_stream.h"

namespace orvix::testing_support {

// Every field but error_text.
inline bool same_game(const GameRules& a, const GameRules& b) {
  return a.decks == b.decks && a.players == b.players && a.hand_size == b.hand_size && a.jokers == b.jokers &&
         a.run_length == b.run_length && std::memcmp(a.wild, b.wild, sizeof a.wild) == 0 &&
         std::memcmp(a.card_delta, b.card_delta, sizeof a.card_delta) == 0;
}

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

// Runs one card-list command line as the command loop does: fold, take the
// command word, hand the rest over.
inline CardListResult run_card_command(GameRules& rules, const std::string& line) {
  const std::string upper = upper_copy(line);
  WordStream stream{upper};
  const std::string command{read_word(stream)};
  return apply_card_list(rules, command, stream);
}

}  // namespace orvix::testing_support
