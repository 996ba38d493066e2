#include "platform/os_random.h"

#include <sys/random.h>

#include <random>

namespace orvix {

std::uint64_t os_random_u64() {
  std::uint64_t value = 0;
  if (::getrandom(&value, sizeof value, 0) == static_cast<ssize_t>(sizeof value)) return value;
  std::random_device device;
  return static_cast<std::uint64_t>(device()) << 32 | device();
}

}  // namespace orvix
