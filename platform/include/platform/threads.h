#pragma once
// Worker threads: start one, and wait for a group of them to end.

#include <thread>

namespace orvix {

// A thread's entry: takes the argument given to start_thread, returns the
// thread's exit code (nothing reads it).
using ThreadEntry = int (*)(void* argument);

// One started thread, or none (never started, or already joined).
struct ThreadHandle {
  std::thread thread;
};

// Starts entry(argument) on a new thread at once. False when the system
// refuses to create the thread (the handle then holds no thread).
bool start_thread(ThreadHandle& handle, ThreadEntry entry, void* argument);

// Waits, without time limit, until each of the count threads has ended.
// False if any of them was never started or could not be waited for.
bool join_threads(ThreadHandle* handles, int count);

}  // namespace orvix
