// orvix-eval's hand lines and the card-text parser. Every hand line the
// reader accepts holds 1 to 20 cards that evaluate; every card reads back
// from its own text; the bytes as one card word parse only when they are a
// card's text in either case.

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <orvix/card.h>
#include <orvix/evaluate.h>

#include "fuzz_support.h"
#include "hand_lines.h"

using namespace orvix;

namespace {

bool same_text_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

void check_line(const HandLineReader& reader, LineStatus status) {
  if (status != LineStatus::kHand) return;
  FUZZ_CHECK(reader.count >= 1 && reader.count <= kMaxToolCards);
  for (int i = 0; i < reader.count; ++i) {
    CardCode again = 0;
    FUZZ_CHECK(parse_card(card_text(reader.cards[i]), again));
    FUZZ_CHECK(again == reader.cards[i]);
  }
  volatile HandValue value = evaluate(reader.cards, reader.count);  // must not crash
  (void)value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  CardCode card = 0x5A5A5A5A;
  if (parse_card(text, card)) {
    FUZZ_CHECK(same_text_ignoring_case(card_text(card), text));
  } else {
    FUZZ_CHECK(card == 0x5A5A5A5A);  // a refusal leaves the card as it was
  }

  // The whole input, then the same bytes fed in two pieces: the split point
  // must not change what the lines are.
  HandLineReader whole;
  int whole_lines = 0;
  feed_bytes(whole, text.data(), text.size(), [&](const HandLineReader& r, LineStatus s) {
    check_line(r, s);
    ++whole_lines;
  });
  finish_bytes(whole, [&](const HandLineReader& r, LineStatus s) {
    check_line(r, s);
    ++whole_lines;
  });

  HandLineReader split;
  int split_lines = 0;
  const std::size_t half = size / 2;
  const auto count = [&](const HandLineReader& r, LineStatus s) {
    check_line(r, s);
    ++split_lines;
  };
  feed_bytes(split, text.data(), half, count);
  feed_bytes(split, text.data() + half, size - half, count);
  finish_bytes(split, count);
  FUZZ_CHECK(split_lines == whole_lines);
  return 0;
}
