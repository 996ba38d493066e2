#pragma once
// The stats (percentages) and counts (raw numbers) tables.

#include "sim/result_table.h"

namespace orvix {

// 0 stays 0, (0, 0.5) shows as 1, (99.5, 100) as 99; anything else unchanged.
float display_percent(float percent);

// The tables of a table whose derived fields are up to date (not stale).
void print_stats(const ResultTable& table);
void print_counts(const ResultTable& table);

}  // namespace orvix
