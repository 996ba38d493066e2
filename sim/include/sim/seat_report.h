#pragma once
// The seats table: wins, ties, losses and equity of every seat.

#include <string>
#include <vector>

#include "sim/seat_results.h"

namespace orvix {

// One row per seat, holds[i] being the cards seat i + 1 holds as typed
// (empty for none, shown as "-"); the HOLDS column is as wide as the longest
// text, at least 5. Percentages are of the deals; +/-95% is the equity's
// margin. Before any deal, "No seat results yet."
void print_seat_results(const SeatResults& results, const std::vector<std::string>& holds);

}  // namespace orvix
