#pragma once
// The command that chooses the order hands are valued by: "ranking".

#include "app/command.h"

namespace orvix {

// "RANKING" alone prints "Ranking: <the order, highest first>." (quiet mode
// too). "RANKING STANDARD", "SHORTDECK" or "ORDER <ten categories>" (any case)
// set the game's ranking, confirmed "Ranking now standard." (shortdeck,
// custom); "RANKING FREQUENCY" orders the categories by how rare the game
// makes them (exact/exact_report.h). A refusal changes nothing.
void ranking_command(LoopState& state, CommandArgs& args);

}  // namespace orvix
