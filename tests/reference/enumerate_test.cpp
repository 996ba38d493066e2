#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "support/enumerate.h"

namespace orvix {
namespace {

std::int64_t choose(int n, int k) {
  if (k < 0 || k > n) return 0;
  std::int64_t result = 1;
  for (int i = 1; i <= k; ++i) result = result * (n - k + i) / i;
  return result;
}

// Cards that are just their own index, so a hand shows which entries it took.
std::vector<CardCode> index_cards(int n) {
  std::vector<CardCode> cards(n);
  for (int i = 0; i < n; ++i) cards[i] = static_cast<CardCode>(i);
  return cards;
}

template <int K, class Loop>
void expect_every_subset_once(int n, Loop loop) {
  SCOPED_TRACE(n);
  const std::vector<CardCode> cards = index_cards(n);
  std::set<std::uint64_t> seen;
  std::int64_t visits = 0;
  bool increasing = true;
  loop(cards.data(), n, [&](const CardCode* hand) {
    ++visits;
    std::uint64_t subset = 0;
    for (int i = 0; i < K; ++i) {
      if (i > 0 && hand[i] <= hand[i - 1]) increasing = false;
      subset |= std::uint64_t{1} << hand[i];
    }
    seen.insert(subset);
  });
  EXPECT_TRUE(increasing);
  EXPECT_EQ(visits, choose(n, K));
  // Distinct subsets as many as visits: no subset dealt twice.
  EXPECT_EQ(static_cast<std::int64_t>(seen.size()), choose(n, K));
}

TEST(ForEachCombination, DealsEverySubsetOnceInIncreasingOrder) {
  for (int n : {0, 4, 5, 6, 9, 13}) {
    expect_every_subset_once<5>(
        n, [](const CardCode* c, int m, auto&& v) { for_each_combination_5(c, m, v); });
  }
  for (int n : {0, 6, 7, 8, 12, 14}) {
    expect_every_subset_once<7>(
        n, [](const CardCode* c, int m, auto&& v) { for_each_combination_7(c, m, v); });
  }
}

TEST(ForEachCombination, FirstAndLastHandsUseTheEndsOfTheList) {
  const std::vector<CardCode> cards = index_cards(20);
  std::vector<CardCode> first, last;
  for_each_combination_7(cards.data(), 20, [&](const CardCode* hand) {
    if (first.empty()) first.assign(hand, hand + 7);
    last.assign(hand, hand + 7);
  });
  EXPECT_EQ(first, (std::vector<CardCode>{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(last, (std::vector<CardCode>{13, 14, 15, 16, 17, 18, 19}));
}

TEST(ForEachTuple, VisitsEveryMultisetOnceWeightedByItsOrderings) {
  for (int n : {1, 2, 3, 7}) {
    SCOPED_TRACE(n);
    const std::vector<CardCode> cards = index_cards(n);
    std::set<std::vector<CardCode>> seen;
    std::int64_t visits = 0;
    std::int64_t weights = 0;
    std::int64_t same_card_five_times = 0;
    for_each_tuple_5(cards.data(), n, [&](const CardCode* hand, int weight) {
      ++visits;
      weights += weight;
      std::vector<CardCode> sorted(hand, hand + 5);
      std::sort(sorted.begin(), sorted.end());
      EXPECT_TRUE(seen.insert(sorted).second) << "multiset visited twice";
      // The weight must be the number of distinct orderings of the hand.
      int orderings = 0;
      do ++orderings;
      while (std::next_permutation(sorted.begin(), sorted.end()));
      EXPECT_EQ(weight, orderings);
      bool all_same = true;
      for (int i = 1; i < 5; ++i) all_same = all_same && hand[i] == hand[0];
      same_card_five_times += all_same ? 1 : 0;
    });
    const std::int64_t multisets = std::int64_t{n + 4} * (n + 3) * (n + 2) * (n + 1) * n / 120;
    EXPECT_EQ(visits, multisets);
    EXPECT_EQ(weights, std::int64_t{n} * n * n * n * n);
    EXPECT_EQ(same_card_five_times, n);
  }
}

}  // namespace
}  // namespace orvix
