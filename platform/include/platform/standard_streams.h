#pragma once
// The three standard descriptors: start-up care, redirection to files, and
// whether a person sits at them.

#include <string>

namespace orvix {

struct ClosedStreams {
  bool input = false;
  bool output = false;
  bool error = false;
};

// Opens /dev/null on each of descriptors 0, 1 and 2 that is closed, so that no
// file the program opens later takes a standard stream's place (and receives
// its output). Returns which of them were closed; the caller reports that as
// the failure it is when the stream is used.
ClosedStreams reopen_closed_standard_streams();

// Standard input from the file `name`; false when it cannot be opened.
bool reopen_standard_input(const std::string& name);

// Standard output to the file `name` (emptied), after flushing what was
// written so far. False when the file cannot be opened for writing; standard
// output then still goes where it went, so the failure can be reported.
bool reopen_standard_output(const std::string& name);

// True when standard input and standard output are both a terminal.
bool standard_streams_are_terminal();

}  // namespace orvix
