#include "platform/threads.h"

#include <system_error>

namespace orvix {

bool start_thread(ThreadHandle& handle, ThreadEntry entry, void* argument) {
  try {
    handle.thread = std::thread([entry, argument] { entry(argument); });
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

bool join_threads(ThreadHandle* handles, int count) {
  bool all_joined = true;
  for (int i = 0; i < count; ++i) {
    std::thread& thread = handles[i].thread;
    if (!thread.joinable()) {
      all_joined = false;
      continue;
    }
    try {
      thread.join();
    } catch (const std::system_error&) {
      all_joined = false;
    }
  }
  return all_joined;
}

}  // namespace orvix
