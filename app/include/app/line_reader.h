#pragma once
// Reading command lines from a file descriptor: any byte, NUL included, with
// a bound on the length of a line so that endless input needs flat memory.

#include <cstddef>
#include <string>
#include <vector>

namespace orvix {

// The most bytes a command line may hold before its line end ('\r' counts).
inline constexpr std::size_t kMaxLineBytes = 1048576;

enum class ReadStatus {
  kLine,     // a line arrived (without its '\n')
  kTooLong,  // a line longer than kMaxLineBytes was read to its end and dropped
  kEnd,      // the end of the input, with no byte of a new line before it
  kFailed,   // the input could not be read; error_number says why
};

struct LineReader {
  int fd = 0;
  // Called before every read that may have to wait for more input, so that
  // everything printed so far is out before the program waits.
  void (*before_wait)() = nullptr;
  int error_number = 0;  // set when a read failed (or beforehand: a closed input)
  std::vector<char> buffer = std::vector<char>(65536);
  std::size_t start = 0;  // unread bytes are buffer[start, end)
  std::size_t end = 0;
  bool at_end = false;
};

// Reads the bytes up to the next '\n' (consumed, not kept) into line. A last
// line without a line end is still delivered. A line past the limit comes
// back as too_long with line empty; so does a failed read, whatever part of a
// line it had read.
ReadStatus read_line(LineReader& reader, std::string& line);

}  // namespace orvix
