#include <cerrno>
#include <string>
#include <vector>

#include "app/command_loop.h"
#include "app/switches.h"
#include <orvix/evaluate.h>
#include "platform/console.h"
#include "platform/standard_streams.h"

int main(int argc, char* argv[]) {
  // Before anything is opened, so no file lands on a closed standard stream.
  const orvix::ClosedStreams closed = orvix::reopen_closed_standard_streams();

  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) args.emplace_back(argv[i] != nullptr ? argv[i] : "");
  if (args.empty()) args.emplace_back("orvix");  // started with no argument 0 at all

  const orvix::SwitchOutcome outcome = orvix::scan_switches(args, orvix::system_switch_platform());
  if (closed.output && !outcome.output_redirected) orvix::mark_output_lost(EBADF);
  if (outcome.result != orvix::SwitchResult::kRun) {
    orvix::print_switch_outcome(outcome, args[0]);
    return orvix::switch_exit_status(outcome);
  }
  orvix::build_eval_tables();
  orvix::LoopInput input;
  if (closed.input && !outcome.input_redirected) input.error_number = EBADF;
  input.line_editing = !outcome.input_redirected && !outcome.output_redirected &&
                       orvix::standard_streams_are_terminal();
  const int status = orvix::command_loop(outcome.quiet, outcome.no_hint, input);
  orvix::out_flush();  // a failure here still ends with its own status and message
  return status;
}
