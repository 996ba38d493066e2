#pragma once
// Start-up care of the three standard descriptors.

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

}  // namespace orvix
