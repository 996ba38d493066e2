#pragma once
// Card and hand-value words shared by every part of orvix.

#include <cstdint>

namespace orvix {

// CardCode: one card, laid out so that whole cards combine with AND / OR.
//
//   bit 31 30 | 29 28      | 27..24   | 23   | 22..20 | 19..16     | 15..13 | 12..0
//       0  0  | suit_index | suit_bit | wild | 0      | rank_index | 0      | rank_bit
//
// A natural card has exactly one rank bit and one suit bit. A wild card keeps
// its rank and suit index (for listings) but has neither bit; a joker is the
// wild flag alone.  Two of diamonds = 0x01000001, Ace of spades = 0x120C1000,
// wild Seven of clubs = 0x20850000, joker = 0x00800000.
using CardCode = std::uint32_t;

// HandValue: greater is better, equal ties.
//
//   bits 31..28 category | 27..14 major_ranks (rank mask << 14) | 13..0 minor_ranks
//
// A Flush instead holds five 4-bit rank indices in bits 19..0, best first.
using HandValue = std::uint32_t;

inline constexpr int kRankCount = 13;
inline constexpr int kSuitCount = 4;
inline constexpr int kCardKinds = kRankCount * kSuitCount;

inline constexpr CardCode kRankBitsMask = 0x00001FFF;
inline constexpr int kRankIndexShift = 16;
inline constexpr CardCode kWildFlag = 0x00800000;
inline constexpr int kSuitBitShift = 24;
inline constexpr CardCode kSuitBitsMask = 0x0F000000;
inline constexpr int kSuitIndexShift = 28;
inline constexpr CardCode kJoker = kWildFlag;

inline constexpr int kCategoryShift = 28;
inline constexpr int kMajorShift = 14;

inline constexpr char kRankChars[] = "23456789TJQKA";
inline constexpr char kSuitChars[] = "dsch";
inline constexpr const char* kRankWords[kRankCount] = {
    "Two", "Three", "Four", "Five", "Six", "Seven", "Eight",
    "Nine", "Ten", "Jack", "Queen", "King", "Ace"};
inline constexpr const char* kSuitWords[kSuitCount] = {"Diamonds", "Spades", "Clubs", "Hearts"};

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
    "High Card      ", "One Pair       ", "Two Pair       ", "Three of a Kind",
    "Straight       ", "Flush          ", "Full House     ", "Four of a Kind ",
    "Straight Flush ", "Five of a Kind "};

constexpr CardCode make_card(int rank, int suit, bool wild) {
  const CardCode indices = static_cast<CardCode>(suit) << kSuitIndexShift |
                           static_cast<CardCode>(rank) << kRankIndexShift;
  if (wild) return indices | kWildFlag;
  return indices | CardCode{1} << (kSuitBitShift + suit) | CardCode{1} << rank;
}

constexpr bool is_wild(CardCode card) { return (card & kWildFlag) != 0; }
constexpr int card_rank_index(CardCode card) { return static_cast<int>((card >> kRankIndexShift) & 0xF); }
constexpr int card_suit_index(CardCode card) { return static_cast<int>((card >> kSuitIndexShift) & 0x3); }

// Listing order: Two to Ace, then diamonds, spades, clubs, hearts, a wild copy
// before its natural copies. Jokers share the first key with a wild Two of diamonds.
constexpr int card_sort_key(CardCode card) {
  return card_rank_index(card) * 8 + card_suit_index(card) * 2 + (is_wild(card) ? 0 : 1);
}

constexpr int hand_category(HandValue value) { return static_cast<int>(value >> kCategoryShift); }

}  // namespace orvix
