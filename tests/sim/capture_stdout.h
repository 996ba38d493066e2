#pragma once
// Runs a callable with standard output sent to a temporary file and returns
// every byte it wrote, so reports can be compared byte for byte.

#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/console.h"

namespace orvix::test {

template <class Action>
std::string capture_stdout(Action action) {
  std::fflush(stdout);
  std::FILE* file = std::tmpfile();
  if (file == nullptr) return "<no temporary file>";
  const int saved = dup(STDOUT_FILENO);
  dup2(fileno(file), STDOUT_FILENO);
  action();
  std::fflush(stdout);
  dup2(saved, STDOUT_FILENO);
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
