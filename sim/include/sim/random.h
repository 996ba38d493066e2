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

// Two uniform, independent indices from one output: first in [0, range),
// second in [0, range - 1), for 2 <= range <= kPairRangeLimit. Lemire's method
// draws a uniform value below range * (range - 1) as the high half of r times
// that product; multiplying r by range and then the low half by range - 1
// yields the same value split into its two mixed-radix digits. Fewer
// generator steps per card, for the same fairness: the shuffle's cost is
// mostly instructions per swap.
inline constexpr std::uint32_t kPairRangeLimit = 65536;

constexpr void bounded_pair(std::uint64_t& state, std::uint64_t increment, std::uint32_t range,
                            std::uint32_t& first, std::uint32_t& second) {
  const std::uint32_t next_range = range - 1;
  const std::uint32_t product_range = range * next_range;
  std::uint64_t high = std::uint64_t{pcg_next(state, increment)} * range;
  std::uint64_t low = std::uint64_t{static_cast<std::uint32_t>(high)} * next_range;
  if (static_cast<std::uint32_t>(low) < product_range) [[unlikely]] {
    const std::uint32_t threshold = (0u - product_range) % product_range;
    while (static_cast<std::uint32_t>(low) < threshold) {
      high = std::uint64_t{pcg_next(state, increment)} * range;
      low = std::uint64_t{static_cast<std::uint32_t>(high)} * next_range;
    }
  }
  first = static_cast<std::uint32_t>(high >> 32);
  second = static_cast<std::uint32_t>(low >> 32);
}

// Three indices from one output, in [0, range), [0, range - 1) and
// [0, range - 2), for 3 <= range <= kTripleRangeLimit: the same split in
// three digits. The limit keeps range * (range - 1) * (range - 2) below 2^24,
// so the remainder is needed on fewer than one draw in 250.
inline constexpr std::uint32_t kTripleRangeLimit = 256;

constexpr void bounded_triple(std::uint64_t& state, std::uint64_t increment, std::uint32_t range,
                              std::uint32_t& first, std::uint32_t& second, std::uint32_t& third) {
  const std::uint32_t product_range = range * (range - 1) * (range - 2);
  std::uint64_t high = std::uint64_t{pcg_next(state, increment)} * range;
  std::uint64_t middle = std::uint64_t{static_cast<std::uint32_t>(high)} * (range - 1);
  std::uint64_t low = std::uint64_t{static_cast<std::uint32_t>(middle)} * (range - 2);
  if (static_cast<std::uint32_t>(low) < product_range) [[unlikely]] {
    const std::uint32_t threshold = (0u - product_range) % product_range;
    while (static_cast<std::uint32_t>(low) < threshold) {
      high = std::uint64_t{pcg_next(state, increment)} * range;
      middle = std::uint64_t{static_cast<std::uint32_t>(high)} * (range - 1);
      low = std::uint64_t{static_cast<std::uint32_t>(middle)} * (range - 2);
    }
  }
  first = static_cast<std::uint32_t>(high >> 32);
  second = static_cast<std::uint32_t>(middle >> 32);
  third = static_cast<std::uint32_t>(low >> 32);
}

}  // namespace orvix
