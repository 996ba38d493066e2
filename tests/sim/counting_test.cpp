#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <orvix/evaluate.h>
#include "deal_helpers.h"
#include "sim/trials.h"
#include "sim/result_table.h"
#include "sim/run_simulation.h"
#include "sim/seeding.h"

namespace orvix {
namespace {

class Counting : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { build_eval_tables(); }
};

constexpr HandValue value_of(int category, int major_rank, unsigned minor = 0) {
  return static_cast<HandValue>(category) << kCategoryShift | (1u << major_rank) << kMajorShift |
         minor;
}

// A one-card "hand" whose card is its own value: the counting can then be
// checked with exactly chosen values, independent of any evaluator.
HandValue card_as_value(const CardCode* cards) { return cards[0]; }

SimWorker value_worker(const std::vector<HandValue>& values, int players, int trials) {
  SimWorker worker;
  worker.deck.assign(values.begin(), values.end());
  worker.deck_size = static_cast<std::int32_t>(values.size());
  worker.players = players;
  worker.hand_size = 1;
  worker.dealt_cards = players;
  for (int p = 0; p < players; ++p) worker.hands.push_back(p);
  worker.values.assign(static_cast<std::size_t>(players), 0);
  worker.evaluate = card_as_value;
  worker.trials = trials;
  seed_worker(worker, 77, 3);
  return worker;
}

struct Cell {
  int category, rank;
  std::uint64_t wins, losses;
};

struct CountCase {
  const char* name;
  std::vector<HandValue> deck;
  int players;
  std::vector<Cell> per_deal;  // every other cell stays 0
};

TEST_F(Counting, FilesEveryHandUnderCategoryAndTopRankAsWinOrLoss) {
  const HandValue aces = value_of(kOnePair, 12, 0x1000 | 0x0E00);
  const HandValue king_high = value_of(kHighCard, 11) | 0x20000u;
  const HandValue wheel = 0x4002100F;       // A-5 straight: filed under Five
  const HandValue flush = 0x500CB731;       // ace-high flush
  const HandValue nines_full = 0x60201080;  // nines full of aces: filed under Nine
  const CountCase cases[] = {
      {"equal best values all win",
       {aces, aces, king_high, king_high},
       4,
       {{kOnePair, 12, 2, 0}, {kHighCard, 11, 0, 2}}},
      {"the wheel files under Five",
       {wheel, king_high},
       2,
       {{kStraight, 3, 1, 0}, {kHighCard, 11, 0, 1}}},
      {"a flush files under its best card; equal losers both lose",
       {flush, flush, nines_full},
       3,
       {{kFlush, 12, 0, 2}, {kFullHouse, 7, 1, 0}}},
      {"one player always wins", {wheel}, 1, {{kStraight, 3, 1, 0}}},
  };
  const int trials = 300;
  for (const auto& c : cases) {
    SimWorker worker = value_worker(c.deck, c.players, trials);
    run_trials(worker);
    std::uint64_t expected_wins[kResultCells] = {};
    std::uint64_t expected_losses[kResultCells] = {};
    for (const Cell& cell : c.per_deal) {
      expected_wins[cell.category * kRankCount + cell.rank] = cell.wins * trials;
      expected_losses[cell.category * kRankCount + cell.rank] = cell.losses * trials;
    }
    for (int i = 0; i < kResultCells; ++i) {
      EXPECT_EQ(worker.win_counts[i], expected_wins[i]) << c.name << ", cell " << i;
      EXPECT_EQ(worker.loss_counts[i], expected_losses[i]) << c.name << ", cell " << i;
    }
  }
}

// A game of several decks, jokers and wild Twos, as the deal tests use it.
struct Game {
  int decks, players, hand_size, jokers;
  bool deuces_wild;
};

GameRules rules_of(const Game& g) {
  GameRules rules;
  rules.decks = g.decks;
  rules.players = g.players;
  rules.hand_size = g.hand_size;
  rules.jokers = g.jokers;
  if (g.deuces_wild)
    for (int s = 0; s < kSuitCount; ++s) rules.wild[0][s] = 1;
  return rules;
}

TEST_F(Counting, EveryDealCountsEachPlayerOnceAndAtLeastOneWin) {
  const Game games[] = {{1, 5, 5, 0, false},
                        {2, 10, 7, 4, true},
                        {1, 50, 1, 0, false},
                        {1, 2, 20, 2, false},
                        {3, 9, 3, 0, true}};
  for (const auto& g : games) {
    const GameRules rules = rules_of(g);
    SimWorker worker;
    configure_worker(worker, rules);
    seed_worker(worker, 31337, 2);
    worker.trials = 1;
    for (int deal = 0; deal < 300; ++deal) {
      std::uint64_t wins_before = 0, losses_before = 0, wins_after = 0, losses_after = 0;
      for (int i = 0; i < kResultCells; ++i) {
        wins_before += worker.win_counts[i];
        losses_before += worker.loss_counts[i];
      }
      run_trials(worker);
      for (int i = 0; i < kResultCells; ++i) {
        wins_after += worker.win_counts[i];
        losses_after += worker.loss_counts[i];
      }
      const std::uint64_t wins = wins_after - wins_before;
      ASSERT_GE(wins, 1u) << g.players << "x" << g.hand_size << " deal " << deal;
      ASSERT_EQ(wins + losses_after - losses_before, static_cast<std::uint64_t>(g.players));
    }
  }
}

// The loop scores five- and seven-card hands with the evaluator's table paths
// taken into its own body, other sizes through the worker's evaluator. Either
// way it must count exactly what select_evaluator gives for the same deals,
// replayed here one by one with the public pointer.
TEST_F(Counting, TheLoopCountsWhatTheSelectedEvaluatorGivesDealByDeal) {
  const Game games[] = {{1, 5, 5, 0, false}, {1, 7, 7, 0, false}, {2, 10, 7, 4, true},
                        {2, 9, 5, 3, true},  {1, 3, 7, 2, false}, {1, 8, 6, 1, true},
                        {3, 4, 9, 0, false}};
  for (const auto& g : games) {
    const GameRules rules = rules_of(g);
    SimWorker looped, replayed;
    configure_worker(looped, rules);
    configure_worker(replayed, rules);
    seed_worker(looped, 2024, 5);
    seed_worker(replayed, 2024, 5);
    const int deals = 3000;
    play_deals(looped, deals);

    const evaluate_hand score = select_evaluator(g.hand_size);
    std::vector<HandValue> values(static_cast<std::size_t>(g.players));
    for (int deal = 0; deal < deals; ++deal) {
      shuffle_deal(replayed);
      HandValue best = 0;
      for (int p = 0; p < g.players; ++p) {
        values[p] = score(replayed.deck.data() + p * g.hand_size);
        best = std::max(best, values[p]);
      }
      for (const HandValue v : values)
        ++(v == best ? replayed.win_counts : replayed.loss_counts)[result_cell(v)];
    }
    const std::string game = std::to_string(g.players) + "x" + std::to_string(g.hand_size) + ", " +
                             std::to_string(g.decks) + " decks, " + std::to_string(g.jokers) +
                             " jokers";
    for (int cell = 0; cell < kResultCells; ++cell) {
      ASSERT_EQ(looped.win_counts[cell], replayed.win_counts[cell]) << game << ", cell " << cell;
      ASSERT_EQ(looped.loss_counts[cell], replayed.loss_counts[cell]) << game << ", cell " << cell;
    }
  }
}

// A run with a fixed seed on the given number of workers.
RunOutcome run_on(const GameRules& rules, ResultTable& table, int workers) {
  RunOptions options;
  options.workers = workers;
  return run_simulation_with(rules, RunRequest{}, table, options);
}

std::uint64_t wins_in(const ResultTable& t) {
  std::uint64_t sum = 0;
  for (auto& row : t.wins)
    for (auto v : row) sum += v;
  return sum;
}

std::uint64_t hands_in(const ResultTable& t) {
  std::uint64_t sum = wins_in(t);
  for (auto& row : t.losses)
    for (auto v : row) sum += v;
  return sum;
}

TEST_F(Counting, RunsPlayEveryDealOnAnyWorkerCount) {
  struct Case {
    std::int32_t run_length;
    int workers;
    int players;
  };
  const Case cases[] = {{2, 3, 4}, {1, 5, 1}, {1000, 1, 5}, {999, 2, 7}, {10, 4, 50}};
  for (const auto& c : cases) {
    GameRules rules;
    rules.players = c.players;
    rules.hand_size = 1;
    rules.run_length = c.run_length;
    ResultTable table;
    clear_results(table);
    run_on(rules, table, c.workers);
    EXPECT_TRUE(table.stale);
    EXPECT_EQ(hands_in(table), static_cast<std::uint64_t>(c.run_length) * c.players);
    EXPECT_GE(wins_in(table), static_cast<std::uint64_t>(c.run_length));
  }
}

TEST_F(Counting, GoStartsFromZeroMoreAddsAndClearEmpties) {
  GameRules rules;
  rules.run_length = 400;
  ResultTable table;
  clear_results(table);
  run_on(rules, table, 2);  // go
  compute_percentages(table);
  EXPECT_EQ(table.total_hands, 2000u);
  rules.players = 2;
  run_on(rules, table, 3);  // more, under changed rules
  compute_percentages(table);
  EXPECT_EQ(table.total_hands, 2800u);
  EXPECT_EQ(table.total_wins + table.total_losses, table.total_hands);
  clear_results(table);  // go again
  run_on(rules, table, 2);
  compute_percentages(table);
  EXPECT_EQ(table.total_hands, 800u);

  clear_results(table);
  EXPECT_FALSE(table.stale);
  EXPECT_EQ(hands_in(table), 0u);
  EXPECT_EQ(table.total_hands, 0u);
  for (int c = 0; c < kCategoryCount; ++c) {
    EXPECT_EQ(table.category_win_percent[c], 0.0f);
    EXPECT_EQ(table.category_share_percent[c], 0.0f);
  }
}

TEST_F(Counting, EmptyRunsMergeZerosWithoutDividingByZero) {
  // A negative run length gives every worker a share below one deal.
  GameRules rules;
  rules.run_length = -5;
  ResultTable table;
  clear_results(table);
  run_on(rules, table, 2);
  EXPECT_TRUE(table.stale);
  compute_percentages(table);
  EXPECT_EQ(table.total_hands, 0u);
  for (int c = 0; c < kCategoryCount; ++c) {
    EXPECT_EQ(table.category_share_percent[c], 0.0f) << c;
    EXPECT_EQ(table.category_win_percent[c], 0.0f) << c;
  }
}

// The rules never accept such a game; a caller that builds one by hand is
// stopped by the run's precondition (in builds with assertions) before any
// card is dealt past the deck.
TEST(CountingDeathTest, ARunThatWouldDealPastTheDeckIsAPreconditionFailure) {
#ifdef NDEBUG
  GTEST_SKIP() << "assertions are compiled out";
#else
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  GameRules rules;
  rules.players = 11;  // 55 cards from a 52-card pack
  EXPECT_FALSE(deal_fits_pack(rules));
  ResultTable table;
  clear_results(table);
  EXPECT_DEATH(run_on(rules, table, 2), "deal_fits_pack");
#endif
}

TEST(ResultTable, MergesWorkersAndDerivesSumsAndPercentages) {
  SimWorker a, b;
  a.win_counts[1 * kRankCount + 12] = 1;     // one pair of aces: 1 win ...
  b.loss_counts[1 * kRankCount + 12] = 199;  // ... in 200
  a.win_counts[0 * kRankCount + 11] = 3;
  b.win_counts[0 * kRankCount + 11] = 0xFFFFFFFFull;  // 64-bit sums do not wrap
  a.loss_counts[5 * kRankCount + 4] = 40;             // flushes that never won
  ResultTable table;
  clear_results(table);
  merge_worker_counts(a, table);
  EXPECT_TRUE(table.stale);
  merge_worker_counts(b, table);
  compute_percentages(table);
  EXPECT_FALSE(table.stale);
  EXPECT_EQ(table.wins[0][11], 0x100000002ull);
  EXPECT_EQ(table.category_wins[1], 1u);
  EXPECT_EQ(table.category_losses[1], 199u);
  EXPECT_EQ(table.total_hands, 0x100000002ull + 200 + 40);
  EXPECT_EQ(table.total_wins, 0x100000003ull);
  EXPECT_EQ(table.total_losses, 239u);
  EXPECT_EQ(table.rank_win_percent[1][12], 0.5f);
  EXPECT_EQ(table.category_win_percent[1], 0.5f);
  EXPECT_EQ(table.category_win_percent[0], 100.0f);
  EXPECT_EQ(table.category_win_percent[5], 0.0f);
  EXPECT_EQ(table.rank_win_percent[5][4], 0.0f);
  const double total = static_cast<double>(table.total_hands);
  EXPECT_FLOAT_EQ(table.category_share_percent[5], static_cast<float>(4000.0 / total));
  float share_sum = 0;
  for (float s : table.category_share_percent) share_sum += s;
  EXPECT_NEAR(share_sum, 100.0f, 1e-3f);
}

}  // namespace
}  // namespace orvix
