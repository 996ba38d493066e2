#pragma once
// Whole-file reading and writing for tests that run the real programs.

#include <fstream>
#include <sstream>
#include <string>

namespace orvix::test {

// The file's bytes, or "" when it cannot be read.
inline std::string read_file(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

inline void write_file(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace orvix::test
