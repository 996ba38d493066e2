#include <algorithm>
#include <vector>

#include "rules/describe.h"
#include "platform/console.h"
#include "rules/pack.h"

namespace orvix {

namespace {

constexpr int kCardsPerLine = 24;

}  // namespace

// Lists the pack exactly as a run lays it out, sorted so that each rank gets
// its own line(s) and the jokers, which sort first, are counted separately.
void describe_deck(const GameRules& rules) {
  const int total = cards_available(rules);
  const int jokers = rules.jokers;
  std::vector<CardCode> pack(static_cast<std::size_t>(total));
  build_deck(rules, pack.data());
  std::sort(pack.begin(), pack.end(),
            [](CardCode a, CardCode b) { return card_sort_key(a) < card_sort_key(b); });

  out_printf("Using a total of %d cards:\n", total);
  int on_line = 0;
  for (std::size_t i = static_cast<std::size_t>(jokers); i < pack.size(); ++i) {
    const CardCode card = pack[i];
    out_printf("%c%c%c", kRankChars[card_rank_index(card)], kSuitChars[card_suit_index(card)],
               is_wild(card) ? 'W' : ' ');
    if (++on_line == kCardsPerLine) {
      out_text("\n");
      on_line = 0;
    }
    if (i + 1 < pack.size()) {
      if (card_rank_index(pack[i + 1]) == card_rank_index(card)) {
        if (on_line > 0) out_text(" ");
      } else if (on_line > 0) {
        out_text("\n");
        on_line = 0;
      }
    }
  }
  if (on_line > 0) out_text("\n");
  if (jokers > 0) out_printf("Jokers (wild): %d\n", jokers);
}

}  // namespace orvix
