#include "exact/equity_report.h"

#include <algorithm>
#include <cinttypes>
#include <cstring>
#include <vector>

#include "platform/console.h"
#include "platform/processors.h"
#include "platform/progress_line.h"
#include "platform/stop_request.h"
#include "exact/exact_report.h"
#include "rules/describe.h"

namespace orvix {

namespace {

const char* plural(std::int64_t count, const char* one, const char* many) {
  return count == 1 ? one : many;
}

struct SeatCounts {
  std::uint64_t wins = 0, ties = 0, losses = 0;
};

SeatCounts seat_counts(const SeatEquity& equity, int seat) {
  SeatCounts counts;
  counts.losses = equity.by_winners[seat][0];
  counts.wins = equity.by_winners[seat][1];
  for (int k = 2; k <= equity.players; ++k) counts.ties += equity.by_winners[seat][k];
  return counts;
}

int digits(std::uint64_t count) { return static_cast<int>(std::to_string(count).size()); }

void out_percent(double fraction) {
  out_text(" ");
  out_fixed(100.0 * fraction, 10, 6);
}

}  // namespace

void print_count_game_lines(const GameRules& rules, int hands) {
  out_printf("Poker with %d %s, %d %s, ", rules.decks, plural(rules.decks, "deck", "decks"),
             rules.jokers, plural(rules.jokers, "joker", "jokers"));
  if (hands == 1)
    out_text("one hand");
  else
    out_printf("%d hands", hands);
  out_printf(" of %d %s", rules.hand_size, plural(rules.hand_size, "card", "cards"));
  if (rules.board > 0)
    out_printf(" and a board of %d %s", rules.board, plural(rules.board, "card", "cards"));
  out_text(".\n");
  describe_cards(rules);
  if (rules.board > 0 && rules.use != kUseAny) out_text(use_sentence(rules.use) + "\n");
  for (int seat = 1; seat <= rules.players; ++seat)
    if (rules.holds[seat - 1].count > 0) out_text(hold_sentence(rules, seat) + "\n");
  if (rules.board_hold.count > 0) out_text(hold_sentence(rules, 0) + "\n");
  describe_ranking(rules);
}

void print_seat_equity(const SeatEquity& equity, const GameRules& rules) {
  std::vector<std::string> holds;
  int holds_width = 5;
  int wins_width = 4, ties_width = 4, losses_width = 6;
  for (int s = 0; s < equity.players; ++s) {
    const HeldCards& hold = rules.holds[s];
    holds.push_back(hold.count == 0 ? "-" : held_cards_text(hold));
    holds_width = std::max(holds_width, static_cast<int>(holds.back().size()));
    const SeatCounts counts = seat_counts(equity, s);
    wins_width = std::max(wins_width, digits(counts.wins));
    ties_width = std::max(ties_width, digits(counts.ties));
    losses_width = std::max(losses_width, digits(counts.losses));
  }
  out_printf("%-4s  %-*s %*s %*s %*s %10s %10s %10s\n", "SEAT", holds_width, "HOLDS", wins_width,
             "WINS", ties_width, "TIES", losses_width, "LOSSES", "WIN%", "TIE%", "EQUITY%");
  const double deals = equity.deals == 0 ? 1.0 : static_cast<double>(equity.deals);
  for (int s = 0; s < equity.players; ++s) {
    const SeatCounts counts = seat_counts(equity, s);
    out_printf("%-4d  %-*s %*" PRIu64 " %*" PRIu64 " %*" PRIu64, s + 1, holds_width,
               holds[static_cast<std::size_t>(s)].c_str(), wins_width, counts.wins, ties_width,
               counts.ties, losses_width, counts.losses);
    out_percent(static_cast<double>(counts.wins) / deals);
    out_percent(static_cast<double>(counts.ties) / deals);
    out_percent(seat_equity_fraction(equity, s));
    out_text("\n");
  }
}

void run_equity(const GameRules& rules, bool quiet, int workers) {
  if (const std::string refusal = equity_refusal(rules); !refusal.empty()) {
    out_text(refusal);
    return;
  }
  const BigCount deals = equity_deals(rules);
  if (!quiet) out_line_end();
  print_count_game_lines(rules, rules.players);
  out_printf("Counting %s %s.", count_text(deals).c_str(), deals == 1 ? "deal" : "deals");
  out_line_end();
  out_line_end();

  EquityOptions options;
  options.workers = workers > 0 ? workers : processor_count();
  options.watch_stop = true;
  SeatEquity equity;
  {
    StopWindow window;
    ProgressScope progress(static_cast<std::uint64_t>(deals), "deals");
    options.progress = &progress.line;
    equity = count_seat_equity(rules, options);
  }
  if (equity.stopped) {
    print_count_stopped();
    return;
  }
  print_seat_equity(equity, rules);
  out_line_end();
}

}  // namespace orvix
