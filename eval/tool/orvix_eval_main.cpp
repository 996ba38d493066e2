// orvix-eval: scores poker hands read from standard input, one per line.
// For every line it writes one line: the hand's value in hex, its category
// and its top rank ("0x1200088A One Pair King"), or "error: " and why; with
// --cards, the five cards that make the hand after a colon; with --ranking,
// every hand valued and read under that order.
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
#include <orvix/ranking.h>

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
    "Usage: orvix-eval [--help | [--cards] [--ranking ORDER]]\n"
    "Scores the poker hand on each line of standard input: 1 to 20 cards separated by\n"
    "blanks, each a rank 23456789TJQKA and a suit dsch in either case, or * for a wild\n"
    "card. Writes one line per input line: the value in hex, the category and the top\n"
    "rank (\"0x24201082 Two Pair Ace\"), or \"error: \" and why.\n"
    "--cards adds a colon and the five cards that make the hand, each wild card as the\n"
    "rank it stands for and * (with its suit in a flush): \"0x64001080 Full House Ace:\n"
    "Ad As A* 9c 9h\".\n"
    "--ranking values every hand under another order: standard, shortdeck (Flush\n"
    "above Full House, A-6-7-8-9 the lowest straight), low (ace-to-five lowball: the\n"
    "lowest hand wins, no straights or flushes, the Ace lowest), deuce\n"
    "(deuce-to-seven lowball: the lowest hand wins, the Ace high), or the ten\n"
    "category codes highest first separated by commas: 5K,SF,4K,FL,FH,ST,3K,2P,1P,HC.\n"
    "The value is the ranked one (greater still wins), and the category and top rank\n"
    "are read under that order.\n"
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

// The order a --ranking argument names: a ranking's name or the codes
// parse_ranking_order reads; false for anything else.
bool ranking_argument(std::string_view text, orvix::Ranking& ranking) {
  return orvix::named_ranking(text, ranking) || orvix::parse_ranking_order(text, ranking);
}

}  // namespace

int main(int argc, char* argv[]) {
  const orvix::ClosedStreams closed = orvix::reopen_closed_standard_streams();
  orvix::set_output_failure("orvix-eval", kFailed);
  if (closed.output) orvix::mark_output_lost(EBADF);
  bool with_cards = false;
  bool ranked = false;
  orvix::Ranking ranking = orvix::standard_ranking();
  if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
    orvix::out_text(kUsage);
    orvix::out_flush();
    return 0;
  }
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    bool known = false;
    if (arg == "--cards" && !with_cards) {
      known = with_cards = true;
    } else if (arg == "--ranking" && !ranked && i + 1 < argc) {
      known = ranked = ranking_argument(argv[++i], ranking);
    }
    if (!known) {
      std::fputs(kUsage, stderr);
      return kFailed;
    }
  }

  Output out;
  out.text.reserve(kWriteBlock + 256);
  bool all_read = true;

  const auto on_line = [&](const HandLineReader& r, LineStatus status) {
    switch (status) {
      case LineStatus::kHand: {
        const orvix::HandValue v =
            ranked ? orvix::evaluate(r.cards, r.count, ranking) : orvix::evaluate(r.cards, r.count);
        out.append_hex8(v);
        out.append(" ");
        out.append(orvix::kCategoryNames[ranked ? orvix::hand_category(v, ranking)
                                                : orvix::hand_category(v)]);
        out.append(" ");
        out.append(orvix::kRankWords[ranked ? orvix::top_rank(v, ranking) : orvix::top_rank(v)]);
        if (with_cards) {
          out.append(": ");
          out.append(orvix::best_five_text(ranked ? orvix::best_five(r.cards, r.count, ranking)
                                                  : orvix::best_five(r.cards, r.count))
                         .c_str());
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
