// All 133,784,560 seven-card hands of one deck through evaluate_7: the
// category counts and the number of distinct values are exact known answers,
// and the table path gives every hand the value of the general path.
#include <gtest/gtest.h>

#include <algorithm>

#include <orvix/evaluate.h>
#include <orvix/internal/catalogue.h>
#include <orvix/internal/evaluators.h>

#include "support/enumerate.h"

namespace orvix {
namespace {

TEST(SevenCards, EveryHandOfOneDeck) {
  long long by_category[kCategoryCount] = {};
  std::vector<bool> seen(kCatalogueSize, false);
  long long not_in_catalogue = 0;  // values that are no five-card value at all
  long long differ_from_general = 0;
  CardCode deck[kCardKinds];
  for (int i = 0; i < kCardKinds; ++i) deck[i] = make_card(i / kSuitCount, i % kSuitCount, false);
  for_each_combination_7(deck, kCardKinds, [&](const CardCode* h) {
    const HandValue v = evaluate_7(h);
    if (v != evaluate_7_general(h)) ++differ_from_general;
    ++by_category[hand_category(v)];
    const auto at = std::lower_bound(kFiveCardValues.begin(), kFiveCardValues.end(), v);
    if (at == kFiveCardValues.end() || *at != v) {
      ++not_in_catalogue;
      return;
    }
    seen[static_cast<std::size_t>(at - kFiveCardValues.begin())] = true;
  });
  const long long want[kCategoryCount] = {23294460, 58627800, 31433400, 6461620, 6180020,
                                          4047644,  3473184,  224848,   41584,   0};
  for (int c = 0; c < kCategoryCount; ++c) EXPECT_EQ(by_category[c], want[c]) << kCategoryNames[c];
  EXPECT_EQ(not_in_catalogue, 0);
  EXPECT_EQ(differ_from_general, 0);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 4824);
}

}  // namespace
}  // namespace orvix
