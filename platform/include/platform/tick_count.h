#pragma once
// A millisecond tick counter that wraps like a 32-bit count, so elapsed times
// are plain unsigned differences (now - start), correct across one wrap.

#include <cstdint>

namespace orvix {

// Milliseconds of a monotonic clock, modulo 2^32.
std::uint32_t tick_count();

}  // namespace orvix
