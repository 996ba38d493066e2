// Per-hand costs of the test command's enumerations. Each benchmark walks
// every 7-card (or 5-card) combination of a fixed 30-card slice of a shuffled
// deck (2035800 hands), so the figures are per hand dealt, as in the command.
//
//   cmake -S . -B build && cmake --build build -j2 --target reference_bench
//   build/bench/reference_bench --benchmark_counters_tabular=true

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include <orvix/internal/evaluators.h>
#include <orvix/internal/catalogue.h>
#include "support/enumerate.h"
#include "reference/reference_games.h"
#include "exact/value_set.h"

namespace orvix {
namespace {

constexpr int kSliceCards = 30;

std::vector<CardCode> deck_slice(bool deuces_wild) {
  CardCode deck[kCardKinds];
  standard_deck(deck);
  if (deuces_wild) make_deuces_wild(deck);
  std::mt19937 random(7);
  std::shuffle(deck, deck + kCardKinds, random);
  return std::vector<CardCode>(deck, deck + kSliceCards);
}

// Values of every hand of the slice, in enumeration order: the stream the
// distinct-value set sees.
std::vector<HandValue> value_stream() {
  const std::vector<CardCode> cards = deck_slice(false);
  std::vector<HandValue> values;
  for_each_combination_7(cards.data(), kSliceCards,
                         [&](const CardCode* hand) { values.push_back(evaluate_7(hand)); });
  return values;
}

// The loops alone: how much the enumeration adds on top of the evaluator.
void BM_Enumerate7LoopsOnly(benchmark::State& state) {
  const std::vector<CardCode> cards = deck_slice(false);
  std::int64_t hands = 0;
  for (auto _ : state) {
    CardCode sum = 0;
    for_each_combination_7(cards.data(), kSliceCards,
                           [&](const CardCode* hand) { sum += hand[6]; });
    benchmark::DoNotOptimize(sum);
    hands += 2035800;
  }
  state.SetItemsProcessed(hands);
}
BENCHMARK(BM_Enumerate7LoopsOnly)->Unit(benchmark::kMillisecond);

void BM_Enumerate7Evaluate(benchmark::State& state) {
  build_eval_tables();
  const std::vector<CardCode> cards = deck_slice(state.range(0) != 0);
  std::int64_t hands = 0;
  for (auto _ : state) {
    HandValue sum = 0;
    for_each_combination_7(cards.data(), kSliceCards,
                           [&](const CardCode* hand) { sum += evaluate_7(hand); });
    benchmark::DoNotOptimize(sum);
    hands += 2035800;
  }
  state.SetItemsProcessed(hands);
}
BENCHMARK(BM_Enumerate7Evaluate)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("deuces_wild")
    ->Unit(benchmark::kMillisecond);

// Everything the command does per hand: evaluate, count the category, insert
// into the distinct-value set.
void BM_CountHands7(benchmark::State& state) {
  build_eval_tables();
  const std::vector<CardCode> cards = deck_slice(state.range(0) != 0);
  std::int64_t hands = 0;
  for (auto _ : state) {
    const ReferenceCounts counts = count_hands(cards.data(), kSliceCards, 7, false);
    benchmark::DoNotOptimize(counts);
    hands += counts.hands;
  }
  state.SetItemsProcessed(hands);
}
BENCHMARK(BM_CountHands7)->Arg(0)->Arg(1)->ArgName("deuces_wild")->Unit(benchmark::kMillisecond);

void BM_CountHands5Infinite(benchmark::State& state) {
  build_eval_tables();
  const std::vector<CardCode> cards = deck_slice(false);
  std::int64_t hands = 0;
  for (auto _ : state) {
    // 30^5 = 24300000 ordered hands, evaluated as C(34, 5) = 278256 weighted multisets.
    const ReferenceCounts counts = count_hands(cards.data(), kSliceCards, 5, true);
    benchmark::DoNotOptimize(counts);
    hands += counts.hands;
  }
  state.SetItemsProcessed(hands);
}
BENCHMARK(BM_CountHands5Infinite)->Unit(benchmark::kMillisecond);

// The distinct-value set alone, fed the real value stream of the 7-card slice.
void BM_ValueSetInsert(benchmark::State& state) {
  build_eval_tables();
  const std::vector<HandValue> values = value_stream();
  HandValueSet set;
  std::int64_t inserted = 0;
  for (auto _ : state) {
    reset_value_set(set, kCatalogueSize);
    for (HandValue v : values) insert_value(set, v);
    benchmark::DoNotOptimize(value_set_size(set));
    inserted += static_cast<std::int64_t>(values.size());
  }
  state.SetItemsProcessed(inserted);
}
BENCHMARK(BM_ValueSetInsert)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvix

BENCHMARK_MAIN();
