#pragma once
// Cards for the orvix evaluator: one 32-bit word per card, and its text.
//
//   CardCode c = make_card(12, 1, false);  // Ace of spades
//   parse_card("as", c);                   // the same card from its text
//   card_text(c) == "As";
//   card_text(kJoker) == "*";

#include <cassert>
#include <cstdint>
#include <string>
#include <string_view>

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

inline constexpr int kRankCount = 13;  // rank index 0..12: Two .. Ace
inline constexpr int kSuitCount = 4;   // suit index 0..3: diamonds, spades, clubs, hearts
inline constexpr int kCardKinds = kRankCount * kSuitCount;

inline constexpr CardCode kRankBitsMask = 0x00001FFF;
inline constexpr int kRankIndexShift = 16;
inline constexpr int kWildShift = 23;
inline constexpr CardCode kWildFlag = CardCode{1} << kWildShift;
inline constexpr int kSuitBitShift = 24;
inline constexpr CardCode kSuitBitsMask = 0x0F000000;
inline constexpr int kSuitIndexShift = 28;
inline constexpr CardCode kJoker = kWildFlag;

// The card text: a rank character and a suit character, or "*" for any wild card.
inline constexpr char kRankChars[] = "23456789TJQKA";
inline constexpr char kSuitChars[] = "dsch";
inline constexpr const char* kRankWords[kRankCount] = {"Two",   "Three", "Four", "Five", "Six",
                                                       "Seven", "Eight", "Nine", "Ten",  "Jack",
                                                       "Queen", "King",  "Ace"};
inline constexpr const char* kSuitWords[kSuitCount] = {"Diamonds", "Spades", "Clubs", "Hearts"};

// The card of rank index `rank` (0..12) and suit index `suit` (0..3), wild or
// natural: make_card(0, 0, false) == 0x01000001.
constexpr CardCode make_card(int rank, int suit, bool wild) {
  assert(rank >= 0 && rank < kRankCount && suit >= 0 && suit < kSuitCount);
  const CardCode indices = static_cast<CardCode>(suit) << kSuitIndexShift |
                           static_cast<CardCode>(rank) << kRankIndexShift;
  if (wild) return indices | kWildFlag;
  return indices | CardCode{1} << (kSuitBitShift + suit) | CardCode{1} << rank;
}

constexpr bool is_wild(CardCode card) { return (card & kWildFlag) != 0; }
constexpr int card_rank_index(CardCode card) {
  return static_cast<int>((card >> kRankIndexShift) & 0xF);
}
constexpr int card_suit_index(CardCode card) {
  return static_cast<int>((card >> kSuitIndexShift) & 0x3);
}

// Listing order: Two to Ace, then diamonds, spades, clubs, hearts, a wild copy
// before its natural copies. Jokers share the first key with a wild Two of diamonds.
constexpr int card_sort_key(CardCode card) {
  return card_rank_index(card) * 8 + card_suit_index(card) * 2 + (is_wild(card) ? 0 : 1);
}

// Reads one card: a rank character of "23456789TJQKA" and a suit character of
// "dsch", each in either case ("Td", "tD"), or "*" for a wild card (kJoker).
// Anything else, including surrounding blanks, is refused: returns false and
// leaves `card` as it was.
bool parse_card(std::string_view text, CardCode& card);

// The text of a card, as parse_card reads it: "As", "Td"; "*" for every wild card.
std::string card_text(CardCode card);

}  // namespace orvix
