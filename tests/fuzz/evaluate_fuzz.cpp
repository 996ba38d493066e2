// The evaluator against the brute-force reference of the tests: the first
// byte picks 1 to 20 cards, every further byte one card that make_card can
// produce (any rank and suit, natural or wild). Both must give one value.

#include <cstddef>
#include <cstdint>

#include <orvix/card.h>
#include <orvix/evaluate.h>

#include "fuzz_support.h"
#include "support/brute_force.h"

using namespace orvix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int count = 1 + data[0] % kMaxHandSize;
  if (size < static_cast<std::size_t>(count) + 1) return 0;
  CardCode cards[kMaxHandSize];
  for (int i = 0; i < count; ++i) {
    const int pick = data[1 + i] % (2 * kRankCount * kSuitCount);
    const bool wild = pick >= kRankCount * kSuitCount;
    const int kind = pick % (kRankCount * kSuitCount);
    cards[i] = make_card(kind % kRankCount, kind / kRankCount, wild);
  }
  const HandValue fast = evaluate(cards, count);
  const HandValue slow = test::brute_force_value(cards, count);
  if (fast != slow) {
    std::fprintf(stderr, "hand %s: evaluate 0x%08X, brute force 0x%08X\n",
                 test::hand_text(cards, count).c_str(), static_cast<unsigned>(fast),
                 static_cast<unsigned>(slow));
    FUZZ_CHECK(fast == slow);
  }
  return 0;
}
