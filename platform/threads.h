#pragma once
// Worker threads: start one, and wait for a group of them to end.

#include <pthread.h>

namespace orvix {

// A thread's entry: takes the argument given to start_thread, returns the
// thread's exit code (nothing reads it).
using ThreadEntry = int (*)(void* argument);

// One started thread. Must stay at the same address until it has been joined:
// the new thread reads entry and argument through it.
struct ThreadHandle {
  pthread_t native{};
  bool running = false;
  ThreadEntry entry = nullptr;
  void* argument = nullptr;
};

// Starts entry(argument) on a new thread at once. False when the platform
// refuses to create the thread (the handle is then left not running).
bool start_thread(ThreadHandle& handle, ThreadEntry entry, void* argument);

// Waits, without time limit, until each of the count threads has ended.
// False if any of them could not be waited for.
bool join_threads(ThreadHandle* handles, int count);

}  // namespace orvix
