#pragma once
// The commands about the counters: "stats", "counts", "seats" and "clear".

#include "app/command.h"

namespace orvix {

void stats_command(LoopState& state, CommandArgs& args);
void counts_command(LoopState& state, CommandArgs& args);

// "SEATS": wins, ties, losses and equity of every seat of the game the seat
// results count (in quiet mode too).
void seats_command(LoopState& state, CommandArgs& args);

// "CLEAR": empty counters and no run records; the game stays.
void clear_command(LoopState& state, CommandArgs& args);

}  // namespace orvix
