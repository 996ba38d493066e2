// Deals per second per thread (CPU time) and the wall time of a whole run.
//   cmake -S . -B build && cmake --build build -j2 --target sim_bench && ./build/bench/sim_bench
// On a shared machine the speed of one core varies from second to second, so
// the deal rates are measured in ten short repetitions: "_max" is the rate of
// the least disturbed one, "_median" the typical one.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include <orvix/evaluate.h>
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
BENCHMARK(BM_ShuffleDefaultGame);
BENCHMARK(BM_DefaultGoWall)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace orvix

BENCHMARK_MAIN();
