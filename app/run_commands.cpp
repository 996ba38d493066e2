#include "app/run_commands.h"

#include <chrono>
#include <cinttypes>
#include <cstdint>
#include <limits>
#include <string>

#include "command_output.h"
#include "platform/progress_line.h"
#include "platform/stop_request.h"
#include "rules/describe.h"
#include "sim/lap_timer.h"
#include "sim/reports.h"
#include "sim/run_settings.h"

namespace orvix {

namespace {

// Describes the game, plays the run into the counters and prints the stats.
void run(LoopState& state) {
  describe_game(state.rules, state.run_settings.part, state.run_settings.parts);
  out_flush();  // all of it is out before the run, however the run ends
  start_lap_timer();
  const RunOutcome outcome = play_recorded_run(state);
  if (outcome.stopped) {
    out_printf(
        "Run stopped after %" PRId64 " of %" PRId64 " hands.", outcome.deals,
        part_deals(state.rules.run_length, state.run_settings.part, state.run_settings.parts));
    out_line_end();
  }
  report_lap_time();
  out_line_end();
  compute_percentages(state.table);
  print_stats(state.table);
  out_line_end();
  if (has_holds(state.rules)) {
    print_seat_table(state.table.seats);
    out_line_end();
  }
  if (outcome.stopped) end_session_if_not_interactive();
}

// A game whose hands cannot be valued under its use rule is not played: the
// refusal alone, nothing counted or cleared.
bool refuse_unplayable(const LoopState& state) {
  const std::string refusal = use_refusal(state.rules);
  if (refusal.empty()) return false;
  out_text(refusal);
  return true;
}

// True when the run about to start could push a counter past 2^64 - 1: it
// adds `players` hands a deal to the total, and never more to any one cell.
bool run_could_overflow(const LoopState& state) {
  const RunSettings& settings = state.run_settings;
  const auto deals =
      static_cast<std::uint64_t>(part_deals(state.rules.run_length, settings.part, settings.parts));
  const std::uint64_t hands = deals * static_cast<std::uint64_t>(state.rules.players);
  return counted_player_hands(state.table) > std::numeric_limits<std::uint64_t>::max() - hands;
}

}  // namespace

void go_command(LoopState& state, CommandArgs& args) {
  if (refuse_unplayable(state)) return;
  blank_line_unless_quiet(args);
  clear_results(state.table);
  state.runs.clear();
  run(state);
}

void more_command(LoopState& state, CommandArgs& args) {
  if (refuse_unplayable(state)) return;
  if (run_could_overflow(state)) {
    out_text("Error: the counters would overflow; save and clear them first.\n");
    return;
  }
  // Seat results add up only within one game.
  if (state.table.seats.deals > 0 && !same_deal_rules(state.table.seats.game, state.rules)) {
    state.table.seats = SeatResults{};
    out_text("Note: seat results restart (the game changed).\n");
  }
  blank_line_unless_quiet(args);
  run(state);
}

RunOutcome play_recorded_run(LoopState& state) {
  const RunSettings& settings = state.run_settings;
  RunRequest request;
  request.seed = take_run_seed(state.run_settings);
  request.part = settings.part;
  request.parts = settings.parts;
  const std::uint64_t before = counted_player_hands(state.table);
  GameRules rules = state.rules;
  if (state.run_length_cap > 0 && rules.run_length > state.run_length_cap)
    rules.run_length = static_cast<std::int32_t>(state.run_length_cap);
  const auto start = std::chrono::steady_clock::now();
  RunOutcome outcome;
  {
    StopWindow window;
    ProgressScope progress(
        static_cast<std::uint64_t>(part_deals(rules.run_length, request.part, request.parts)),
        "hands");
    RunOptions options;
    options.watch_stop = true;
    options.progress = &progress.line;
    outcome = run_simulation_with(rules, request, state.table, options);
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  state.runs.push_back(make_run_record(rules, request.seed, settings.part, settings.parts,
                                       counted_player_hands(state.table) - before, seconds));
  return outcome;
}

}  // namespace orvix
