// Deals per second per thread (CPU time) and the wall time of a whole run.
//   cmake -S . -B build && cmake --build build -j2 --target sim_bench && ./build/bench/sim_bench
// On a shared machine the speed of one core varies from second to second, so
// the deal rates are measured in ten short repetitions: "_max" is the rate of
// the least disturbed one, "_median" the typical one.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <utility>
#include <vector>

#include <orvix/evaluate.h>
#include <orvix/internal/fast_eval.h>
#include "rules/pack.h"
#include "sim/result_table.h"
#include "sim/run_simulation.h"
#include "sim/seeding.h"
#include "sim/shuffle.h"
#include "sim/trials.h"

namespace orvix {
namespace {

GameRules default_game() { return GameRules{}; }

GameRules heavy_game() {
  GameRules rules;
  rules.players = 10;
  rules.hand_size = 7;
  rules.decks = 2;
  rules.jokers = 4;
  for (int s = 0; s < kSuitCount; ++s) rules.wild[0][s] = 1;
  return rules;
}

// Nine seats sharing a board: hold'em (two own cards, five on the board, the
// best of all seven) and Omaha (four own cards, exactly two of them used).
GameRules holdem_game() {
  GameRules rules;
  rules.players = 9;
  rules.hand_size = 2;
  rules.board = 5;
  return rules;
}

GameRules omaha_game() {
  GameRules rules = holdem_game();
  rules.hand_size = 4;
  rules.use = 2;
  return rules;
}

void deals(benchmark::State& state, const GameRules& rules) {
  build_eval_tables();
  SimWorker worker;
  configure_worker(worker, rules);
  seed_worker(worker, 12345, 1);
  const int batch = 10000;
  for (auto _ : state) {
    worker.trials = batch;
    run_trials(worker);
    benchmark::DoNotOptimize(worker.win_counts);
  }
  state.SetItemsProcessed(state.iterations() * batch);
}

void BM_DealsDefaultGame(benchmark::State& state) { deals(state, default_game()); }
void BM_DealsHeavyGame(benchmark::State& state) { deals(state, heavy_game()); }
void BM_DealsHoldem9(benchmark::State& state) { deals(state, holdem_game()); }
void BM_DealsOmaha9(benchmark::State& state) { deals(state, omaha_game()); }

// A yardstick for BM_DealsHoldem9, timed on the same machine at the same
// moment: the least a nine-seat hold'em deal can cost, a xoshiro256+ partial
// shuffle of the 23 dealt cards (one output per index, no redraw), the
// board's count words summed once, nine table look-ups, the winner and one
// count per seat, and no category counts.
void BM_FloorHoldem9(benchmark::State& state) {
  const fast_eval::FastTables& tables = fast_eval::tables();
  CardCode deck[52];
  build_deck(GameRules{}, deck);
  std::uint64_t s[4] = {1, 2, 3, 4};
  const auto next = [&s] {
    const std::uint64_t result = s[0] + s[3];
    const std::uint64_t t = s[1] << 17;
    s[2] ^= s[0];
    s[3] ^= s[1];
    s[1] ^= s[2];
    s[0] ^= s[3];
    s[2] ^= t;
    s[3] = std::rotl(s[3], 45);
    return result;
  };
  std::uint64_t wins[9][2] = {};
  const int batch = 10000;
  for (auto _ : state) {
    for (int deal = 0; deal < batch; ++deal) {
      for (int i = 0; i < 23; ++i) {
        const auto range = static_cast<std::uint64_t>(52 - i);
        std::swap(deck[i], deck[i + static_cast<int>(((next() >> 32) * range) >> 32)]);
      }
      std::uint64_t board = fast_eval::kSuitBias;
      for (int j = 18; j < 23; ++j) board += tables.card_words[fast_eval::card_slot(deck[j])];
      HandValue values[9];
      HandValue best = 0;
      for (int p = 0; p < 9; ++p) {
        const std::uint64_t sum = board + tables.card_words[fast_eval::card_slot(deck[2 * p])] +
                                  tables.card_words[fast_eval::card_slot(deck[2 * p + 1])];
        if ((sum & fast_eval::kRouteMask) != 0) {
          const CardCode hand[7] = {deck[2 * p], deck[2 * p + 1], deck[18], deck[19],
                                    deck[20],    deck[21],        deck[22]};
          values[p] = fast_eval::routed_7(hand, sum);
        } else {
          values[p] = fast_eval::rank_value(tables.seven, sum);
        }
        best = std::max(best, values[p]);
      }
      for (int p = 0; p < 9; ++p) ++wins[p][values[p] == best];
    }
    benchmark::DoNotOptimize(wins);
  }
  state.SetItemsProcessed(state.iterations() * batch);
}

// The shuffle alone: 25 swaps of the default game.
void BM_ShuffleDefaultGame(benchmark::State& state) {
  SimWorker worker;
  configure_worker(worker, default_game());
  seed_worker(worker, 12345, 1);
  const ShuffleShape shape = shuffle_shape(worker);
  for (auto _ : state) {
    shuffle_positions(worker.generator, shape, worker.deck.data());
    benchmark::DoNotOptimize(worker.deck.data());
  }
  state.SetItemsProcessed(state.iterations());
}

// A default go: 5,000,000 deals on one worker per processor, wall time.
void BM_DefaultGoWall(benchmark::State& state) {
  build_eval_tables();
  const GameRules rules = default_game();
  for (auto _ : state) {
    ResultTable table;
    clear_results(table);
    run_simulation(rules, RunRequest{}, table);
    benchmark::DoNotOptimize(table.wins);
  }
  state.SetItemsProcessed(state.iterations() * rules.run_length);
}

double largest(const std::vector<double>& values) {
  return *std::max_element(values.begin(), values.end());
}

BENCHMARK(BM_DealsDefaultGame)->MinTime(0.1)->Repetitions(10)->ComputeStatistics("max", largest);
BENCHMARK(BM_DealsHeavyGame)->MinTime(0.1)->Repetitions(10)->ComputeStatistics("max", largest);
BENCHMARK(BM_DealsHoldem9)->MinTime(0.1)->Repetitions(10)->ComputeStatistics("max", largest);
BENCHMARK(BM_DealsOmaha9)->MinTime(0.1)->Repetitions(10)->ComputeStatistics("max", largest);
BENCHMARK(BM_FloorHoldem9)->MinTime(0.1)->Repetitions(10)->ComputeStatistics("max", largest);
BENCHMARK(BM_ShuffleDefaultGame);
BENCHMARK(BM_DefaultGoWall)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace orvix

BENCHMARK_MAIN();
