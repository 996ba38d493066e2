#pragma once
// The card lists after wild, add and rem: ranks, suits and cards, applied
// one token at a time.

#include <string>

#include "rules/game_rules.h"
#include "rules/word_stream.h"

namespace orvix {

struct CardListResult {
  std::string text;  // echo without line end, or one error message ending in '\n'
  bool error = false;
};

// What a card list does to each card it names: WILD(S), ADD(S), REM(S).
enum class CardListOperation { kWild, kAdd, kRemove };

// Applies the card list that follows the command word; stream is positioned
// right after that word on the upper-cased line. On success text is the
// confirmation (never empty); a list with no card at all is an error.
CardListResult apply_card_list(GameRules& rules, CardListOperation operation, WordStream& stream);

}  // namespace orvix
