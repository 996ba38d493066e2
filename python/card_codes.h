#pragma once
// Which 32-bit words are card codes: the evaluator trusts its input, so
// every code that comes from Python is checked here first.

#include <array>
#include <cstdint>

#include <orvix/card.h>

namespace orvix::python {

// A natural card, a wild card of some kind, or the joker:
// is_card_code(0x120C1000) (As) is true, is_card_code(0x120C1001) is false.
// Branch-free, so a loop over many codes vectorises.
constexpr bool is_card_code(CardCode code) {
  const CardCode rank = code >> kRankIndexShift & 0xF;
  const CardCode suit = code >> kSuitIndexShift & 0x3;
  const CardCode indices = suit << kSuitIndexShift | rank << kRankIndexShift;
  const CardCode natural =
      indices | CardCode{1} << (kSuitBitShift + suit) | CardCode{1} << (rank & 0xF);
  const CardCode wild = indices | kWildFlag;
  return (rank < kRankCount) & ((code == natural) | (code == wild));
}

static_assert(is_card_code(make_card(12, 1, false)) && is_card_code(make_card(0, 3, true)) &&
              is_card_code(kJoker));
static_assert(!is_card_code(0) && !is_card_code(make_card(12, 1, false) | 1) &&
              !is_card_code(0x000D0000 | kWildFlag) &&
              !is_card_code(0xC0000000 | make_card(0, 0, false)));

// The fast form for arrays: every card code is fixed by its rank index,
// suit index and wild flag (7 bits), so a 128-entry table holds the one code
// each key may be, and a word is a card code exactly when it equals its
// entry. Keys whose rank index is no rank hold 0, which no such word equals.
constexpr unsigned card_code_key(CardCode code) {
  return (code >> kRankIndexShift & 0xF) | (code >> kSuitIndexShift & 0x3) << 4 |
         (code >> kWildShift & 1) << 6;
}

inline constexpr std::array<CardCode, 128> kCardCodeOfKey = [] {
  std::array<CardCode, 128> codes{};
  for (int rank = 0; rank < kRankCount; ++rank)
    for (int suit = 0; suit < kSuitCount; ++suit)
      for (const bool wild : {false, true}) {
        const CardCode code = make_card(rank, suit, wild);
        codes[card_code_key(code)] = code;
      }
  return codes;
}();

// Zero exactly for a card code: card_code_mismatch(make_card(3, 2, true)) == 0.
inline CardCode card_code_mismatch(CardCode code) {
  return code ^ kCardCodeOfKey[card_code_key(code)];
}

}  // namespace orvix::python
