#pragma once
// Line editing at a terminal: arrow keys, Ctrl-R and a history that lasts for
// the session (nothing is written to disk). Built on libedit when it was found
// at build time; without it, line_editor_available() is false and the caller
// reads plainly.

#include <cstddef>
#include <string>

namespace orvix {

// True when this build has line editing.
bool line_editor_available();

// Shows prompt and reads one edited line from the terminal on standard input
// into line (without its line end). Returns false at the end of the input
// (Ctrl-D on an empty line). Ctrl-C drops the line being typed: the call ends
// the screen line and returns true with an empty line, so the caller prompts
// afresh. The terminal is in its editing mode only inside this call, and a
// signal that ends the program meanwhile restores it first.
bool edit_line(const char* prompt, std::string& line);

// Adds line to the session history (blank lines are left out).
void remember_line(const std::string& line);

}  // namespace orvix
