#include "platform/processors.h"

#include <thread>

#if defined(__linux__)
#include <sched.h>

#include <cerrno>
#endif

namespace orvix {

namespace {

// 0 when the system cannot tell.
int hardware_threads() { return static_cast<int>(std::thread::hardware_concurrency()); }

#if defined(__linux__)
// The CPUs in this process's affinity mask, or 0 if it cannot be read.
// Machines with more CPUs than a plain cpu_set_t holds need a larger set;
// sched_getaffinity says so with EINVAL.
int affinity_cpus() {
  for (int cpus = CPU_SETSIZE; cpus <= 1 << 16; cpus *= 2) {
    cpu_set_t* set = CPU_ALLOC(cpus);
    if (set == nullptr) break;
    const std::size_t size = CPU_ALLOC_SIZE(cpus);
    CPU_ZERO_S(size, set);
    const int result = sched_getaffinity(0, size, set);
    const int count = result == 0 ? CPU_COUNT_S(size, set) : 0;
    const int error = errno;
    CPU_FREE(set);
    if (result == 0) return count;
    if (error != EINVAL) break;
  }
  return 0;
}
#else
// The standard library has no affinity mask; hardware_concurrency stands in.
int affinity_cpus() { return 0; }
#endif

}  // namespace

int processor_count() {
  if (const int cpus = affinity_cpus(); cpus > 0) return cpus;
  if (const int cpus = hardware_threads(); cpus > 0) return cpus;
  return 1;
}

}  // namespace orvix
