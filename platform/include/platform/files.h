#pragma once
// Whole-file reading and replacing, for saved results.

#include <cstddef>
#include <string>
#include <string_view>

namespace orvix {

// Writes bytes to a new temporary file in the folder of `name`, flushes it to
// disk and renames it over `name`, so `name` is either the old file or the
// complete new one, never half of it. On failure returns false with the
// system's reason in `reason` and removes the temporary file.
bool replace_file(const std::string& name, std::string_view bytes, std::string& reason);

// Reads the whole regular file into bytes. Refuses (false, reason set) what
// cannot be opened or read, what is no regular file (a folder, a FIFO, a
// device), and files above max_bytes.
bool read_whole_file(const std::string& name, std::size_t max_bytes, std::string& bytes,
                     std::string& reason);

enum class StandardStream { kNone, kInput, kOutput };

// Which of standard input and output, when that is a regular file, is the
// file `name` names (compared by device and inode, so any spelling of the
// path counts). kNone when it is neither or does not exist.
StandardStream standard_stream_file(const std::string& name);

}  // namespace orvix
