#include "sim/result_table.h"

#include <cassert>

namespace orvix {

void clear_results(ResultTable& table) { table = ResultTable{}; }

void merge_worker_counts(const SimWorker& worker, ResultTable& table) {
  for (int c = 0; c < kCategoryCount; ++c) {
    for (int r = 0; r < kRankCount; ++r) {
      table.wins[c][r] += worker.win_counts[c * kRankCount + r];
      table.losses[c][r] += worker.loss_counts[c * kRankCount + r];
    }
  }
  // 2^64 deals are out of reach of any run, so the add never overflows.
  [[maybe_unused]] const bool added = add_seat_results(table.seats, worker.seats);
  assert(added);
  table.stale = true;
}

namespace {

float percent(std::uint64_t part, std::uint64_t whole) {
  if (part == 0 || whole == 0) return 0.0f;
  return static_cast<float>(100.0 * static_cast<double>(part) / static_cast<double>(whole));
}

}  // namespace

void compute_percentages(ResultTable& table) {
  table.total_wins = 0;
  table.total_losses = 0;
  for (int c = 0; c < kCategoryCount; ++c) {
    table.category_wins[c] = 0;
    table.category_losses[c] = 0;
    for (int r = 0; r < kRankCount; ++r) {
      table.category_wins[c] += table.wins[c][r];
      table.category_losses[c] += table.losses[c][r];
    }
    table.total_wins += table.category_wins[c];
    table.total_losses += table.category_losses[c];
  }
  table.total_hands = table.total_wins + table.total_losses;

  for (int c = 0; c < kCategoryCount; ++c) {
    const std::uint64_t occurred = table.category_wins[c] + table.category_losses[c];
    table.category_win_percent[c] = percent(table.category_wins[c], occurred);
    for (int r = 0; r < kRankCount; ++r)
      table.rank_win_percent[c][r] =
          percent(table.wins[c][r], table.wins[c][r] + table.losses[c][r]);
    // A run that dealt nothing leaves total_hands at 0;
    // its shares are 0, not a division by zero.
    table.category_share_percent[c] = percent(occurred, table.total_hands);
  }
  table.stale = false;
}

}  // namespace orvix
