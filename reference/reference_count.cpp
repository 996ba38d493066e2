#include "reference/reference_games.h"

#include <orvix/internal/evaluators.h>
#include <orvix/internal/catalogue.h>
#include "reference/enumerate.h"
#include "reference/value_set.h"

namespace orvix {

namespace {

// What one enumeration accumulates; the set is released with it.
struct Tally {
  std::int32_t category_hands[kCategoryCount] = {};
  std::int32_t hands = 0;
  HandValueSet values;
};

template <HandValue (*Evaluate)(const CardCode*)>
struct CountHand {
  Tally& tally;
  // weight: how many of the enumerated hands this one stands for.
  void operator()(const CardCode* hand, int weight = 1) const {
    const HandValue value = Evaluate(hand);
    tally.category_hands[hand_category(value)] += weight;
    tally.hands += weight;
    insert_value(tally.values, value);
  }
};

}  // namespace

ReferenceCounts count_hands(const CardCode* cards, int n, int dealt, bool with_repetition) {
  Tally tally;
  // Every value is a five-card value, so the catalogue bounds the members.
  reset_value_set(tally.values, kCatalogueSize);
  if (with_repetition)
    for_each_tuple_5(cards, n, CountHand<evaluate_5>{tally});
  else if (dealt == 5)
    for_each_combination_5(cards, n, CountHand<evaluate_5>{tally});
  else
    for_each_combination_7(cards, n, CountHand<evaluate_7>{tally});

  ReferenceCounts counts{};
  for (int c = 0; c < kCategoryCount; ++c) counts.category_hands[c] = tally.category_hands[c];
  counts.hands = tally.hands;
  counts.distinct_values = value_set_size(tally.values);
  return counts;
}

ReferenceCounts count_reference_game(const ReferenceGame& game) {
  CardCode cards[kCardKinds + 1];
  const int n = build_reference_deck(game, cards);
  return count_hands(cards, n, dealt_cards(game), game.infinite_deck);
}

}  // namespace orvix
