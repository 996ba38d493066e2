#pragma once
// A command session in this process: the loop's state and what its command
// lines print, as the interactive loop would run them.

#include <string>
#include <vector>

#include "app/command_loop.h"
#include "support/capture_stdout.h"

namespace orvix::test {

struct Session {
  LoopState state;
  StdoutCapture capture;
  Session() { start_loop_state(state); }

  // Runs the lines in order and returns everything they printed.
  std::string run(const std::vector<std::string>& lines, bool quiet = true) {
    capture.take();
    for (const std::string& line : lines) execute_line(state, line, quiet);
    return capture.take();
  }
};

}  // namespace orvix::test
