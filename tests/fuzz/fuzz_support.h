#pragma once
// What every fuzz target shares: a check that reports a broken property the
// way a sanitizer does (libFuzzer then saves the input), and the set-up that
// sends the program's standard output somewhere harmless.

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace orvix::fuzz {

// A broken property: report it and abort, which libFuzzer records as a crash.
[[noreturn]] inline void check_failed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, condition);
  std::abort();
}

// Standard output to /dev/null: the targets print a lot, and libFuzzer
// reports on standard error.
inline void silence_standard_output() {
  std::fflush(stdout);
  const int fd = open("/dev/null", O_WRONLY);
  if (fd >= 0 && fd != STDOUT_FILENO) {
    dup2(fd, STDOUT_FILENO);
    close(fd);
  }
}

}  // namespace orvix::fuzz

#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::orvix::fuzz::check_failed(#condition, __FILE__, __LINE__))
