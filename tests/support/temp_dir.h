#pragma once
// A fresh folder of a test's own, under $TMPDIR (or /tmp), removed with
// everything in it when the test is done: tests run in parallel processes and
// leave nothing behind.

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace orvix::test {

class ScopedTempDir {
 public:
  ScopedTempDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/orvix-test-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr)
      throw std::runtime_error("mkdtemp failed for " + pattern);
    path_ = name.data();
  }
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;
  ~ScopedTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  // The folder, without a final '/'.
  const std::string& path() const { return path_; }
  // A name inside the folder: file("a.txt") == path() + "/a.txt".
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace orvix::test
