#pragma once
// The workers' generator: PCG32 (64-bit LCG state, xorshift-rotate output of
// its high bits) and unbiased bounded indices by Lemire's multiply-shift.
// Inline so the shuffle loop keeps state, increment and bound in registers.

#include <bit>
#include <cstdint>

namespace orvix {

inline constexpr std::uint64_t kPcgMultiplier = 6364136223846793005ULL;

// 32 output bits of a state: the top 5 bits pick a rotation of a xorshifted
// window of the high bits, so the weak low bits of the LCG never show.
constexpr std::uint32_t pcg_output(std::uint64_t state) {
  const auto mixed = static_cast<std::uint32_t>(((state >> 18) ^ state) >> 27);
  return std::rotr(mixed, static_cast<int>(state >> 59));
}

// Returns the output of the current state and advances it.
constexpr std::uint32_t pcg_next(std::uint64_t& state, std::uint64_t increment) {
  const std::uint64_t old = state;
  state = old * kPcgMultiplier + increment;
  return pcg_output(old);
}

// A uniform index in [0, range), range >= 1. The high half of r * range is
// the index; products whose low half falls below 2^32 mod range would make
// some indices one draw likelier, so they are drawn again. The remainder is
// needed only when the low half is below range, i.e. almost never.
constexpr std::uint32_t bounded_index(std::uint64_t& state, std::uint64_t increment,
                                      std::uint32_t range) {
  std::uint64_t product = std::uint64_t{pcg_next(state, increment)} * range;
  auto low = static_cast<std::uint32_t>(product);
  if (low < range) [[unlikely]] {
    const std::uint32_t threshold = (0u - range) % range;
    while (low < threshold) {
      product = std::uint64_t{pcg_next(state, increment)} * range;
      low = static_cast<std::uint32_t>(product);
    }
  }
  return static_cast<std::uint32_t>(product >> 32);
}

}  // namespace orvix
