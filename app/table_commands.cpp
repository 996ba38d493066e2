#include "app/table_commands.h"

#include "command_output.h"
#include "sim/reports.h"
#include "sim/result_table.h"

namespace orvix {

void stats_command(LoopState& state, CommandArgs& args) {
  blank_line_unless_quiet(args);
  print_stats(state.table);
  out_line_end();
}

void counts_command(LoopState& state, CommandArgs& args) {
  blank_line_unless_quiet(args);
  print_counts(state.table);
  out_line_end();
}

void seats_command(LoopState& state, CommandArgs& args) {
  blank_line_unless_quiet(args);
  print_seat_table(state.table.seats);
  out_line_end();
}

void clear_command(LoopState& state, CommandArgs& args) {
  clear_results(state.table);
  state.runs.clear();
  confirm(args, "Counters cleared.");
}

}  // namespace orvix
