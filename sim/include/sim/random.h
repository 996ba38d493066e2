#pragma once
// The dealing generator: PCG32 (64-bit LCG state, xorshift-rotate output of
// its high bits), held in two registers for a whole block of deals, and the
// exact bounding that turns one output into up to three shuffle indices.

#include <bit>
#include <cstdint>

namespace orvix {

inline constexpr std::uint64_t kPcgMultiplier = 6364136223846793005ULL;

// A block's stream: the LCG state and its odd increment (the stream).
struct DealGenerator {
  std::uint64_t state = 0;
  std::uint64_t increment = 1;
};

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

// The smallest low half that multiply-high bounding accepts for `range`:
// 2^32 mod range. Of the 2^32 outputs exactly floor(2^32 / range) map to each
// index once the products whose low half falls below it are drawn again.
// rejection_threshold(52) == 48, rejection_threshold(1) == 0.
constexpr std::uint32_t rejection_threshold(std::uint32_t range) { return (0u - range) % range; }

// Up to three indices from one 32-bit output x, for ranges a, b, c whose
// product R fits in 32 bits: the high half of x * a is the first index, the
// high half of (low half) * b the second, and so on. These are the mixed-radix
// digits of the high half of x * R, so with the redraw of multiply-high
// bounding on R (the last low half below rejection_threshold(R)) the three
// indices are exactly uniform and independent. A range of 1 gives index 0.
struct DigitDraw {
  std::uint32_t first, second, third, low;
};

constexpr DigitDraw draw_digits(std::uint32_t x, std::uint32_t a, std::uint32_t b,
                                std::uint32_t c) {
  const std::uint64_t p1 = std::uint64_t{x} * a;
  const std::uint64_t p2 = std::uint64_t{static_cast<std::uint32_t>(p1)} * b;
  const std::uint64_t p3 = std::uint64_t{static_cast<std::uint32_t>(p2)} * c;
  return {static_cast<std::uint32_t>(p1 >> 32), static_cast<std::uint32_t>(p2 >> 32),
          static_cast<std::uint32_t>(p3 >> 32), static_cast<std::uint32_t>(p3)};
}

// The rare remainder of bounded_digits: x is drawn again while the low half
// of x * R (R the product of the ranges) is below 2^32 mod R. Out of line, and
// taking the state by value, so the common path stays small and keeps the
// state in a register.
struct Redrawn {
  std::uint32_t output;
  std::uint64_t state;
};

[[gnu::noinline, gnu::cold]] inline Redrawn redraw_output(std::uint32_t x, std::uint64_t state,
                                                          std::uint64_t increment,
                                                          std::uint32_t product) {
  const std::uint32_t threshold = rejection_threshold(product);
  while (x * product < threshold) x = pcg_next(state, increment);  // the low half, mod 2^32
  return {x, state};
}

// One exactly uniform draw of three digits (ranges a, b, c, product R below
// 2^32) from the generator. `bound` is any number from R to 2^32 - 1: a low
// half of at least `bound` is accepted at once (the threshold is below R), a
// lower one goes through the exact test. One bound for all the groups of a
// deal keeps the products of the ranges off the common path.
[[gnu::always_inline]] inline DigitDraw bounded_digits(std::uint64_t& state,
                                                       std::uint64_t increment, std::uint32_t a,
                                                       std::uint32_t b, std::uint32_t c,
                                                       std::uint32_t bound) {
  const std::uint32_t x = pcg_next(state, increment);
  DigitDraw d = draw_digits(x, a, b, c);
  if (d.low < bound) [[unlikely]] {
    const Redrawn r = redraw_output(x, state, increment, a * b * c);
    state = r.state;
    d = draw_digits(r.output, a, b, c);
  }
  return d;
}

}  // namespace orvix
