#include "app/enumeration_commands.h"

#include <string>

#include "command_output.h"
#include "platform/stop_request.h"
#include "exact/equity_report.h"
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
  if (const std::string refusal = exact_rules_refusal(state.rules); !refusal.empty()) {
    out_text(refusal);
    return;
  }
  run_exact(state.rules, args.quiet);
}

void equity_command(LoopState& state, CommandArgs& args) {
  if (state.skip_enumerations) return;
  run_equity(state.rules, args.quiet);
}

}  // namespace orvix
