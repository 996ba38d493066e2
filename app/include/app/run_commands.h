#pragma once
// The commands about runs as a whole: their seeds ("seed"), the part of each
// run played here ("shard"), and the results as files ("save", "load"); and
// the run itself as the session records it.

#include <cstdint>
#include <string_view>

#include "app/command_loop.h"
#include "rules/word_stream.h"
#include "sim/run_simulation.h"

namespace orvix {

// "SEED" with the stream after the command word: alone it shows the last
// run's seed (in quiet mode too); "RANDOM" asks for fresh seeds; a number
// fixes the seed of the following runs.
void seed_command(RunSettings& settings, WordStream& stream, bool quiet);

// "SHARD i n": the following runs play part i of n.
void shard_command(RunSettings& settings, WordStream& stream, bool quiet);

// "SAVE" and "LOAD" with the line as typed (the file name keeps its case).
void save_command(const LoopState& state, std::string_view line, bool quiet);
void load_command(LoopState& state, std::string_view line, bool quiet);

// Plays one run of the current game into the table with the next run seed,
// and records it with what it counted and how long it took. Ctrl-C stops it
// after the blocks in progress; a progress line shows on a terminal.
RunOutcome play_recorded_run(LoopState& state);

// A seed as typed: 1 to 20 decimal digits and nothing else, at most
// 2^64 - 1. parse_seed("007", v) sets 7; "+1", "1e3" and 21 digits fail.
bool parse_seed(std::string_view text, std::uint64_t& value);

// The file name of a "save" or "load" line: everything after the command
// word, without the blanks, tabs and CRs at either end.
// file_name_argument("  Save  My File.JSON \r") == "My File.JSON".
std::string_view file_name_argument(std::string_view line);

}  // namespace orvix
