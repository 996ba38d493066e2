#include "platform/read_bytes.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace orvix {

long read_bytes(int fd, char* buffer, std::size_t size, int& error_number) {
  for (;;) {
    const ssize_t n = ::read(fd, buffer, size);
    if (n >= 0) return static_cast<long>(n);
    if (errno != EINTR) {
      error_number = errno;
      return -1;
    }
  }
}

bool input_would_wait(int fd) {
  pollfd p{fd, POLLIN, 0};
  return ::poll(&p, 1, 0) == 0;
}

}  // namespace orvix
