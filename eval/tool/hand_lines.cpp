#include "hand_lines.h"

#include <string_view>

namespace orvix {

void end_word(HandLineReader& r) {
  if (r.word_length == 0) return;
  const std::size_t length = r.word_length;
  r.word_length = 0;
  if (r.status != LineStatus::kHand) return;  // the first problem stands
  CardCode card;
  // word holds only the first two bytes: a longer word is no card.
  if (length > sizeof r.word || !parse_card(std::string_view(r.word, length), card)) {
    r.status = LineStatus::kUnknownCard;
    return;
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
