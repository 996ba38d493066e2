#pragma once
// How many processors this process may run on.

namespace orvix {

// The CPUs in this process's affinity mask (so `taskset -c 0 orvix` counts
// one); 1 if the platform cannot tell.
int processor_count();

}  // namespace orvix
