#pragma once
// TEMPORARY, dropped when the seeded dealing lands in sim/run_simulation.h:
// the seeded run interface the module is written against, with a stand-in
// that plays the run unseeded and whole.

#include <cstdint>

#include "rules/game_rules.h"
#include "sim/result_table.h"
#include "sim/run_simulation.h"

namespace orvix {

struct RunRequest {
  std::uint64_t seed = 0;
  std::uint32_t part = 1;
  std::uint32_t parts = 1;
};

struct RunOutcome {
  std::int64_t hands_played = 0;
  bool stopped = false;
};

RunOutcome run_simulation(const GameRules& rules, const RunRequest& request, ResultTable& table);

}  // namespace orvix
