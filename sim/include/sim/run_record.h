#pragma once
// What the session remembers of each run whose counts are in the result
// table: enough to say what was played and to play it again.

#include <cstdint>
#include <vector>

#include "sim/result_table.h"
#include "rules/game_rules.h"

namespace orvix {

struct RunRecord {
  GameRules game;          // every rule, cards included (error_text unused)
  std::uint64_t seed = 0;  // the run seed
  std::uint32_t part = 1;  // part `part` of `parts` was played
  std::uint32_t parts = 1;
  std::uint64_t deals = 0;  // deals this process played and counted
  double seconds = 0.0;     // wall time of the run

  bool operator==(const RunRecord&) const = default;
};

// Every run in the current table, oldest first; cleared with the table.
using RunRecords = std::vector<RunRecord>;

// The record of a run of `game` with `seed` on the given part that counted
// `player_hands_counted` player-hands (wins plus losses; every deal counts one
// per player).
RunRecord make_run_record(const GameRules& game, std::uint64_t seed, std::uint32_t part,
                          std::uint32_t parts, std::uint64_t player_hands_counted, double seconds);

// The player-hands of the whole table (wins plus losses), straight from the
// counters (the stored totals may be stale).
std::uint64_t counted_player_hands(const ResultTable& table);

}  // namespace orvix
