#pragma once
// The evaluator under a ranking, its shared pieces: straights as a ranking
// sees them, the remapping of a standard value, and the general routine that
// finds the best hand of every category. Internal to the evaluator.

#include <bit>
#include <cstdint>

#include <orvix/internal/tables.h>
#include <orvix/ranking.h>

namespace orvix {

inline constexpr HandValue kLowBitsMask = (HandValue{1} << kCategoryShift) - 1;
inline constexpr unsigned kWheelPattern = 0x100F;
inline constexpr unsigned kFiveBit = 1u << 3;

// The straights' rank masks under a ranking, numbered as kStraightPatterns
// (1 the lowest .. 10 Ten to Ace); short deck's straight 1 is A-6-7-8-9.
inline constexpr std::uint16_t kAceSixStraightPatterns[kStraightCount + 1] = {
    0, kAceSixPattern, 0x001F, 0x003E, 0x007C, 0x00F8, 0x01F0, 0x03E0, 0x07C0, 0x0F80, 0x1F00};

inline const std::uint16_t* straight_patterns(const Ranking& ranking) {
  return ranking.ace_six_straights ? kAceSixStraightPatterns : kStraightPatterns;
}

// The standard-layout value of straight number s (1..10) in `category`
// (Straight or Straight Flush): A-6-7-8-9 keeps the wheel's major rank.
inline HandValue ranked_straight_value(int category, int s, const Ranking& ranking) {
  return hand_value(category, 1u << straight_top(s), straight_patterns(ranking)[s]);
}

// The best straight number (0 for none) that ranks m reach with `wilds`
// (0..3) free ranks under `ranking`: the standard table, except that short
// deck's lowest straight is A-6-7-8-9 and not the wheel.
inline unsigned ranked_straight_reach(unsigned m, int wilds, const Ranking& ranking) {
  const unsigned s = straight_reach(m, wilds);
  if (!ranking.ace_six_straights || s > 1) return s;
  return std::popcount(kAceSixPattern & ~m) <= wilds ? 1u : 0u;
}

// A value with its standard category (bits 31..28) turned into a ranked
// value: the category's position in their place. `standard` must be nonzero.
inline HandValue place(HandValue standard, const Ranking& ranking) {
  return static_cast<HandValue>(ranking.position[standard >> kCategoryShift]) << kCategoryShift |
         (standard & kLowBitsMask);
}

inline constexpr HandValue kFlushCategoryBits = static_cast<HandValue>(kFlush) << kCategoryShift;

// The ranked value of five natural cards (or one to four) from their
// standard value: the same category and low bits, except that under short
// deck the wheel is no straight and A-6-7-8-9 is one.
inline HandValue ranked_from_standard(HandValue standard, const Ranking& ranking) {
  if (ranking.ace_six_straights) {
    const int category = static_cast<int>(standard >> kCategoryShift);
    const HandValue low = standard & kLowBitsMask;
    const HandValue wheel = hand_value(0, kFiveBit, kWheelPattern);
    const HandValue ace_six = hand_value(0, kFiveBit, kAceSixPattern);
    if (category == kStraight && low == wheel)
      return place(hand_value(kHighCard, kWheelPattern, 0), ranking);
    if (category == kStraightFlush && low == wheel)
      return place(kFlushCategoryBits | 0xC3210, ranking);  // Ace, Five, Four, Three, Two
    if (category == kHighCard && low == hand_value(0, kAceSixPattern, 0))
      return place(hand_value(kStraight, 0, 0) | ace_six, ranking);
    if (category == kFlush && low == 0xC7654)  // Ace, Nine, Eight, Seven, Six
      return place(hand_value(kStraightFlush, 0, 0) | ace_six, ranking);
  }
  return place(standard, ranking);
}

// The general routine, for any hand of 1 to 20 cards: the best hand of each
// category from the highest in the order down; the first category the hand
// can make gives the value.
HandValue evaluate_ranked_general(const CardCode* cards, int count, const Ranking& ranking);

// The best Straight Flush or Flush of five cards and more, ranked; 0 for none.
HandValue best_suited_ranked(const CardCode* cards, int count, const Ranking& ranking);

}  // namespace orvix
