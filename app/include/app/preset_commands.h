#pragma once
// The command that sets up a named game: "preset".

#include "app/command.h"

namespace orvix {

// "PRESET name": the hand size, board and use rule of a named game (any
// case), the holds cleared, confirmed with what it deals; a refusal changes
// nothing. "PRESET" alone lists every preset, in quiet mode too. Everything
// after the command word, as typed, is the name, so "preset omaha hi" is
// refused as no preset "omaha hi".
void preset_command(LoopState& state, CommandArgs& args);

}  // namespace orvix
