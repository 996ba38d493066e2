// The dealt frequencies against exact poker odds. Fixed seeds make every run
// of these tests deal the same cards, so they pass or fail deterministically;
// bounds of five standard errors leave sound dealing a wide margin while the
// faults that matter (biased indices, correlated streams, a poor first deal
// from the sorted deck) miss them by far.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include <orvix/evaluate.h>
#include "deal_helpers.h"
#include "sim/trials.h"
#include "sim/result_table.h"
#include "sim/seeding.h"

namespace orvix {
namespace {

// Hands of each category among all C(52,5) = 2598960 five-card hands.
constexpr double kFiveCardHands[kCategoryCount] = {1302540, 1098240, 123552, 54912, 10200,
                                                   5108,    3744,    624,    40,    0};
constexpr double kFiveCardTotal = 2598960;

// The long build plays fifty times as many deals, to see far smaller biases.
#ifdef ORVIX_LONG_STATISTICS
constexpr int kScale = 50;
#else
constexpr int kScale = 1;
#endif

// Best five of seven among all C(52,7) = 133784560 seven-card hands.
constexpr double kSevenCardHands[kCategoryCount] = {23294460, 58627800, 31433400, 6461620, 6180020,
                                                    4047644,  3473184,  224848,   41584,   0};
constexpr double kSevenCardTotal = 133784560;

class Statistics : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { build_eval_tables(); }
};

GameRules game(int players, int hand_size) {
  GameRules rules;
  rules.players = players;
  rules.hand_size = hand_size;
  return rules;
}

std::uint64_t hands_in_category(const SimWorker& worker, int category) {
  std::uint64_t sum = 0;
  for (int r = 0; r < kRankCount; ++r)
    sum += worker.win_counts[category * kRankCount + r] +
           worker.loss_counts[category * kRankCount + r];
  return sum;
}

// Checks one observed count against n draws of probability p.
void expect_near_odds(std::uint64_t observed, double n, double p, double bound_sd,
                      const std::string& what) {
  const double expected = n * p;
  const double sd = std::sqrt(n * p * (1 - p));
  if (p == 0) {
    EXPECT_EQ(observed, 0u) << what;
    return;
  }
  EXPECT_LE(std::fabs(static_cast<double>(observed) - expected), bound_sd * sd + 1e-9)
      << what << ": observed " << observed << ", expected " << expected << " +- " << sd;
}

void expect_category_odds(const SimWorker& worker, double hands, const double* counts, double total,
                          double bound_sd, const std::string& game_name) {
  for (int c = 0; c < kCategoryCount; ++c)
    expect_near_odds(hands_in_category(worker, c), hands, counts[c] / total, bound_sd,
                     game_name + " " + kCategoryNames[c]);
}

TEST_F(Statistics, OnePlayerFiveCardsMatchesTheExactOdds) {
  const int deals = 300000 * kScale;
  SimWorker worker;
  configure_worker(worker, game(1, 5));
  seed_worker(worker, 0x5EED0005, 1);
  worker.trials = deals;
  run_trials(worker);
  expect_category_odds(worker, deals, kFiveCardHands, kFiveCardTotal, 5, "5 cards");

  // Straights are 1020 per top card from the Five up; the wheel is the Five's.
  for (int r = 0; r < kRankCount; ++r) {
    const std::uint64_t straights = worker.win_counts[kStraight * kRankCount + r];
    expect_near_odds(straights, deals, r >= 3 ? 1020 / kFiveCardTotal : 0.0, 5,
                     "straights to rank " + std::to_string(r));
  }
}

TEST_F(Statistics, OnePlayerSevenCardsMatchesTheExactOdds) {
  const int deals = 200000 * kScale;
  SimWorker worker;
  configure_worker(worker, game(1, 7));
  seed_worker(worker, 0x5EED0007, 2);
  worker.trials = deals;
  run_trials(worker);
  expect_category_odds(worker, deals, kSevenCardHands, kSevenCardTotal, 5, "7 cards");
}

TEST_F(Statistics, TheFirstDealOfFreshWorkersIsAlreadyRandom) {
  // Every worker starts from the sorted pack: its first deal must be as
  // random as any later one.
  const int workers = 100000 * kScale;
  const GameRules rules = game(1, 5);
  SimWorker worker;
  configure_worker(worker, rules);
  worker.trials = 1;
  for (int i = 0; i < workers; ++i) {
    build_deck(rules, worker.deck.data());
    seed_worker(worker, splitmix64(static_cast<std::uint64_t>(i)), static_cast<std::uint64_t>(i));
    run_trials(worker);
  }
  expect_category_odds(worker, workers, kFiveCardHands, kFiveCardTotal, 5, "first deals");
}

TEST_F(Statistics, EverySeatOfADefaultGameSeesTheSameOdds) {
  // Five players of five cards: each seat's hand is a five-card hand from the
  // full pack. The seats of one deal are slightly dependent, hence six sd.
  const int deals = 60000 * kScale;
  SimWorker worker;
  configure_worker(worker, game(5, 5));
  seed_worker(worker, 0x5EED0055, 3);
  worker.trials = deals;
  run_trials(worker);
  expect_category_odds(worker, 5.0 * deals, kFiveCardHands, kFiveCardTotal, 6, "5 seats");
}

}  // namespace
}  // namespace orvix
