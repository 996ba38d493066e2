#pragma once
// The dealing generator: kLanes independent xoshiro128** generators stepped
// together, their states kept lane by lane so that one step of all of them is
// a handful of vector instructions. A deal draws all its shuffle indices in
// batches of kLanes outputs; the indices are bounded by multiply-high with a
// rare redraw, so every index is exactly uniform.

#include <bit>
#include <cstdint>
#include <cstring>

namespace orvix {

inline constexpr int kLanes = 4;

// Four 32-bit lanes in one vector register (SSE2, NEON): the GCC and clang
// vector extension, so the arithmetic below is element-wise without relying
// on the auto-vectoriser.
using LaneVector = std::uint32_t __attribute__((vector_size(16)));
inline constexpr int kLanesPerVector = 4;
inline constexpr int kVectors = kLanes / kLanesPerVector;

// Lane l's xoshiro128** state is element l % 4 of s0..s3[l / 4], never all zero.
struct LaneGenerator {
  LaneVector s0[kVectors] = {};
  LaneVector s1[kVectors] = {};
  LaneVector s2[kVectors] = {};
  LaneVector s3[kVectors] = {};
};

inline LaneVector rotate_left(LaneVector x, int k) { return (x << k) | (x >> (32 - k)); }

// One output of every lane: lane l's next xoshiro128** output goes to out[l].
// x * 5 and x * 9 are written as shifts and adds, which every vector unit has.
inline void next_lanes(LaneGenerator& g, std::uint32_t* out) {
  for (int v = 0; v < kVectors; ++v) {
    const LaneVector s1 = g.s1[v];
    const LaneVector times5 = (s1 << 2) + s1;
    const LaneVector rotated = rotate_left(times5, 7);
    const LaneVector result = (rotated << 3) + rotated;
    std::memcpy(out + v * kLanesPerVector, &result, sizeof result);
    const LaneVector s2 = g.s2[v] ^ g.s0[v];
    const LaneVector s3 = g.s3[v] ^ s1;
    g.s1[v] = s1 ^ s2;
    g.s0[v] ^= s3;
    g.s2[v] = s2 ^ (s1 << 9);
    g.s3[v] = rotate_left(s3, 11);
  }
}

// Lane l's state words, and setting them (seeding and tests).
inline std::uint32_t lane_word(const LaneVector* words, int lane) { return words[lane / kLanesPerVector][lane % kLanesPerVector]; }
inline void set_lane_word(LaneVector* words, int lane, std::uint32_t value) {
  words[lane / kLanesPerVector][lane % kLanesPerVector] = value;
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

constexpr DigitDraw draw_digits(std::uint32_t x, std::uint32_t a, std::uint32_t b, std::uint32_t c) {
  const std::uint64_t p1 = std::uint64_t{x} * a;
  const std::uint64_t p2 = std::uint64_t{static_cast<std::uint32_t>(p1)} * b;
  const std::uint64_t p3 = std::uint64_t{static_cast<std::uint32_t>(p2)} * c;
  return {static_cast<std::uint32_t>(p1 >> 32), static_cast<std::uint32_t>(p2 >> 32),
          static_cast<std::uint32_t>(p3 >> 32), static_cast<std::uint32_t>(p3)};
}

}  // namespace orvix
