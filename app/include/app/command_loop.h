#pragma once
// The read-evaluate loop over command lines.

#include <cstdint>
#include <string_view>

#include "rules/game_rules.h"
#include "sim/result_table.h"
#include "sim/run_record.h"
#include "sim/run_settings.h"

namespace orvix {

// Everything a command works on; lives for one command loop.
struct LoopState {
  GameRules rules;
  ResultTable table;
  RunSettings run_settings;  // seeds and part of the runs to come
  RunRecords runs;           // the runs whose counts are in table
  // Bounds for a harness that plays whole sessions (the fuzz targets); the
  // program leaves them off.
  std::int64_t run_length_cap = 0;  // when positive, a run plays at most this many deals
  bool skip_enumerations = false;   // "test", "exact", "equity" and "ranking frequency" do nothing
};

// Where the command lines come from.
struct LoopInput {
  bool line_editing = false;  // standard input and output are a terminal: edit lines
  int error_number = 0;       // standard input was unusable from the start (errno)
};

// Greets, then reads and carries out one line at a time from standard input
// until a quit word or the end of the input. Returns the exit status: 0, or
// 1 when the commands could not be read.
int command_loop(bool quiet, bool no_hint, const LoopInput& input);

// Sets the rules to their defaults and clears the counters.
void start_loop_state(LoopState& state);

// Carries out one command line as read (not yet folded) and prints what it
// calls for, but not the prompt. Returns false when the line ends the loop.
bool execute_line(LoopState& state, std::string_view line, bool quiet);

}  // namespace orvix
