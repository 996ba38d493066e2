#pragma once
// Starts a program as a child process for tests that run the real binaries:
// standard input from one file, standard output and error into two others.

#include <fcntl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/files.h"
#include "support/temp_dir.h"

namespace orvix::test {

// Forks and runs `binary` with argv (argument 0 included), in folder `dir`
// when it is not empty; a stream whose path is empty starts closed. Returns
// the child's pid, or -1 when fork failed; a child that cannot change folder
// ends with status 126, one that cannot start the program with 127.
inline pid_t start_program(const char* binary, const std::vector<std::string>& argv,
                           const std::string& in_path, const std::string& out_path,
                           const std::string& err_path, const std::string& dir = "") {
  const pid_t child = ::fork();
  if (child != 0) return child;
  if (!dir.empty() && ::chdir(dir.c_str()) != 0) ::_exit(126);
  // Every file is open before any stream closes, so none lands on a closed one.
  const std::string* paths[3] = {&in_path, &out_path, &err_path};
  int opened[3];
  for (int fd = 0; fd < 3; ++fd) {
    const int flags = fd == 0 ? O_RDONLY : O_WRONLY | O_CREAT | O_TRUNC;
    opened[fd] = paths[fd]->empty() ? -1 : ::open(paths[fd]->c_str(), flags, 0644);
  }
  for (int fd = 0; fd < 3; ++fd) {
    if (paths[fd]->empty()) {
      ::close(fd);
    } else {
      ::dup2(opened[fd], fd);
    }
  }
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  ::execv(binary, args.data());
  ::_exit(127);
}

// Waits for the child to end; returns its exit status, or -1 when a signal
// ended it.
inline int wait_for_exit(pid_t child) {
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct Finished {
  int status = -1;     // exit status, or -1 when a signal ended it
  std::string output;  // standard output
  std::string error;   // standard error
};

// Runs `binary` with argv to its end, standard input from `in_path`, in folder
// `dir` when it is not empty; the two streams go through a folder of its own.
inline Finished run_to_end(const char* binary, const std::vector<std::string>& argv,
                           const std::string& in_path = "/dev/null", const std::string& dir = "") {
  const ScopedTempDir streams;
  Finished finished;
  finished.status = wait_for_exit(
      start_program(binary, argv, in_path, streams.file("out"), streams.file("err"), dir));
  finished.output = read_file(streams.file("out"));
  finished.error = read_file(streams.file("err"));
  return finished;
}

}  // namespace orvix::test
