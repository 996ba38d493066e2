#pragma once
// Whole-file reading and replacing, for saved results.

#include <cstddef>
#include <string>
#include <string_view>

namespace orvix {

// Writes bytes to `name` so that it is either the old file or the complete
// new one, never half of it: the bytes go to a temporary file in the same
// folder, are flushed to disk, and only then take the name (renamed over an
// old file). Where the system has unnamed files, the temporary file has no
// name until it is complete, so a killed process leaves nothing behind.
// Only a new file or a regular file is written; a symbolic link to a regular
// file has its target replaced (the link stays). A folder is refused with
// the system's "Is a directory", a device, FIFO or socket with "not a
// regular file"; nothing is changed then. On failure returns false with the
// reason in `reason`.
bool replace_file(const std::string& name, std::string_view bytes, std::string& reason);

enum class FileRead {
  kRead,        // bytes hold the whole file
  kUnreadable,  // it could not be opened or read (a missing file, a folder); reason from the system
  kRefused,  // it could be opened, but is no regular file (a FIFO, a device) or is above max_bytes
};

// Reads the whole regular file into bytes; on anything but kRead, `reason`
// says why and bytes are untouched.
FileRead read_whole_file(const std::string& name, std::size_t max_bytes, std::string& bytes,
                         std::string& reason);

// True for a file, device or pipe this process may read; false for a folder
// (it passes the access test but holds no lines) and for what is missing.
bool readable_file(const std::string& name);

// True when both names name one file: the same name, or the same device and
// inode when both exist (links, "./x" and "x", other spellings of one path).
bool same_file(const std::string& a, const std::string& b);

enum class StandardStream { kNone, kInput, kOutput };

// Which of standard input and output, when that is a regular file, is the
// file `name` names (compared by device and inode, so any spelling of the
// path counts). kNone when it is neither or does not exist.
StandardStream standard_stream_file(const std::string& name);

}  // namespace orvix
