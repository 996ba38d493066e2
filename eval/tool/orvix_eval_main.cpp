// orvix-eval: scores poker hands read from standard input, one per line.
// For every line it writes one line: the hand's value in hex, its category
// and its top rank ("0x1200088A One Pair King"), or "error: " and why; with
// --cards, the five cards that make the hand after a colon.
// Exit status 0 when every line was a hand, 1 when some line was not, 2 when
// the input could not be read, the output could not be written or the
// arguments were wrong.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include <orvix/best_five.h>
#include <orvix/evaluate.h>

#include "hand_lines.h"
#include "platform/console.h"
#include "platform/read_bytes.h"
#include "platform/standard_streams.h"

namespace {

using orvix::HandLineReader;
using orvix::LineStatus;

constexpr std::size_t kReadBlock = 1 << 20;
constexpr int kFailed = 2;

constexpr const char* kUsage =
    "Usage: orvix-eval [--help | --cards]\n"
    "Scores the poker hand on each line of standard input: 1 to 20 cards separated by\n"
    "blanks, each a rank 23456789TJQKA and a suit dsch in either case, or * for a wild\n"
    "card. Writes one line per input line: the value in hex, the category and the top\n"
    "rank (\"0x24201082 Two Pair Ace\"), or \"error: \" and why.\n"
    "--cards adds a colon and the five cards that make the hand, each wild card as the\n"
    "rank it stands for and * (with its suit in a flush): \"0x64001080 Full House Ace:\n"
    "Ad As A* 9c 9h\".\n"
    "Exit status: 0 every line was a hand, 1 some line was not, 2 the input could not\n"
    "be read, the output could not be written or an argument was wrong.\n";

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

int main(int argc, char* argv[]) {
  const orvix::ClosedStreams closed = orvix::reopen_closed_standard_streams();
  orvix::set_output_failure("orvix-eval", kFailed);
  if (closed.output) orvix::mark_output_lost(EBADF);
  bool with_cards = false;
  if (argc > 1) {
    const std::string_view arg = argv[1];
    if (argc == 2 && (arg == "--help" || arg == "-h")) {
      orvix::out_text(kUsage);
      orvix::out_flush();
      return 0;
    }
    if (argc != 2 || arg != "--cards") {
      std::fputs(kUsage, stderr);
      return kFailed;
    }
    with_cards = true;
  }

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
        if (with_cards) {
          out.append(": ");
          out.append(orvix::best_five_text(orvix::best_five(r.cards, r.count)).c_str());
        }
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
  int read_error = closed.input ? EBADF : 0;
  while (read_error == 0) {
    // Answers held back must go out before a read that would wait: a person
    // typing hands (or a program talking to the tool line by line) would
    // otherwise wait for them forever.
    if (!out.text.empty() && orvix::input_would_wait(0)) {
      out.flush();
      orvix::out_flush();
    }
    const long n = orvix::read_bytes(0, block, sizeof block, read_error);
    if (n > 0) {
      orvix::feed_bytes(reader, block, static_cast<std::size_t>(n), on_line);
    } else if (n == 0) {
      orvix::finish_bytes(reader, on_line);
      break;
    }
  }
  // Answers already found are written either way; a write that fails ends the
  // program with its own message and status.
  out.flush();
  orvix::out_flush();
  if (read_error != 0) {
    std::fprintf(stderr, "orvix-eval: input could not be read (%s).\n", std::strerror(read_error));
    return kFailed;
  }
  return all_read ? 0 : 1;
}
