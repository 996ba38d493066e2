#include "rules/card_list.h"

#include <string>

#include "rules/ascii.h"

namespace orvix {

namespace {

// Tokens arrive upper-cased, so the suits are matched in upper case and
// echoed in lower case.
constexpr char kUpperSuitChars[] = "DSCH";

int rank_of_char(char c) {
  for (int rank = 0; rank < kRankCount; ++rank)
    if (kRankChars[rank] == c) return rank;
  return -1;
}

int suit_of_char(char c) {
  for (int suit = 0; suit < kSuitCount; ++suit)
    if (kUpperSuitChars[suit] == c) return suit;
  return -1;
}

// True when token is exactly word in upper case ("Hearts" matches HEARTS).
bool equals_upper(std::string_view token, std::string_view word) {
  if (token.size() != word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (token[i] != ascii_upper(word[i])) return false;
  return true;
}

// What one token names: a whole rank, a whole suit, or one card.
struct Token {
  int rank = -1;  // -1: no rank (a whole suit)
  int suit = -1;  // -1: no suit (a whole rank)
  std::string short_form;
};

// Resolves an upper-cased token; on failure returns false with the message.
bool resolve(std::string_view token, Token& out, std::string& error) {
  auto not_rank_or_suit = [&] {
    error = "Error: \"";
    error += token;
    error += "\" is not a valid rank or suit.\n";
    return false;
  };

  if (token.size() == 1) {
    if ((out.rank = rank_of_char(token[0])) >= 0) {
      out.short_form = kRankChars[out.rank];
      return true;
    }
    if ((out.suit = suit_of_char(token[0])) >= 0) {
      out.short_form = kSuitChars[out.suit];
      return true;
    }
    return not_rank_or_suit();
  }

  if (token.size() == 2) {
    // Always rank then suit: 5S is the five of spades, never fives and spades.
    out.rank = rank_of_char(token[0]);
    if (out.rank < 0) return not_rank_or_suit();
    out.suit = suit_of_char(token[1]);
    if (out.suit < 0) {
      error = "Error: \"";
      error += token;
      error += "\" is not a valid card (suit must be h, c, s, or d).\n";
      return false;
    }
    out.short_form = {kRankChars[out.rank], kSuitChars[out.suit]};
    return true;
  }

  for (int rank = 0; rank < kRankCount; ++rank) {
    const std::string_view word = kRankWords[rank];
    const bool plural = token.size() == word.size() + 1 && token.back() == 'S' &&
                        equals_upper(token.substr(0, word.size()), word);
    if (equals_upper(token, word) || plural) {
      out.rank = rank;
      out.short_form = kRankChars[rank];
      return true;
    }
  }
  for (int suit = 0; suit < kSuitCount; ++suit) {
    const std::string_view word = kSuitWords[suit];
    if (equals_upper(token, word) || equals_upper(token, word.substr(0, word.size() - 1))) {
      out.suit = suit;
      out.short_form = kSuitChars[suit];
      return true;
    }
  }
  return not_rank_or_suit();
}

void apply_wild(GameRules& rules, const Token& token) {
  if (token.suit < 0)
    set_wild_rank(rules, token.rank);
  else if (token.rank < 0)
    set_wild_suit(rules, token.suit);
  else
    set_wild_card(rules, token.rank, token.suit);
}

bool apply_add(GameRules& rules, const Token& token) {
  if (token.suit < 0) return add_rank(rules, token.rank);
  if (token.rank < 0) return add_suit(rules, token.suit);
  return add_card(rules, token.rank, token.suit);
}

bool apply_remove(GameRules& rules, const Token& token) {
  if (token.suit < 0) return remove_rank(rules, token.rank);
  if (token.rank < 0) return remove_suit(rules, token.suit);
  return remove_card(rules, token.rank, token.suit);
}

CardListResult failure(std::string text) { return CardListResult{std::move(text), true}; }

}  // namespace

// Each token takes effect as soon as it is read, so a failing token leaves the
// earlier ones applied and the later ones unread.
CardListResult apply_card_list(GameRules& rules, CardListOperation operation, WordStream& stream) {
  std::string text;
  bool first = true;
  do {
    const std::string_view word = read_word(stream);
    if (word.empty()) {
      if (first) return failure("Error: no cards provided.\n");
      break;
    }

    Token token;
    std::string error;
    if (!resolve(word, token, error)) return failure(std::move(error));

    if (!first) text += ' ';
    text += token.short_form;

    switch (operation) {
      case CardListOperation::kWild:
        if (first) {
          text.insert(0, "Set wild ");
          clear_wilds(rules);
        }
        apply_wild(rules, token);
        break;
      case CardListOperation::kAdd:
        if (first) text.insert(0, "Added cards ");
        if (!apply_add(rules, token)) return failure(rules.error_text.text);
        break;
      case CardListOperation::kRemove:
        if (first) text.insert(0, "Removed cards ");
        if (!apply_remove(rules, token)) return failure(rules.error_text.text);
        break;
    }
    first = false;
  } while (!at_end(stream));
  return CardListResult{std::move(text), false};
}

}  // namespace orvix
