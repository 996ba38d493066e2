#pragma once
// The commands about the session itself: "help" and "quit".

#include "app/command.h"

namespace orvix {

// "HELP", "?": the whole help text, whatever the quiet mode.
void help_command(LoopState& state, CommandArgs& args);

// "QUIT", "Q", "EXIT": ends the command loop.
void quit_command(LoopState& state, CommandArgs& args);

}  // namespace orvix
