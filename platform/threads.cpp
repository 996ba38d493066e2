#include "platform/threads.h"

namespace orvix {

namespace {

void* thread_start(void* raw) {
  const auto* handle = static_cast<const ThreadHandle*>(raw);
  handle->entry(handle->argument);
  return nullptr;
}

}  // namespace

bool start_thread(ThreadHandle& handle, ThreadEntry entry, void* argument) {
  handle.entry = entry;
  handle.argument = argument;
  pthread_t id;
  if (pthread_create(&id, nullptr, thread_start, &handle) != 0) {
    handle.running = false;
    return false;
  }
  handle.native = id;
  handle.running = true;
  return true;
}

bool join_threads(ThreadHandle* handles, int count) {
  bool all_joined = true;
  for (int i = 0; i < count; ++i) {
    if (!handles[i].running) {
      all_joined = false;
      continue;
    }
    if (pthread_join(handles[i].native, nullptr) != 0) all_joined = false;
    handles[i].running = false;
  }
  return all_joined;
}

}  // namespace orvix
