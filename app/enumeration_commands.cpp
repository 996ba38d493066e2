#include "app/enumeration_commands.h"

#include "command_output.h"
#include "platform/stop_request.h"
#include "exact/exact_report.h"
#include "reference/reference_games.h"

namespace orvix {

void test_command(LoopState& state, CommandArgs& args) {
  if (state.skip_enumerations) return;
  blank_line_unless_quiet(args);
  out_flush();
  if (!run_reference_games()) end_session_if_not_interactive();
  out_line_end();
}

void exact_command(LoopState& state, CommandArgs& args) {
  if (state.skip_enumerations) return;
  // The exact engine deals every hand from the whole pack alone.
  if (state.rules.board > 0 || has_holds(state.rules)) {
    out_text("Error: exact counts games without a board or held cards.\n");
    return;
  }
  run_exact(state.rules, args.quiet);
}

}  // namespace orvix
