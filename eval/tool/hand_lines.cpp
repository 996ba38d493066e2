#include "eval/tool/hand_lines.h"

namespace orvix {
namespace {

// Index of c in the characters of `set`, either case; -1 if absent.
int index_in(const char* set, char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  for (int i = 0; set[i] != '\0'; ++i) {
    char s = set[i];
    if (s >= 'a' && s <= 'z') s = static_cast<char>(s - 'a' + 'A');
    if (s == c) return i;
  }
  return -1;
}

}  // namespace

void end_word(HandLineReader& r) {
  if (r.word_length == 0) return;
  const std::size_t length = r.word_length;
  r.word_length = 0;
  if (r.status != LineStatus::kHand) return;  // the first problem stands
  CardCode card;
  if (length == 1 && r.word[0] == '*') {
    card = kJoker;
  } else {
    const int rank = length == 2 ? index_in(kRankChars, r.word[0]) : -1;
    const int suit = length == 2 ? index_in(kSuitChars, r.word[1]) : -1;
    if (rank < 0 || suit < 0) {
      r.status = LineStatus::kUnknownCard;
      return;
    }
    card = make_card(rank, suit, false);
  }
  if (r.count == kMaxToolCards) {
    r.status = LineStatus::kTooManyCards;
    return;
  }
  r.cards[r.count++] = card;
}

LineStatus end_line(HandLineReader& r) {
  LineStatus status = r.status;
  if (status == LineStatus::kHand && r.count == 0) status = LineStatus::kNoCards;
  r.status = LineStatus::kHand;
  r.word_length = 0;
  r.line_started = false;
  return status;
}

}  // namespace orvix
