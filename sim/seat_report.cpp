#include "sim/seat_report.h"

#include <algorithm>
#include <cassert>
#include <cinttypes>

#include "platform/console.h"

namespace orvix {

namespace {

// " %9.4f" of a fraction shown in percent, halves rounded away from zero.
void out_percent_column(double fraction) {
  out_text(" ");
  out_fixed(100.0 * fraction, 9, 4);
}

}  // namespace

void print_seat_results(const SeatResults& results, const std::vector<std::string>& holds) {
  assert(holds.size() <= static_cast<std::size_t>(kMaxPlayers));
  if (results.deals == 0) {
    out_text("No seat results yet.\n");
    return;
  }
  std::size_t holds_width = 5;
  for (const std::string& text : holds) holds_width = std::max(holds_width, text.size());
  const int width = static_cast<int>(holds_width);

  out_printf("%-4s  %-*s %14s %14s %14s %9s %9s %9s %9s\n", "SEAT", width, "HOLDS", "WINS", "TIES",
             "LOSSES", "WIN%", "TIE%", "EQUITY%", "+/-95%");
  const double deals = static_cast<double>(results.deals);
  for (std::size_t i = 0; i < holds.size(); ++i) {
    const SeatSummary seat = summarize_seat(results, static_cast<int>(i));
    out_printf("%-4d  %-*s %14" PRIu64 " %14" PRIu64 " %14" PRIu64, static_cast<int>(i) + 1, width,
               holds[i].empty() ? "-" : holds[i].c_str(), seat.wins, seat.ties, seat.losses);
    out_percent_column(static_cast<double>(seat.wins) / deals);
    out_percent_column(static_cast<double>(seat.ties) / deals);
    out_percent_column(seat.equity);
    out_percent_column(seat.margin);
    out_text("\n");
  }
}

}  // namespace orvix
