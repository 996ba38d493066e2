#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

}  // namespace

bool replace_file(const std::string& name, std::string_view bytes, std::string& reason) {
  std::string temp = folder_of(name) + ".orvix-save-XXXXXX";
  std::vector<char> pattern(temp.begin(), temp.end());
  pattern.push_back('\0');
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) {
    reason = system_reason(errno);
    return false;
  }
  temp.assign(pattern.data());
  int error = 0;
  if (::fchmod(fd, new_file_mode()) != 0 || !write_all(fd, bytes) || ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temp.c_str(), name.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temp.c_str());
    reason = system_reason(error);
    return false;
  }
  return true;
}

bool read_whole_file(const std::string& name, std::size_t max_bytes, std::string& bytes,
                     std::string& reason) {
  // Non-blocking, so a FIFO without a writer cannot hang the session; only
  // regular files are read.
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    reason = system_reason(errno);
    return false;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    reason = S_ISDIR(info.st_mode) ? system_reason(EISDIR) : "not a regular file";
    ::close(fd);
    return false;
  }
  std::string text;
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      reason = system_reason(errno);
      ::close(fd);
      return false;
    }
    if (got == 0) break;
    if (text.size() + static_cast<std::size_t>(got) > max_bytes) {
      reason = "file too large";
      ::close(fd);
      return false;
    }
    text.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  bytes = std::move(text);
  return true;
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
