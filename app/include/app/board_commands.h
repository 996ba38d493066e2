#pragma once
// The commands about the shared board and the cards known before a deal:
// "board", "use" and "hold". A refused change prints the rules' own refusal
// text and leaves the game as it was.

#include "app/command.h"

namespace orvix {

// "BOARD n": cards dealt face up and shared by every player (0 to 19); a
// missing number is refused.
void board_command(LoopState& state, CommandArgs& args);

// "USE ANY", "USE K" (1 to 5): how many own cards a hand takes with a board.
void use_command(LoopState& state, CommandArgs& args);

// "HOLD N cards", "HOLD BOARD cards": known cards of seat N or of the board
// (no cards clears that hold); "HOLD CLEAR" clears every hold. Refusals come
// in the order seat, count, card, pack.
void hold_command(LoopState& state, CommandArgs& args);

}  // namespace orvix
