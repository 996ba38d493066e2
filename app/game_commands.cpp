#include "app/game_commands.h"

#include <cinttypes>
#include <cstdint>

#include "command_output.h"
#include "rules/card_list.h"
#include "rules/describe.h"
#include "sim/result_table.h"

namespace orvix {

namespace {

// The number argument starts at 0 for every line and keeps it when no number
// (or one too wide for 32 bits) follows.
std::int32_t read_count(WordStream& words) {
  std::int32_t value = 0;
  read_int32(words, value);
  return value;
}

// The rules operation validates; the confirmation uses the singular only
// where the wording has one.
void set_count(GameRules& rules, CommandArgs& args, bool (*set)(GameRules&, int),
               const char* before, const char* singular, const char* plural) {
  const std::int32_t n = read_count(args.words);
  if (!set(rules, n)) {
    print_refusal(rules);
    return;
  }
  if (args.quiet) return;
  out_printf("%s%" PRId32 "%s", before, n, n == 1 ? singular : plural);
  out_line_end();
}

void card_list(GameRules& rules, CardListOperation operation, CommandArgs& args) {
  const CardListResult result = apply_card_list(rules, operation, args.words);
  if (result.error) {
    out_text(result.text);
  } else if (!args.quiet) {
    out_text(result.text);
    out_line_end();
  }
}

}  // namespace

void game_command(LoopState& state, CommandArgs& args) {
  blank_line_unless_quiet(args);
  describe_game(state.rules, state.run_settings.part, state.run_settings.parts);
  out_line_end();
}

void deck_command(LoopState& state, CommandArgs& args) {
  blank_line_unless_quiet(args);
  describe_deck(state.rules);
  out_line_end();
}

void decks_command(LoopState& state, CommandArgs& args) {
  set_count(state.rules, args, set_decks, "Using ", " deck.", " decks.");
}

void hands_command(LoopState& state, CommandArgs& args) {
  std::int64_t n = 0;
  read_int64(args.words, n);
  if (!set_run_length(state.rules, n)) {
    print_refusal(state.rules);
    return;
  }
  if (args.quiet) return;
  out_printf("Run length %" PRId64 " hands.", n);
  out_line_end();
}

void hand_size_command(LoopState& state, CommandArgs& args) {
  set_count(state.rules, args, set_hand_size, "Hand size now ", " card.", " cards.");
}

void players_command(LoopState& state, CommandArgs& args) {
  set_count(state.rules, args, set_players, "Using ", " players.", " players.");
}

void jokers_command(LoopState& state, CommandArgs& args) {
  set_count(state.rules, args, set_jokers, "Now using ", " joker.", " jokers.");
}

void wild_command(LoopState& state, CommandArgs& args) {
  card_list(state.rules, CardListOperation::kWild, args);
}

void add_command(LoopState& state, CommandArgs& args) {
  card_list(state.rules, CardListOperation::kAdd, args);
}

void remove_command(LoopState& state, CommandArgs& args) {
  card_list(state.rules, CardListOperation::kRemove, args);
}

void reset_command(LoopState& state, CommandArgs& args) {
  reset_defaults(state.rules);
  clear_results(state.table);
  state.runs.clear();
  // The seed and the part are the session's, not the game's: a part script
  // that resets its game still plays its own part of the seeded run.
  confirm(args, "Reset game to defaults and cleared counters.");
}

void clear_wilds_command(LoopState& state, CommandArgs& args) {
  clear_wilds(state.rules);
  confirm(args, "Wildcards cleared.");
}

void clear_add_remove_command(LoopState& state, CommandArgs& args) {
  if (clear_add_remove(state.rules))
    confirm(args, "Cards added or removed cleared.");
  else
    print_refusal(state.rules);
}

}  // namespace orvix
