#pragma once
// Which 32-bit words are card codes: the evaluator trusts its input, so
// every code that comes from Python is checked here first.

#include <orvix/card.h>

namespace orvix::python {

// A natural card, a wild card of some kind, or the joker:
// is_card_code(0x120C1000) (As) is true, is_card_code(0x120C1001) is false.
// Branch-free, so a loop over many codes vectorises.
constexpr bool is_card_code(CardCode code) {
  const CardCode rank = code >> kRankIndexShift & 0xF;
  const CardCode suit = code >> kSuitIndexShift & 0x3;
  const CardCode indices = suit << kSuitIndexShift | rank << kRankIndexShift;
  const CardCode natural = indices | CardCode{1} << (kSuitBitShift + suit) | CardCode{1} << (rank & 0xF);
  const CardCode wild = indices | kWildFlag;
  return (rank < kRankCount) & ((code == natural) | (code == wild));
}

static_assert(is_card_code(make_card(12, 1, false)) && is_card_code(make_card(0, 3, true)) && is_card_code(kJoker));
static_assert(!is_card_code(0) && !is_card_code(make_card(12, 1, false) | 1) &&
              !is_card_code(0x000D0000 | kWildFlag) && !is_card_code(0xC0000000 | make_card(0, 0, false)));

}  // namespace orvix::python
