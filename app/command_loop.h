#pragma once
// The read-evaluate loop over command lines.

namespace orvix {

void command_loop(bool quiet, bool no_hint);

}  // namespace orvix
