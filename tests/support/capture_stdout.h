#pragma once
// Standard output sent to a temporary file while a test runs, so the test
// sees the exact bytes the program writes (NUL bytes included). gtest itself
// also prints to standard output, so a capture lasts only as long as needed.

#include <unistd.h>

#include <cstdio>
#include <string>

namespace orvix::test {

class StdoutCapture {
 public:
  StdoutCapture() {
    std::fflush(stdout);
    file_ = std::tmpfile();
    if (file_ == nullptr) return;
    saved_ = ::dup(1);
    if (saved_ >= 0) ::dup2(::fileno(file_), 1);
  }
  StdoutCapture(const StdoutCapture&) = delete;
  StdoutCapture& operator=(const StdoutCapture&) = delete;
  ~StdoutCapture() {
    restore();
    if (file_ != nullptr) std::fclose(file_);
  }

  // Everything printed since the last call (or since the capture began).
  std::string take() {
    std::fflush(stdout);
    std::string text;
    if (file_ == nullptr) return "<tmpfile failed>";
    const long end = ::lseek(::fileno(file_), 0, SEEK_END);
    char buffer[65536];
    for (long at = taken_; at < end;) {
      const ssize_t got = ::pread(::fileno(file_), buffer, sizeof buffer, at);
      if (got <= 0) break;
      text.append(buffer, static_cast<std::size_t>(got));
      at += got;
    }
    taken_ = end;
    return text;
  }

  // Sends standard output back where it went before.
  void restore() {
    if (saved_ < 0) return;
    std::fflush(stdout);
    ::dup2(saved_, 1);
    ::close(saved_);
    saved_ = -1;
  }

 private:
  std::FILE* file_ = nullptr;
  int saved_ = -1;
  long taken_ = 0;
};

// What body() printed to standard output.
template <class Body>
std::string capture_stdout(Body&& body) {
  StdoutCapture capture;
  body();
  std::string text = capture.take();
  capture.restore();
  return text;
}

}  // namespace orvix::test
