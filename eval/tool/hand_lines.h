#pragma once
// Splits a byte stream into hands, one per line, for orvix-eval. A hand is
// cards separated by blanks, each read by parse_card: a rank character
// (23456789TJQKA) and a suit character (dsch) in either case, or "*" for a
// wild card. Any bytes are accepted: a CR is a blank (so CR LF line ends
// work), a NUL or any other byte inside a word makes it an unknown card, and
// a line of any length needs no more memory than twenty cards.

#include <cstddef>

#include <orvix/card.h>
#include <orvix/evaluate.h>

namespace orvix {

inline constexpr int kMaxToolCards = kMaxHandSize;

enum class LineStatus { kHand, kUnknownCard, kNoCards, kTooManyCards };

struct HandLineReader {
  CardCode cards[kMaxToolCards];
  int count = 0;
  LineStatus status = LineStatus::kHand;  // the first problem found on the line
  char word[2] = {0, 0};                  // the first two bytes of the word being read
  std::size_t word_length = 0;
  bool line_started = false;  // any byte since the last line end
};

// Reads one finished word into the line.
void end_word(HandLineReader& r);

// The line's verdict once it has ended; resets the reader for the next line.
LineStatus end_line(HandLineReader& r);

// Feeds bytes; calls on_line(reader, status) at every line end, where the
// reader's cards and count are the line's hand when status is kHand.
template <class OnLine>
void feed_bytes(HandLineReader& r, const char* data, std::size_t size, OnLine&& on_line) {
  for (std::size_t i = 0; i < size; ++i) {
    const char c = data[i];
    if (c == '\n') {
      end_word(r);
      const LineStatus status = end_line(r);
      on_line(r, status);
      r.count = 0;
      continue;
    }
    r.line_started = true;
    if (c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f') {
      end_word(r);
    } else {
      if (r.word_length < 2) r.word[r.word_length] = c;
      ++r.word_length;
    }
  }
}

// At the end of the input: a last line without its line end still counts.
template <class OnLine>
void finish_bytes(HandLineReader& r, OnLine&& on_line) {
  if (!r.line_started) return;
  end_word(r);
  const LineStatus status = end_line(r);
  on_line(r, status);
  r.count = 0;
}

}  // namespace orvix
