#pragma once
// The built-in manual printed by "help" and "?".

namespace orvix {

// Writes the whole help text, whatever the quiet mode.
void print_help();

}  // namespace orvix
