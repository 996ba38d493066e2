#pragma once
// The evaluator's lookup tables over all 8192 rank masks, built when the
// program is compiled, with the small accessors that read them, and the
// constant values the evaluators are made of. Internal to the evaluator:
// in-tree code reaches it through the orvix_eval_internal target; it is not
// installed.

#include <bit>
#include <cassert>
#include <cstdint>

#include <orvix/card.h>
#include <orvix/evaluate.h>

namespace orvix {

inline constexpr int kRankMaskCount = 1 << kRankCount;  // 8192
inline constexpr int kAceRank = kRankCount - 1;
inline constexpr unsigned kAceBit = 1u << kAceRank;

// The value of a non-Flush hand from its parts:
// hand_value(kOnePair, 0x0800, 0x088A) == 0x1200088A (Kings; Nine, Five, Three beside).
constexpr HandValue hand_value(int category, unsigned major, unsigned minor) {
  return static_cast<HandValue>(category) << kCategoryShift | major << kMajorShift | minor;
}

struct EvalTables {
  // multi_bit[m]: 1 when m holds two or more ranks.
  std::uint8_t multi_bit[kRankMaskCount];
  // top_bits[m][k]: the k+1 highest ranks of m (all of m when it has fewer).
  std::uint16_t top_bits[kRankMaskCount][5];
  // straight_reach[m][w]: the best straight number reachable from ranks m with w free ranks.
  std::uint8_t straight_reach[kRankMaskCount][4];
};

// Filled at compile time (constinit): readable from the first instruction on.
extern const EvalTables kEvalTables;

// 1 when m holds two or more ranks, else 0: multi_bit(0x0880) == 1, multi_bit(0x0800) == 0.
// A table read: (m & (m - 1)) != 0 takes three instructions to its one.
inline unsigned multi_bit(unsigned m) {
  assert(m < kRankMaskCount);
  return kEvalTables.multi_bit[m];
}

// The index of the highest rank of m, which must not be empty: high_index(0x0880) == 11.
constexpr int high_index(unsigned m) {
  assert(m != 0);
  return 31 ^ std::countl_zero(m);  // 31 - countl_zero(m), in the form that compiles to one bsr
}

// top(m, k): the k highest ranks of m; top(0x188A, 2) == 0x1800.
inline unsigned top(unsigned m, unsigned k) {
  assert(m < kRankMaskCount && k >= 1 && k <= 5);
  return kEvalTables.top_bits[m][k - 1];
}

// The best straight number (0 for none) that ranks m reach with `wilds` (0..3)
// free ranks: straight_reach(0x00E0, 2) == 7, Seven to Jack from Seven, Eight, Nine.
inline unsigned straight_reach(unsigned m, int wilds) {
  assert(m < kRankMaskCount && wilds >= 0 && wilds <= 3);
  return kEvalTables.straight_reach[m][wilds];
}

// Straights are numbered 1 (the wheel, A-2-3-4-5) to 10 (Ten to Ace) in
// ascending strength; 0 means none, so straight_reach entries index these
// directly.
inline constexpr int kStraightCount = 10;
inline constexpr std::uint16_t kStraightPatterns[kStraightCount + 1] = {
    0, 0x100F, 0x001F, 0x003E, 0x007C, 0x00F8, 0x01F0, 0x03E0, 0x07C0, 0x0F80, 0x1F00};

// Straight s tops out at rank index s + 2, except the wheel, which is Five high.
constexpr int straight_top(int s) { return s == 1 ? 3 : s + 2; }

constexpr HandValue straight_value(int category, int s) {
  return hand_value(category, 1u << straight_top(s), kStraightPatterns[s]);
}

inline constexpr HandValue kStraightValues[kStraightCount + 1] = {0,
                                                                  straight_value(kStraight, 1),
                                                                  straight_value(kStraight, 2),
                                                                  straight_value(kStraight, 3),
                                                                  straight_value(kStraight, 4),
                                                                  straight_value(kStraight, 5),
                                                                  straight_value(kStraight, 6),
                                                                  straight_value(kStraight, 7),
                                                                  straight_value(kStraight, 8),
                                                                  straight_value(kStraight, 9),
                                                                  straight_value(kStraight, 10)};

inline constexpr HandValue kStraightFlushValues[kStraightCount + 1] = {
    0,
    straight_value(kStraightFlush, 1),
    straight_value(kStraightFlush, 2),
    straight_value(kStraightFlush, 3),
    straight_value(kStraightFlush, 4),
    straight_value(kStraightFlush, 5),
    straight_value(kStraightFlush, 6),
    straight_value(kStraightFlush, 7),
    straight_value(kStraightFlush, 8),
    straight_value(kStraightFlush, 9),
    straight_value(kStraightFlush, 10)};

// Where the five rank indices of a Flush value go, best card first: one
// nibble each, from kFlushTopShift down.
inline constexpr int kNibbleBits = 4;
inline constexpr int kNibbleShifts[5] = {
    kFlushTopShift, kFlushTopShift - kNibbleBits, kFlushTopShift - 2 * kNibbleBits,
    kFlushTopShift - 3 * kNibbleBits, kFlushTopShift - 4 * kNibbleBits};
static_assert(kNibbleShifts[4] == 0, "a Flush's five nibbles fill bits 19..0");

// The suit_bit of each suit index.
inline constexpr CardCode kSuitBits[kSuitCount] = {
    CardCode{1} << kSuitBitShift, CardCode{1} << (kSuitBitShift + 1),
    CardCode{1} << (kSuitBitShift + 2), CardCode{1} << (kSuitBitShift + 3)};

}  // namespace orvix
