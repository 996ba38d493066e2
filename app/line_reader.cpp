#include "app/line_reader.h"

#include <cstring>

#include "platform/read_bytes.h"

namespace orvix {

namespace {

// Refills the empty buffer; false at the end of the input or on a failure.
bool refill(LineReader& reader) {
  if (reader.at_end || reader.error_number != 0) return false;
  if (reader.before_wait != nullptr) reader.before_wait();
  const long n =
      read_bytes(reader.fd, reader.buffer.data(), reader.buffer.size(), reader.error_number);
  if (n > 0) {
    reader.start = 0;
    reader.end = static_cast<std::size_t>(n);
    return true;
  }
  if (n == 0) reader.at_end = true;
  return false;
}

}  // namespace

ReadStatus read_line(LineReader& reader, std::string& line) {
  line.clear();
  bool any_byte = false;
  bool too_long = false;
  for (;;) {
    if (reader.start == reader.end && !refill(reader)) {
      if (reader.error_number != 0) {
        line.clear();
        return ReadStatus::kFailed;
      }
      if (!any_byte) return ReadStatus::kEnd;
      break;  // a last line without its line end
    }
    const char* from = reader.buffer.data() + reader.start;
    const std::size_t available = reader.end - reader.start;
    const void* newline = std::memchr(from, '\n', available);
    const std::size_t take =
        newline != nullptr ? static_cast<std::size_t>(static_cast<const char*>(newline) - from)
                           : available;
    any_byte = true;
    // Bytes past the limit are counted off, never kept.
    if (!too_long) {
      if (line.size() + take > kMaxLineBytes) {
        too_long = true;
        line.clear();
        line.shrink_to_fit();
      } else {
        line.append(from, take);
      }
    }
    reader.start += take;
    if (newline != nullptr) {
      ++reader.start;
      break;
    }
  }
  return too_long ? ReadStatus::kTooLong : ReadStatus::kLine;
}

}  // namespace orvix
