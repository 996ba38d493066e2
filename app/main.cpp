#include <string>
#include <vector>

#include "app/command_loop.h"
#include "app/switches.h"
#include <orvix/evaluate.h>

int main(int argc, char* argv[]) {
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) args.emplace_back(argv[i] != nullptr ? argv[i] : "");
  if (args.empty()) args.emplace_back("orvix");  // started with no argument 0 at all

  const orvix::SwitchOutcome outcome = orvix::scan_switches(args, orvix::system_switch_platform());
  if (outcome.result != orvix::SwitchResult::run) {
    orvix::print_switch_outcome(outcome, args[0]);
    return orvix::switch_exit_status(outcome);
  }
  orvix::build_eval_tables();
  orvix::command_loop(outcome.quiet, outcome.no_hint);
  return 0;
}
