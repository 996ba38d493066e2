#pragma once
// Random words from the operating system, for seeds nobody chose.

#include <cstdint>

namespace orvix {

// 64 bits from the kernel's random source (getrandom), falling back to
// std::random_device where that call is missing or fails.
std::uint64_t os_random_u64();

}  // namespace orvix
