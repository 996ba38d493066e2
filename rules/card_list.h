#pragma once
// The card lists after wild, add and rem: ranks, suits and cards, applied
// one token at a time.

#include <string>
#include <string_view>

#include "game_rules.h"
#include "word_stream.h"

namespace orvix {

struct CardListResult {
  std::string text;  // echo without line end, or one error message ending in '\n'
  bool error = false;
};

// command_word is upper case (WILD, WILDS, ADD, ADDS, REM, REMS); stream is
// positioned right after it on the upper-cased line.
CardListResult apply_card_list(GameRules& rules, std::string_view command_word, WordStream& stream);

}  // namespace orvix
