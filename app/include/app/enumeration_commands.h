#pragma once
// The commands that count every hand instead of sampling deals: "test" (the
// reference games), "exact" (the current game) and "equity" (every seat).

#include "app/command.h"

namespace orvix {

// "TEST": enumerates the reference games, single threaded. A failed check
// ends a session that reads its commands from a file.
void test_command(LoopState& state, CommandArgs& args);

// "EXACT": the exact odds of one hand under the current rules.
void exact_command(LoopState& state, CommandArgs& args);

// "EQUITY": the exact equity of every seat, every deal of the unknown cards counted.
void equity_command(LoopState& state, CommandArgs& args);

}  // namespace orvix
