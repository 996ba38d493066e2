#include "app/session_commands.h"

#include "app/help.h"

namespace orvix {

void help_command(LoopState&, CommandArgs&) { print_help(); }

void quit_command(LoopState&, CommandArgs& args) { args.end_loop = true; }

}  // namespace orvix
