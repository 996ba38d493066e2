#include "platform/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace orvix {

namespace {

// Descriptors are handed out lowest first, so opening /dev/null while `fd`
// is closed gives exactly `fd` when every lower one is open; the caller goes
// from 0 upwards. Returns true when fd was closed.
bool fill_if_closed(int fd, int flags) {
  if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) return false;
  const int opened = ::open("/dev/null", flags);
  if (opened >= 0 && opened != fd) {
    ::dup2(opened, fd);
    ::close(opened);
  }
  return true;
}

}  // namespace

ClosedStreams reopen_closed_standard_streams() {
  ClosedStreams closed;
  closed.input = fill_if_closed(0, O_RDONLY);
  closed.output = fill_if_closed(1, O_WRONLY);
  closed.error = fill_if_closed(2, O_WRONLY);
  return closed;
}

bool reopen_standard_input(const std::string& name) {
  return std::freopen(name.c_str(), "r", stdin) != nullptr;
}

bool reopen_standard_output(const std::string& name) {
  // A failed freopen closes standard output, and its error message would be
  // lost; opening the file once beforehand keeps the old output for the message.
  std::FILE* probe = std::fopen(name.c_str(), "w");
  if (probe == nullptr) return false;
  std::fclose(probe);
  std::fflush(stdout);
  return std::freopen(name.c_str(), "w", stdout) != nullptr;
}

bool standard_streams_are_terminal() { return ::isatty(0) == 1 && ::isatty(1) == 1; }

}  // namespace orvix
