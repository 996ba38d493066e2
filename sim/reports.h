#pragma once
// The stats (percentages) and counts (raw numbers) tables.

#include "result_table.h"

namespace orvix {

// 0 stays 0, (0, 0.5) shows as 1, (99.5, 100) as 99; anything else unchanged.
float display_percent(float percent);

void print_stats(ResultTable& table);
void print_counts(ResultTable& table);

}  // namespace orvix
