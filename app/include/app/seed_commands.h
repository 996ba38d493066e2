#pragma once
// The commands that say which deals the runs to come play: their seeds
// ("seed") and the part of each run played here ("shard").

#include "app/command.h"

namespace orvix {

// "SEED" alone shows the last run's seed and, while a given seed waits for
// its first run, that seed (in quiet mode too); "SEED RANDOM" asks for fresh
// seeds; "SEED S" (1 to 20 digits, at most 2^64 - 1) fixes the seed of the
// following runs.
void seed_command(LoopState& state, CommandArgs& args);

// "SHARD i n": the following runs play part i of n (1 <= i <= n < 2^32).
void part_command(LoopState& state, CommandArgs& args);

}  // namespace orvix
