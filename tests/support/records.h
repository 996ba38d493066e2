#pragma once
// Comparisons of saved and loaded results for the tests and fuzz targets.

#include <cstring>

#include "sim/result_table.h"

namespace orvix::test {

// The counters alone: the derived sums and percentages are recomputed on use.
inline bool same_counters(const ResultTable& a, const ResultTable& b) {
  return std::memcmp(a.wins, b.wins, sizeof a.wins) == 0 &&
         std::memcmp(a.losses, b.losses, sizeof a.losses) == 0;
}

}  // namespace orvix::test
