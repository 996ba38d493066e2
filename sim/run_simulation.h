#pragma once
// One run: run_length deals spread over one worker thread per processor.

#include "result_table.h"
#include "rules/game_rules.h"

namespace orvix {

// Plays the run and merges every worker into table. On a platform failure it
// prints its message and ends the process with exit status 1.
void run_simulation(const GameRules& rules, ResultTable& table);

}  // namespace orvix
