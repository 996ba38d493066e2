#include <orvix/card.h>

namespace orvix {
namespace {

// The index of c among the first n characters of `chars`, ignoring ASCII
// case; -1 if it is not there.
int index_ignoring_case(const char* chars, int n, char c) {
  const auto upper = [](char x) {
    return x >= 'a' && x <= 'z' ? static_cast<char>(x - 'a' + 'A') : x;
  };
  for (int i = 0; i < n; ++i)
    if (upper(chars[i]) == upper(c)) return i;
  return -1;
}

}  // namespace

bool parse_card(std::string_view text, CardCode& card) {
  if (text == "*") {
    card = kJoker;
    return true;
  }
  if (text.size() != 2) return false;
  const int rank = index_ignoring_case(kRankChars, kRankCount, text[0]);
  const int suit = index_ignoring_case(kSuitChars, kSuitCount, text[1]);
  if (rank < 0 || suit < 0) return false;
  card = make_card(rank, suit, false);
  return true;
}

std::string card_text(CardCode card) {
  if (is_wild(card)) return "*";
  const int rank = card_rank_index(card);
  const int suit = card_suit_index(card);
  // Only the words make_card builds are cards; any other has no text.
  assert(rank < kRankCount && card == make_card(rank, suit, false));
  if (rank >= kRankCount) return "?";
  return {kRankChars[rank], kSuitChars[suit]};
}

}  // namespace orvix
