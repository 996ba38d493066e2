#pragma once
// Scores poker hands of 1 to 20 cards, wild cards and repeated cards (several
// decks) included. Nothing to set up first; every call is a pure function of
// its cards, safe from any number of threads at once, and allocates nothing.
//
//   CardCode hand[5];  // "* * 7h 8h 9s": two wild cards make a Jack-high straight
//   ...
//   HandValue v = evaluate(hand, 5);  // 0x408003E0
//   kCategoryNames[hand_category(v)] == "Straight", kRankWords[top_rank(v)] == "Jack"
//
// For many hands of one size, look the evaluator up once:
//   const evaluate_hand score = select_evaluator(7);
//   for (...) value = score(cards);
//
// A player's own cards with a board shared by every player, under a use rule
// (Omaha: exactly two own cards and three from the board):
//   value = evaluate_use(own, 4, board, 5, 2);

#include <cstdint>

#include <orvix/card.h>

namespace orvix {

// HandValue: greater is better, equal ties.
//
//   bits 31..28 category | 27..14 major_ranks (rank mask << 14) | 13..0 minor_ranks
//
// A Flush instead holds five 4-bit rank indices in bits 19..0, best first.
using HandValue = std::uint32_t;

inline constexpr int kCategoryShift = 28;
inline constexpr int kMajorShift = 14;
inline constexpr int kFlushTopShift = 16;  // where a Flush keeps its best rank index
inline constexpr HandValue kNibbleMask = 0xF;

enum HandCategory : int {
  kHighCard = 0,
  kOnePair = 1,
  kTwoPair = 2,
  kThreeOfAKind = 3,
  kStraight = 4,
  kFlush = 5,
  kFullHouse = 6,
  kFourOfAKind = 7,
  kStraightFlush = 8,
  kFiveOfAKind = 9,
};
inline constexpr int kCategoryCount = 10;

inline constexpr const char* kCategoryNames[kCategoryCount] = {
    "High Card", "One Pair",   "Two Pair",       "Three of a Kind", "Straight",
    "Flush",     "Full House", "Four of a Kind", "Straight Flush",  "Five of a Kind"};

// The names padded with blanks to 15 characters: the row labels of reports.
inline constexpr const char* kPaddedCategoryNames[kCategoryCount] = {
    "High Card      ", "One Pair       ", "Two Pair       ", "Three of a Kind", "Straight       ",
    "Flush          ", "Full House     ", "Four of a Kind ", "Straight Flush ", "Five of a Kind "};

// The index of the highest set bit of a nonzero word: highest_bit(0x1000) == 12.
// This header keeps to C++17, so no std::countl_zero: GCC and Clang get the
// builtin (31 - leading zeros, written as the XOR that is one instruction).
constexpr int highest_bit(std::uint32_t bits) {
#if defined(__GNUC__)
  return 31 ^ __builtin_clz(bits);
#else
  int index = 0;
  while (bits >>= 1) ++index;
  return index;
#endif
}

// The category of a value, 0..9 (a HandCategory): hand_category(0x408003E0) == kStraight.
constexpr int hand_category(HandValue value) { return static_cast<int>(value >> kCategoryShift); }

// The (category, top rank) cells a hand value is filed under, category-major:
// cell hand_category(v) * kRankCount + top_rank(v).
inline constexpr int kResultCells = kCategoryCount * kRankCount;

// The rank index (0..12) a hand is filed under: the best rank of its major
// ranks, or a Flush's best card. top_rank(0x408003E0) == 9 (Jack).
constexpr int top_rank(HandValue value) {
  if (hand_category(value) == kFlush)
    return static_cast<int>(value >> kFlushTopShift & kNibbleMask);
  // The highest set bit of the major ranks. Every value of a hand has a
  // major rank; the | 1 only keeps the bit defined for 0.
  return highest_bit(static_cast<std::uint32_t>(value >> kMajorShift & kRankBitsMask) | 1u);
}

// Hands hold 1 to kMaxHandSize cards.
inline constexpr int kMaxHandSize = 20;

// An evaluator for one hand size: the address of the hand's first card in, its value out.
using evaluate_hand = HandValue (*)(const CardCode* cards);

// The evaluator for hands of `hand_size` cards, 1 to 20; nullptr for any other
// size (and an assertion failure in builds that check them).
evaluate_hand select_evaluator(int hand_size);

// The value of the `count` cards from `cards`, 1 to 20 of them; 0 for any
// other count (and an assertion failure in builds that check them).
HandValue evaluate(const CardCode* cards, int count);

// The use rule of a hand made of a player's own cards and a board shared by
// every player: kUseAny takes the best hand of all own and board cards
// together; 1 to 5 take the best five-card hand of exactly that many own cards
// and the rest from the board (Omaha: 2).
inline constexpr int kUseAny = 0;
inline constexpr int kMaxUse = 5;

// Whether a hand of `own_count` own cards and `board_count` board cards can
// be valued under `use`: kUseAny needs 1 to 20 cards in all; use K needs at
// least K own cards and 5 - K board cards.
// use_fits(4, 5, 2) (Omaha) and use_fits(3, 0, kUseAny) hold; use_fits(4, 2, 2) does not.
constexpr bool use_fits(int own_count, int board_count, int use) {
  if (own_count < 0 || board_count < 0) return false;
  if (use == kUseAny)
    return own_count + board_count >= 1 && own_count + board_count <= kMaxHandSize;
  return use >= 1 && use <= kMaxUse && own_count >= use && board_count >= kMaxUse - use &&
         own_count + board_count <= kMaxHandSize;
}

// The value of a player's hand under the use rule: `own_count` own cards from
// `own`, `board_count` board cards from `board` (board may be null when
// board_count is 0). The caller checks use_fits first; 0 (and an assertion
// failure in builds that check them) when it does not hold.
//
//   own = "Ah 9h 7c 2d", board = "Kh Qh Jh Th 3s":
//   evaluate_use(own, 4, board, 5, kUseAny) == 0x84001F00  // Ah Kh Qh Jh Th: Straight Flush
//   evaluate_use(own, 4, board, 5, 2) == 0x500CBA97        // Ah 9h Kh Qh Jh: Flush
// Use 2 (Omaha) must take two own cards, and no two of them make a Straight Flush.
HandValue evaluate_use(const CardCode* own, int own_count, const CardCode* board, int board_count,
                       int use);

// Builds the lookup tables of the five- and seven-card evaluators now
// (about 10 ms, once per program) instead of at their first hand. Optional:
// the first call of any evaluator builds them, safely from any thread.
void build_eval_tables();

}  // namespace orvix
