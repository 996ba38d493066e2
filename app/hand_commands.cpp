#include "app/hand_commands.h"

#include <string>

#include <orvix/best_five.h>

#include "platform/console.h"
#include "rules/pack.h"

namespace orvix {

namespace {

constexpr const char kHandSizeRefusal[] = "Error: A hand holds 1 to 20 cards.\n";

}  // namespace

void hand_command(LoopState& state, CommandArgs& args) {
  // The cards as typed, so that a refusal quotes a card the way it was written.
  WordStream typed{args.typed, args.words.pos};
  CardCode cards[kMaxHandSize];
  int count = 0;
  // Every word is read, so that a bad card anywhere is named before the count.
  for (std::string_view word = read_word(typed); !word.empty(); word = read_word(typed)) {
    HeldCards card;
    std::string refusal;
    if (!parse_held_cards(word, card, refusal)) {
      out_text(refusal);
      return;
    }
    if (count < kMaxHandSize) cards[count] = held_card_code(state.rules, card.kinds[0]);
    ++count;
  }
  if (count < 1 || count > kMaxHandSize) {
    out_text(kHandSizeRefusal);
    return;
  }
  const Ranking& ranking = state.rules.ranking;
  const BestFive best = best_five(cards, count, ranking);
  std::string line = kCategoryNames[hand_category(best.value, ranking)];
  line += ", ";
  line += kRankWords[top_rank(best.value, ranking)];
  line += ": ";
  line += best_five_text(best);
  out_text(line);
  out_line_end();
}

}  // namespace orvix
