#pragma once
// The commands that play a run, "go" and "more", and the run itself as the
// session records it.

#include "app/command.h"
#include "sim/run_simulation.h"

namespace orvix {

// "GO" clears the counters and run records first; "MORE" adds to them. Both
// describe the game, play the run, time it and print the stats. A run that
// Ctrl-C stopped ends a session that reads its commands from a file.
void go_command(LoopState& state, CommandArgs& args);
void more_command(LoopState& state, CommandArgs& args);

// Plays one run of the current game into the table with the next run seed,
// and records it with what it counted and how long it took. Ctrl-C stops it
// after the blocks in progress; a progress line shows on a terminal.
RunOutcome play_recorded_run(LoopState& state);

}  // namespace orvix
