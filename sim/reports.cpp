#include "sim/reports.h"

#include <cassert>
#include <cinttypes>
#include <cstring>
#include <string>

#include "platform/console.h"
#include "rules/describe.h"

namespace orvix {

float display_percent(float percent) {
  if (percent == 0.0f) return 0.0f;
  if (percent > 0.0f && percent < 0.5f) return 1.0f;
  if (percent > 99.5f && percent < 100.0f) return 99.0f;
  return percent;
}

namespace {

// "%3.0f%%" with halves rounded away from zero.
void out_percent(float percent) {
  out_fixed(static_cast<double>(display_percent(percent)), 3, 0);
  out_text("%");
}

void out_count(std::uint64_t count) { out_printf("%12" PRIu64, count); }

// The rank headings, Ace first, each right-aligned in `width` columns after
// `gap` blanks, and under them a row of dashes as long as each heading.
void print_rank_headings(const char* first_columns, const char* first_rule, int width, int gap) {
  out_text(first_columns);
  for (int r = kRankCount - 1; r >= 0; --r) out_printf("%*s%*s", gap, "", width, kRankHeadings[r]);
  out_text("\n");
  out_text(first_rule);
  for (int r = kRankCount - 1; r >= 0; --r) {
    const std::string rule(std::strlen(kRankHeadings[r]), '-');
    out_printf("%*s%*s", gap, "", width, rule.c_str());
  }
  out_text("\n");
}

}  // namespace

void print_stats(const ResultTable& table) {
  assert(!table.stale);
  print_rank_headings("HAND            WINS", "----            ----", 6, 0);
  for (int c = 0; c < kCategoryCount; ++c) {
    out_printf("%s ", kPaddedCategoryNames[c]);
    out_percent(table.category_win_percent[c]);
    out_text("  ");
    for (int r = kRankCount - 1; r >= 0; --r) {
      out_percent(table.rank_win_percent[c][r]);
      if (r > 0) out_text("  ");
    }
    out_text("\n");
  }
}

void print_counts(const ResultTable& table) {
  assert(!table.stale);
  print_rank_headings("HAND                    DIST         WINS",
                      "----                    ----         ----", 12, 1);
  for (int c = 0; c < kCategoryCount; ++c) {
    out_printf("%s %12" PRIu64 " %12" PRIu64 " ", kPaddedCategoryNames[c],
               table.category_wins[c] + table.category_losses[c], table.category_wins[c]);
    for (int r = kRankCount - 1; r >= 0; --r) {
      out_count(table.wins[c][r]);
      if (r > 0) out_text(" ");
    }
    out_text("\n                      ");
    out_fixed(static_cast<double>(table.category_share_percent[c]), 5, 1);
    out_printf("%% %12" PRIu64 " ", table.category_losses[c]);
    for (int r = kRankCount - 1; r >= 0; --r) {
      out_count(table.losses[c][r]);
      if (r > 0) out_text(" ");
    }
    out_text("\n");
  }
  out_printf("                %12" PRIu64 "\n", table.total_hands);
}

}  // namespace orvix
