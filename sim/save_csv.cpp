// The CSV side of saved results: counters with percentages and their 95%
// Wilson intervals, one row per category and top rank.
#include "sim/save_file.h"

#include <string>

#include "platform/console.h"
#include "sim/wilson.h"

namespace orvix {

namespace {

// A percentage cell: ",", then 100 * fraction with 6 decimals.
void append_fixed6(std::string& line, double fraction) {
  line += ',';
  line += format_fixed(100.0 * fraction, 6);
}

double fraction(std::uint64_t part, std::uint64_t whole) {
  return whole == 0 ? 0.0 : static_cast<double>(part) / static_cast<double>(whole);
}

}  // namespace

std::string save_csv_text(const ResultTable& table) {
  std::string text =
      "category,rank,occurred,won,lost,share_percent,win_percent,share_low,share_high,win_low,win_"
      "high\n";
  const std::uint64_t total = counted_player_hands(table);
  const auto row = [&](int c, const char* rank, std::uint64_t won, std::uint64_t lost) {
    const std::uint64_t occurred = won + lost;
    const Interval share = wilson_interval(occurred, total, kZ95);
    const Interval win = wilson_interval(won, occurred, kZ95);
    text += kCategoryNames[c];
    text += ',';
    text += rank;
    for (const std::uint64_t count : {occurred, won, lost}) text += ',' + std::to_string(count);
    append_fixed6(text, fraction(occurred, total));
    append_fixed6(text, fraction(won, occurred));
    append_fixed6(text, share.low);
    append_fixed6(text, share.high);
    append_fixed6(text, win.low);
    append_fixed6(text, win.high);
    text += '\n';
  };
  for (int c = 0; c < kCategoryCount; ++c) {
    std::uint64_t won = 0;
    std::uint64_t lost = 0;
    for (int r = 0; r < kRankCount; ++r) {
      won += table.wins[c][r];
      lost += table.losses[c][r];
    }
    row(c, "All", won, lost);
    for (int r = kRankCount - 1; r >= 0; --r)
      row(c, kRankWords[r], table.wins[c][r], table.losses[c][r]);
  }
  return text;
}

}  // namespace orvix
