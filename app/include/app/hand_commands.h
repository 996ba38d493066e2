#pragma once
// "hand": names the best hand in some cards and the five cards that make it.

#include "app/command.h"

namespace orvix {

// "HAND <cards>": values 1 to 20 typed cards under the game's wild rules and ranking (the
// cards need not be in the pack, and may repeat) and prints, in quiet mode
// too, "Two Pair, Ace: Ad As 9c 9h 3s".
void hand_command(LoopState& state, CommandArgs& args);

}  // namespace orvix
