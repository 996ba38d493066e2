#pragma once
// Raw reading from a descriptor, for readers that keep their own buffer
// (command lines, the hand lines of orvix-eval).

#include <cstddef>

namespace orvix {

// Reads up to size bytes of fd into buffer, again when a signal interrupted
// the read. Returns how many arrived (at least 1), 0 at the end of the
// input, or -1 with the system's error number in error_number.
long read_bytes(int fd, char* buffer, std::size_t size, int& error_number);

// True when a read of fd would have to wait right now: no byte and no end
// of the input is ready.
bool input_would_wait(int fd);

}  // namespace orvix
