// Evaluator speed on pre-dealt random hands, called through the evaluator
// pointer as a simulation run calls them. 2^20 hands per case, so the tables
// and branch predictors see realistic traffic rather than one hot hand.
//
//   cmake -S . -B build && cmake --build build -j2 --target eval_bench
//   build/bench/eval_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
//
// per_hand (printed as e.g. 9.3ns) is the CPU column divided by the hands
// scored; Google Benchmark takes that column from this thread's CPU clock,
// not from wall time, so other processes cost less accuracy. The machine is
// shared: repeat, and compare medians of runs made close together.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include <orvix/card.h>
#include <orvix/evaluate.h>
#include <orvix/ranking.h>

namespace {

using orvix::CardCode;

constexpr int kHandCount = 1 << 20;

// kHandCount hands of `size` cards, each dealt from a freshly shuffled single
// deck; with `deuces_wild` the four Twos are wild. With `jokers`, every hand
// holds exactly that many jokers beside size - jokers dealt cards, the jokers
// at random places.
std::vector<CardCode> deal_hands(int size, bool deuces_wild, unsigned seed, int jokers = 0) {
  std::vector<CardCode> deck;
  for (int r = 0; r < orvix::kRankCount; ++r)
    for (int s = 0; s < orvix::kSuitCount; ++s)
      deck.push_back(orvix::make_card(r, s, deuces_wild && r == 0));
  std::mt19937_64 rng(seed);
  std::vector<CardCode> hands;
  hands.reserve(static_cast<std::size_t>(kHandCount) * size);
  for (int h = 0; h < kHandCount; ++h) {
    const std::size_t first = hands.size();
    for (int i = 0; i < size - jokers; ++i) {
      const int j = std::uniform_int_distribution<int>(i, static_cast<int>(deck.size()) - 1)(rng);
      std::swap(deck[i], deck[j]);
      hands.push_back(deck[i]);
    }
    if (jokers == 0) continue;  // the same hands as before jokers existed here
    for (int i = 0; i < jokers; ++i) hands.push_back(orvix::kJoker);
    std::shuffle(hands.begin() + static_cast<std::ptrdiff_t>(first), hands.end(), rng);
  }
  return hands;
}

// One iteration scores every pre-dealt hand once; the counter per_hand
// is the thread CPU time of an iteration divided by the number of hands.
// The evaluator tables are built before the clock starts.
void run(benchmark::State& state, int size, bool deuces_wild, int jokers = 0) {
  const std::vector<CardCode> hands =
      deal_hands(size, deuces_wild, 42u + static_cast<unsigned>(size), jokers);
  orvix::build_eval_tables();
  const orvix::evaluate_hand evaluate = orvix::select_evaluator(size);
  orvix::HandValue sum = 0;
  for (auto _ : state) {
    for (std::size_t at = 0; at < hands.size(); at += static_cast<std::size_t>(size))
      sum += evaluate(&hands[at]);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kHandCount);
  state.counters["per_hand"] = benchmark::Counter(
      kHandCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// As run, under a ranking: the same hands through evaluate(cards, size, ranking).
void run_ranked(benchmark::State& state, int size, bool deuces_wild,
                const orvix::Ranking& ranking) {
  const std::vector<CardCode> hands =
      deal_hands(size, deuces_wild, 42u + static_cast<unsigned>(size));
  orvix::build_eval_tables();
  orvix::HandValue sum = 0;
  for (auto _ : state) {
    for (std::size_t at = 0; at < hands.size(); at += static_cast<std::size_t>(size))
      sum += orvix::evaluate(&hands[at], size, ranking);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kHandCount);
  state.counters["per_hand"] = benchmark::Counter(
      kHandCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// An order unlike both named ones: Two Pair above Three of a Kind, Flush
// above Full House and Straight above both.
orvix::Ranking custom_order() {
  orvix::Ranking r{};
  orvix::parse_ranking_order("5K SF 4K ST FL FH 2P 3K 1P HC", r);
  return r;
}

// As run, for Omaha hands: four own cards and a board of five, one deck,
// under `use` (2 for Omaha, orvix::kUseAny for the best of all nine cards).
void run_omaha(benchmark::State& state, int use) {
  constexpr int kOwn = 4, kBoard = 5, kSize = kOwn + kBoard;
  const std::vector<CardCode> hands = deal_hands(kSize, false, 4209u);
  orvix::build_eval_tables();
  orvix::HandValue sum = 0;
  for (auto _ : state) {
    for (std::size_t at = 0; at < hands.size(); at += kSize)
      sum += orvix::evaluate_use(&hands[at], kOwn, &hands[at + kOwn], kBoard, use);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kHandCount);
  state.counters["per_hand"] = benchmark::Counter(
      kHandCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_evaluate_5(benchmark::State& state) { run(state, 5, false); }
void BM_evaluate_7(benchmark::State& state) { run(state, 7, false); }
void BM_evaluate_7_deuces_wild(benchmark::State& state) { run(state, 7, true); }
void BM_evaluate_7_one_wild(benchmark::State& state) { run(state, 7, false, 1); }
void BM_evaluate_7_two_wild(benchmark::State& state) { run(state, 7, false, 2); }
void BM_evaluate_many_10(benchmark::State& state) { run(state, 10, false); }
void BM_evaluate_many_20(benchmark::State& state) { run(state, 20, false); }
void BM_evaluate_use_omaha(benchmark::State& state) { run_omaha(state, 2); }
void BM_ranked_5_shortdeck(benchmark::State& state) {
  run_ranked(state, 5, false, orvix::shortdeck_ranking());
}
void BM_ranked_7_shortdeck(benchmark::State& state) {
  run_ranked(state, 7, false, orvix::shortdeck_ranking());
}
void BM_ranked_7_deuces_wild_shortdeck(benchmark::State& state) {
  run_ranked(state, 7, true, orvix::shortdeck_ranking());
}
void BM_ranked_5_custom(benchmark::State& state) { run_ranked(state, 5, false, custom_order()); }
void BM_ranked_7_custom(benchmark::State& state) { run_ranked(state, 7, false, custom_order()); }
void BM_ranked_7_deuces_wild_custom(benchmark::State& state) {
  run_ranked(state, 7, true, custom_order());
}
void BM_evaluate_use_any_4_and_5(benchmark::State& state) { run_omaha(state, orvix::kUseAny); }
void BM_ranked_5_low(benchmark::State& state) { run_ranked(state, 5, false, orvix::low_ranking()); }
void BM_ranked_7_low(benchmark::State& state) { run_ranked(state, 7, false, orvix::low_ranking()); }
void BM_ranked_7_deuces_wild_low(benchmark::State& state) {
  run_ranked(state, 7, true, orvix::low_ranking());
}
void BM_ranked_5_deuce(benchmark::State& state) {
  run_ranked(state, 5, false, orvix::deuce_ranking());
}
void BM_ranked_7_deuce(benchmark::State& state) {
  run_ranked(state, 7, false, orvix::deuce_ranking());
}
void BM_ranked_7_deuces_wild_deuce(benchmark::State& state) {
  run_ranked(state, 7, true, orvix::deuce_ranking());
}

}  // namespace

BENCHMARK(BM_evaluate_5);
BENCHMARK(BM_evaluate_7);
BENCHMARK(BM_evaluate_7_deuces_wild);
BENCHMARK(BM_evaluate_7_one_wild);
BENCHMARK(BM_evaluate_7_two_wild);
BENCHMARK(BM_evaluate_many_10);
BENCHMARK(BM_evaluate_many_20);
BENCHMARK(BM_evaluate_use_omaha);
BENCHMARK(BM_evaluate_use_any_4_and_5);
BENCHMARK(BM_ranked_5_shortdeck);
BENCHMARK(BM_ranked_7_shortdeck);
BENCHMARK(BM_ranked_7_deuces_wild_shortdeck);
BENCHMARK(BM_ranked_5_custom);
BENCHMARK(BM_ranked_7_custom);
BENCHMARK(BM_ranked_7_deuces_wild_custom);
BENCHMARK(BM_ranked_5_low);
BENCHMARK(BM_ranked_7_low);
BENCHMARK(BM_ranked_7_deuces_wild_low);
BENCHMARK(BM_ranked_5_deuce);
BENCHMARK(BM_ranked_7_deuce);
BENCHMARK(BM_ranked_7_deuces_wild_deuce);

BENCHMARK_MAIN();
