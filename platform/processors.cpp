#include "platform/processors.h"

#include <sched.h>

#include <cerrno>

namespace orvix {

int processor_count() {
  // Machines with more CPUs than a plain cpu_set_t holds need a larger set;
  // sched_getaffinity says so with EINVAL.
  for (int cpus = CPU_SETSIZE; cpus <= 1 << 16; cpus *= 2) {
    cpu_set_t* set = CPU_ALLOC(cpus);
    if (set == nullptr) break;
    const std::size_t size = CPU_ALLOC_SIZE(cpus);
    CPU_ZERO_S(size, set);
    const int result = sched_getaffinity(0, size, set);
    const int count = result == 0 ? CPU_COUNT_S(size, set) : 0;
    const int error = errno;
    CPU_FREE(set);
    if (result == 0) return count > 0 ? count : 1;
    if (error != EINVAL) break;
  }
  return 1;
}

}  // namespace orvix
