#pragma once
// The commands that count every hand instead of sampling deals: "test" (the
// reference games) and "exact" (the current game).

#include "app/command.h"

namespace orvix {

// "TEST": enumerates the reference games, single threaded. A failed check
// ends a session that reads its commands from a file.
void test_command(LoopState& state, CommandArgs& args);

// "EXACT": the exact odds of one hand under the current rules.
void exact_command(LoopState& state, CommandArgs& args);

}  // namespace orvix
