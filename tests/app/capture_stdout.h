#pragma once
// Runs a piece of code with standard output sent to a temporary file and
// hands back what it printed (gtest itself also prints to standard output).

#include <unistd.h>

#include <cstdio>
#include <string>

namespace orvix::testing_support {

class StdoutCapture {
 public:
  StdoutCapture() {
    std::fflush(stdout);
    file_ = std::tmpfile();
    saved_ = ::dup(1);
    if (file_ != nullptr && saved_ >= 0) ::dup2(::fileno(file_), 1);
  }
  StdoutCapture(const StdoutCapture&) = delete;
  StdoutCapture& operator=(const StdoutCapture&) = delete;
  ~StdoutCapture() {
    restore();
    if (file_ != nullptr) std::fclose(file_);
  }

  // Everything printed since the last call.
  std::string take() {
    std::fflush(stdout);
    std::string text;
    if (file_ == nullptr) return text;
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

}  // namespace orvix::testing_support
