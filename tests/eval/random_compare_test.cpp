// The fast evaluators against the brute-force reference on random hands of
// every size, with zero to six wild cards and repeated cards.
#include <gtest/gtest.h>

#include <orvix/evaluate.h>
#include <orvix/internal/evaluators.h>

#include "support/brute_force.h"
#include "support/random_hands.h"

#ifndef ORVIX_RANDOM_HANDS_PER_SHAPE
#define ORVIX_RANDOM_HANDS_PER_SHAPE 1500
#endif

namespace orvix::test {
namespace {

TEST(RandomCompare, EveryEvaluatorMatchesBruteForce) {
  std::mt19937_64 rng(20261209);
  for (int size = 1; size <= 20; ++size) {
    for (int wilds = 0; wilds <= 6 && wilds <= size; ++wilds) {
      const evaluate_hand eval = select_evaluator(size);
      for (int i = 0; i < ORVIX_RANDOM_HANDS_PER_SHAPE; ++i) {
        const std::vector<CardCode> cards = random_hand(rng, {size, wilds});
        const HandValue expected = brute_force_value(cards);
        ASSERT_EQ(eval(cards.data()), expected) << hand_text(cards);
        if (size >= 5) {
          ASSERT_EQ(evaluate_many(size, cards.data()), expected) << hand_text(cards);
        }
      }
    }
  }
}

}  // namespace
}  // namespace orvix::test
