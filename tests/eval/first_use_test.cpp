// The tables are built on the first hand, whichever thread scores it: here
// several threads start at once in a fresh process and every value must come
// out as the general path gives it.
#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>
#include <vector>

#include <orvix/evaluate.h>
#include <orvix/internal/evaluators.h>

namespace orvix {
namespace {

TEST(FirstUse, ThreadsRacingToTheFirstHandAllGetExactValues) {
  std::atomic<int> waiting{4};
  std::atomic<long long> mismatches{0};
  std::vector<std::thread> threads;
  for (int id = 0; id < 4; ++id) {
    threads.emplace_back([&, id] {
      std::mt19937_64 rng(static_cast<unsigned>(id));
      std::uniform_int_distribution<int> card(0, kCardKinds - 1);
      --waiting;
      while (waiting.load() > 0) {}
      CardCode h[7];
      for (int i = 0; i < 20000; ++i) {
        for (CardCode& c : h) c = make_card(card(rng) / kSuitCount, card(rng) % kSuitCount, false);
        const evaluate_hand score = select_evaluator(id % 2 == 0 ? 5 : 7);
        const HandValue want = id % 2 == 0 ? evaluate_5_general(h) : evaluate_7_general(h);
        if (score(h) != want) ++mismatches;
      }
    });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(mismatches.load(), 0);
}

}  // namespace
}  // namespace orvix
