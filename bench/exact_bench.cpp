// Whole exact counts of the games the exact command is timed on, with the
// worker count the command would use on this machine (argument 0 = one per
// processor) or a fixed one. Wall time is what a user waits, so it is the
// figure to read:
//
//   build/bench/exact_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
//
// BM_Equity times the equity count of heads-up hold'em games (workers 1: the
// CPU time of one core; 0: one per processor).

#include <benchmark/benchmark.h>

#include <orvix/evaluate.h>
#include "platform/processors.h"
#include "exact/exact_engine.h"
#include "exact/seat_equity.h"
#include "rules/game_rules.h"

namespace orvix {
namespace {

enum Game { kFive, kSeven, kSevenWild, kSevenUneven, kEight, kNine };

GameRules rules_for(Game game) {
  GameRules rules;
  reset_defaults(rules);
  set_players(rules, 1);
  switch (game) {
    case kFive:
      break;
    case kSeven:
      set_hand_size(rules, 7);
      break;
    case kSevenWild:  // two decks, four jokers, deuces wild
      set_decks(rules, 2);
      set_jokers(rules, 4);
      set_wild_rank(rules, 0);
      set_hand_size(rules, 7);
      break;
    case kSevenUneven:  // three suits broken: no two suits alike, no symmetry
      remove_card(rules, 12, 1);
      remove_card(rules, 11, 0);
      remove_card(rules, 10, 2);
      set_hand_size(rules, 7);
      break;
    case kEight:
      set_hand_size(rules, 8);
      break;
    case kNine:
      set_hand_size(rules, 9);
      break;
  }
  return rules;
}

void BM_Exact(benchmark::State& state) {
  build_eval_tables();
  const GameRules rules = rules_for(static_cast<Game>(state.range(0)));
  ExactGame game;
  game.pack = pack_from_rules(rules);
  game.hand_size = rules.hand_size;
  ExactOptions options;
  options.workers = state.range(1) > 0 ? static_cast<int>(state.range(1)) : processor_count();
  std::uint64_t evaluated = 0;
  for (auto _ : state) {
    const ExactTable table = count_exact(game, options);
    benchmark::DoNotOptimize(table.total);
    evaluated += table.evaluated;
  }
  state.counters["evaluated"] =
      benchmark::Counter(static_cast<double>(evaluated) / static_cast<double>(state.iterations()));
  state.counters["multisets"] = static_cast<double>(distinct_code_multisets(game));
}
BENCHMARK(BM_Exact)
    ->ArgNames({"game", "workers"})
    ->Args({kFive, 0})
    ->Args({kSeven, 0})
    ->Args({kSeven, 1})
    ->Args({kSevenWild, 0})
    ->Args({kSevenUneven, 0})
    ->Args({kEight, 0})
    ->Args({kNine, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Heads-up hold'em with seat 1 holding As Ah and seat 2 Kd Kc (1,712,304
// boards; seat 1's equity 81.255490%), or seat 2 dealt (As Ad against a
// random hand: 2,097,572,400 deals).
enum EquityGame { kAcesKings, kAcesRandom };

GameRules equity_rules(EquityGame game) {
  GameRules rules;
  reset_defaults(rules);
  set_players(rules, 2);
  set_hand_size(rules, 2);
  set_board(rules, 5);
  HeldCards aces;
  aces.count = 2;
  aces.kinds[0] = 12 * kSuitCount + 1;
  aces.kinds[1] = game == kAcesKings ? 12 * kSuitCount + 3 : 12 * kSuitCount + 0;
  set_hold(rules, 1, aces);
  if (game == kAcesKings) {
    HeldCards kings;
    kings.count = 2;
    kings.kinds[0] = 11 * kSuitCount + 0;
    kings.kinds[1] = 11 * kSuitCount + 2;
    set_hold(rules, 2, kings);
  }
  return rules;
}

void BM_Equity(benchmark::State& state) {
  build_eval_tables();
  const GameRules rules = equity_rules(static_cast<EquityGame>(state.range(0)));
  EquityOptions options;
  options.workers = state.range(1) > 0 ? static_cast<int>(state.range(1)) : processor_count();
  std::uint64_t evaluated = 0;
  for (auto _ : state) {
    const SeatEquity equity = count_seat_equity(rules, options);
    benchmark::DoNotOptimize(equity.by_winners[0][1]);
    evaluated += equity.evaluated;
  }
  state.counters["evaluated"] =
      benchmark::Counter(static_cast<double>(evaluated) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_Equity)
    ->ArgNames({"game", "workers"})
    ->Args({kAcesKings, 1})
    ->Args({kAcesKings, 0})
    ->Args({kAcesRandom, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace orvix

BENCHMARK_MAIN();
