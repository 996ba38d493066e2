#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace orvix {

namespace {

std::string system_reason(int error) { return std::strerror(error); }

// The folder part of name, ending in '/', or "" for a bare name.
std::string folder_of(const std::string& name) {
  const std::size_t slash = name.rfind('/');
  return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}

bool write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The permissions a plain new file would get: rw for all, less the umask.
mode_t new_file_mode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Where the bytes for `name` must land: `name` itself for a new or regular
// file, the final target for a link to a regular file (so the link stays a
// link, as editors keep it). Anything else is refused with its reason.
bool write_destination(const std::string& name, std::string& destination, std::string& reason) {
  struct stat info {};
  if (::lstat(name.c_str(), &info) != 0) {
    if (errno != ENOENT) {
      reason = system_reason(errno);
      return false;
    }
    destination = name;  // a new file
    return true;
  }
  if (S_ISLNK(info.st_mode)) {
    struct stat target {};
    if (::stat(name.c_str(), &target) != 0 || !S_ISREG(target.st_mode)) {
      reason = "not a regular file";
      return false;
    }
    char* resolved = ::realpath(name.c_str(), nullptr);
    if (resolved == nullptr) {
      reason = system_reason(errno);
      return false;
    }
    destination = resolved;
    std::free(resolved);
    return true;
  }
  if (S_ISDIR(info.st_mode)) {
    reason = system_reason(EISDIR);
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    reason = "not a regular file";
    return false;
  }
  destination = name;
  return true;
}

// Writes every byte to fd and flushes it to disk; 0 or the error number.
int write_and_sync(int fd, std::string_view bytes) {
  if (!write_all(fd, bytes) || ::fsync(fd) != 0) return errno;
  return 0;
}

// A name beside `destination` that nothing holds yet, for the moment
// between linking the finished bytes in and renaming them over the old file.
std::string spare_name(const std::string& destination, unsigned attempt) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::uint64_t bits =
      static_cast<std::uint64_t>(::getpid()) * 0x9E3779B97F4A7C15ULL +
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) +
      attempt * 0xBF58476D1CE4E5B9ULL;
  std::string name = folder_of(destination) + ".orvix-save-";
  for (int i = 0; i < 6; ++i, bits /= 36) name += kLetters[bits % 36];
  return name;
}

// The finished bytes live in an unnamed file (O_TMPFILE), so a process killed
// while writing leaves nothing behind. They get a name only when complete:
// linked straight in as a new file, or linked beside the old one and renamed
// over it. false when unnamed files are not to be had here (the caller then
// writes a named temporary file); true with `error` 0 or the failure.
bool replace_through_unnamed_file(const std::string& destination, std::string_view bytes,
                                  int& error) {
#ifdef O_TMPFILE
  const std::string folder = folder_of(destination);
  const int fd =
      ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  error = write_and_sync(fd, bytes);
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  if (error == 0) {
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, destination.c_str(), AT_SYMLINK_FOLLOW) != 0) {
      error = errno;
      if (error == EEXIST) {
        for (unsigned attempt = 0; attempt < 16 && error == EEXIST; ++attempt) {
          const std::string spare = spare_name(destination, attempt);
          if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, spare.c_str(), AT_SYMLINK_FOLLOW) != 0) {
            error = errno;
            continue;
          }
          error = ::rename(spare.c_str(), destination.c_str()) == 0 ? 0 : errno;
          if (error != 0) ::unlink(spare.c_str());
        }
      } else if (error == ENOENT || error == EPERM || error == EACCES) {
        // No /proc here, or linking is not allowed: write the named way.
        ::close(fd);
        error = 0;
        return false;
      }
    }
  }
  if (::close(fd) != 0 && error == 0) error = errno;
  return true;
#else
  (void)destination;
  (void)bytes;
  (void)error;
  return false;
#endif
}

// The portable way: a named temporary file beside the destination, renamed
// over it when complete.
int replace_through_named_file(const std::string& destination, std::string_view bytes) {
  std::string temp = folder_of(destination) + ".orvix-save-XXXXXX";
  std::vector<char> pattern(temp.begin(), temp.end());
  pattern.push_back('\0');
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return errno;
  temp.assign(pattern.data());
  int error = 0;
  if (::fchmod(fd, new_file_mode()) != 0) error = errno;
  if (error == 0) error = write_and_sync(fd, bytes);
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temp.c_str(), destination.c_str()) != 0) error = errno;
  if (error != 0) ::unlink(temp.c_str());
  return error;
}

}  // namespace

bool replace_file(const std::string& name, std::string_view bytes, std::string& reason) {
  std::string destination;
  if (!write_destination(name, destination, reason)) return false;
  int error = 0;
  if (!replace_through_unnamed_file(destination, bytes, error))
    error = replace_through_named_file(destination, bytes);
  if (error != 0) {
    reason = system_reason(error);
    return false;
  }
  return true;
}

FileRead read_whole_file(const std::string& name, std::size_t max_bytes, std::string& bytes,
                         std::string& reason) {
  // Non-blocking, so a FIFO without a writer cannot hang the session; only
  // regular files are read.
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    reason = system_reason(errno);
    return FileRead::kUnreadable;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    reason = system_reason(errno);
    ::close(fd);
    return FileRead::kUnreadable;
  }
  if (!S_ISREG(info.st_mode)) {
    const bool folder = S_ISDIR(info.st_mode);
    reason = folder ? system_reason(EISDIR) : "not a regular file";
    ::close(fd);
    return folder ? FileRead::kUnreadable : FileRead::kRefused;
  }
  if (static_cast<std::uint64_t>(info.st_size) > max_bytes) {  // refused before a byte is read
    reason = "file too large";
    ::close(fd);
    return FileRead::kRefused;
  }
  std::string text;
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      reason = system_reason(errno);
      ::close(fd);
      return FileRead::kUnreadable;
    }
    if (got == 0) break;
    if (text.size() + static_cast<std::size_t>(got) > max_bytes) {
      reason = "file too large";
      ::close(fd);
      return FileRead::kRefused;
    }
    text.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  bytes = std::move(text);
  return FileRead::kRead;
}

bool readable_file(const std::string& name) {
  struct stat info {};
  return ::access(name.c_str(), R_OK) == 0 && ::stat(name.c_str(), &info) == 0 &&
         !S_ISDIR(info.st_mode);
}

bool same_file(const std::string& a, const std::string& b) {
  if (a == b) return true;
  struct stat first {
  }, second{};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

StandardStream standard_stream_file(const std::string& name) {
  struct stat target {};
  if (::stat(name.c_str(), &target) != 0) return StandardStream::kNone;
  const auto same = [&target](int fd) {
    struct stat stream {};
    return ::fstat(fd, &stream) == 0 && S_ISREG(stream.st_mode) && stream.st_dev == target.st_dev &&
           stream.st_ino == target.st_ino;
  };
  if (same(STDIN_FILENO)) return StandardStream::kInput;
  if (same(STDOUT_FILENO)) return StandardStream::kOutput;
  return StandardStream::kNone;
}

}  // namespace orvix
