#pragma once
// An allocator that gives every block whole cache lines of its own, so data
// written by one thread never shares a line with another thread's data.

#include <cstddef>
#include <new>
#include <vector>

namespace orvix {

inline constexpr std::size_t kCacheLine = 64;

template <class T>
struct CacheLineAllocator {
  using value_type = T;
  CacheLineAllocator() = default;
  template <class U>
  constexpr CacheLineAllocator(const CacheLineAllocator<U>&) noexcept {}
  T* allocate(std::size_t count) {
    const std::size_t bytes = (count * sizeof(T) + kCacheLine - 1) / kCacheLine * kCacheLine;
    return static_cast<T*>(::operator new (bytes, std::align_val_t{kCacheLine}));
  }
  void deallocate(T* pointer, std::size_t) noexcept {
    ::operator delete (pointer, std::align_val_t{kCacheLine});
  }
  template <class U>
  bool operator==(const CacheLineAllocator<U>&) const noexcept {
    return true;
  }
};

// A vector whose storage starts on a cache line and fills whole lines.
template <class T>
using CacheLineVector = std::vector<T, CacheLineAllocator<T>>;

}  // namespace orvix
