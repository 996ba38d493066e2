#pragma once
// Runs a piece of code with standard output sent to a temporary file and
// returns what it printed, so tests see the exact bytes the program writes.

#include <unistd.h>

#include <cstdio>
#include <string>

namespace orvix::test {

template <class Body>
std::string capture_stdout(Body&& body) {
  std::fflush(stdout);
  std::FILE* file = std::tmpfile();
  if (file == nullptr) return "<tmpfile failed>";
  const int saved = dup(fileno(stdout));
  dup2(fileno(file), fileno(stdout));
  body();
  std::fflush(stdout);
  dup2(saved, fileno(stdout));
  close(saved);

  std::string text;
  std::rewind(file);
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  std::fclose(file);
  return text;
}

}  // namespace orvix::test
