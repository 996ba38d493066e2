#include "reference/reference_count.h"

#include <optional>

#include "platform/progress_line.h"
#include "exact/exact_engine.h"

namespace orvix {

ReferenceCounts count_hands(const CardCode* cards, int n, int dealt, bool with_repetition,
                            bool watchful) {
  ExactGame game;
  game.pack = pack_from_cards(cards, n);
  game.hand_size = dealt;
  game.draw = with_repetition ? HandDraw::kOrdered : HandDraw::kSets;
  ExactOptions options;
  options.distinct_values = true;  // on the calling thread
  std::optional<ProgressScope> progress;
  if (watchful) {
    options.watch_stop = true;
    progress.emplace(distinct_code_multisets(game), kMultisetUnit);
    options.progress = &progress->line;
  }
  const ExactTable table = count_exact(game, options);

  ReferenceCounts counts{};
  for (int c = 0; c < kCategoryCount; ++c)
    counts.category_hands[c] = static_cast<std::int32_t>(table.by_category[c]);
  counts.hands = static_cast<std::int32_t>(table.total);
  counts.distinct_values = table.distinct_values;
  counts.stopped = table.stopped;
  return counts;
}

ReferenceCounts count_reference_game(const ReferenceGame& game, bool watchful) {
  CardCode cards[kCardKinds + 1];
  const int n = build_reference_deck(game, cards);
  return count_hands(cards, n, dealt_cards(game), game.infinite_deck, watchful);
}

}  // namespace orvix
