#pragma once
// How many processors this process may run on.

namespace orvix {

// The CPUs in this process's affinity mask (so `taskset -c 0 orvix` counts
// one); where there is no such mask, the hardware threads; 1 if neither
// can be told.
int processor_count();

}  // namespace orvix
