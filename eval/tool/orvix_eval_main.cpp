// orvix-eval: scores poker hands read from standard input, one per line.
// For every line it writes one line: the hand's value in hex, its category
// and its top rank ("0x1200088A One Pair King"), or "error: " and why.
// Exit status 0 when every line was a hand and all was written, 1 otherwise.
#include <cstdio>
#include <cstring>
#include <string>

#include <orvix/evaluate.h>

#include "hand_lines.h"
#include "platform/console.h"

namespace {

using orvix::HandLineReader;
using orvix::LineStatus;

constexpr std::size_t kReadBlock = 1 << 20;
constexpr std::size_t kWriteBlock = 1 << 20;

struct Output {
  std::string text;
  void append(const char* s) { text.append(s); }
  void append_hex8(orvix::HandValue v) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    char hex[10] = {'0', 'x'};
    for (int i = 0; i < 8; ++i) hex[2 + i] = kDigits[v >> (28 - 4 * i) & 0xF];
    text.append(hex, sizeof hex);
  }
  void line_done() {
    text.push_back('\n');
    if (text.size() >= kWriteBlock) flush();
  }
  void flush() {
    orvix::out_text(text);
    text.clear();
  }
};

}  // namespace

int main() {
  Output out;
  out.text.reserve(kWriteBlock + 256);
  bool all_read = true;

  const auto on_line = [&](const HandLineReader& r, LineStatus status) {
    switch (status) {
      case LineStatus::kHand: {
        const orvix::HandValue v = orvix::evaluate(r.cards, r.count);
        out.append_hex8(v);
        out.append(" ");
        out.append(orvix::kCategoryNames[orvix::hand_category(v)]);
        out.append(" ");
        out.append(orvix::kRankWords[orvix::top_rank(v)]);
        break;
      }
      case LineStatus::kUnknownCard:
        out.append("error: unknown card");
        all_read = false;
        break;
      case LineStatus::kNoCards:
        out.append("error: no cards");
        all_read = false;
        break;
      case LineStatus::kTooManyCards:
        out.append("error: more than 20 cards");
        all_read = false;
        break;
    }
    out.line_done();
  };

  HandLineReader reader;
  static char block[kReadBlock];
  for (;;) {
    const std::size_t n = std::fread(block, 1, sizeof block, stdin);
    if (n > 0) orvix::feed_bytes(reader, block, n, on_line);
    if (n < sizeof block) break;
  }
  if (std::ferror(stdin)) all_read = false;
  orvix::finish_bytes(reader, on_line);
  out.flush();
  orvix::out_flush();
  // Output that could not be written is no success either (a full disk, a closed pipe).
  if (std::ferror(stdout)) all_read = false;
  return all_read ? 0 : 1;
}
