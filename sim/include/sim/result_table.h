#pragma once
// The program's 64-bit result counters, with their derived sums and percentages.

#include <cstdint>

#include <orvix/evaluate.h>
#include "sim/seat_results.h"
#include "sim/sim_worker.h"

namespace orvix {

struct ResultTable {
  bool stale = false;  // counts merged since the derived fields were last computed
  std::uint64_t wins[kCategoryCount][kRankCount] = {};
  std::uint64_t losses[kCategoryCount][kRankCount] = {};
  std::uint64_t category_wins[kCategoryCount] = {};
  std::uint64_t category_losses[kCategoryCount] = {};
  std::uint64_t total_hands = 0;
  std::uint64_t total_wins = 0;
  std::uint64_t total_losses = 0;
  SeatResults seats;  // per seat, of one game (seats.game)
  float category_win_percent[kCategoryCount] = {};
  float rank_win_percent[kCategoryCount][kRankCount] = {};
  float category_share_percent[kCategoryCount] = {};
};

void clear_results(ResultTable& table);

// Adds the worker's counts, its seat counts to table.seats (which takes the
// worker's game while it has no deals); the derived fields are then stale.
void merge_worker_counts(const SimWorker& worker, ResultTable& table);

// Refreshes the derived sums and percentages from the counts. The command
// loop calls it once after each run; the reports only read the table.
void compute_percentages(ResultTable& table);

}  // namespace orvix
