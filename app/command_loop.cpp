#include "app/command_loop.h"

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/banner.h"
#include "app/help.h"
#include "app/line_reader.h"
#include "app/run_commands.h"
#include "platform/console.h"
#include "platform/line_editor.h"
#include "platform/stop_request.h"
#include "exact/exact_report.h"
#include "reference/reference_games.h"
#include "rules/card_list.h"
#include "rules/describe.h"
#include "rules/word_stream.h"
#include "sim/lap_timer.h"
#include "sim/reports.h"
#include "sim/run_simulation.h"

namespace orvix {

namespace {

// What the first word of a line asks for.
enum class CommandKind {
  kGame, kDeck, kDecks, kHands, kHandSize, kPlayers, kJokers, kWild, kAdd, kRemove, kReset, kClear,
  kClearWilds, kClearAddRemove, kGo, kMore, kStats, kCounts, kTest, kExact, kSeed, kShard, kSave, kLoad, kQuit, kHelp, kNone, kUnsupported,
};

struct CommandWord {
  const char* word;
  CommandKind command;
};

// Matched whole against the upper-cased first word, in this order.
constexpr CommandWord kCommandTable[] = {
    {"GAME", CommandKind::kGame},
    {"DECK", CommandKind::kDeck},
    {"DECKS", CommandKind::kDecks},
    {"HANDS", CommandKind::kHands},
    {"HANDSIZE", CommandKind::kHandSize},
    {"PLAYERS", CommandKind::kPlayers},
    {"JOKERS", CommandKind::kJokers},
    {"WILD", CommandKind::kWild},
    {"WILDS", CommandKind::kWild},
    {"ADD", CommandKind::kAdd},
    {"ADDS", CommandKind::kAdd},
    {"REM", CommandKind::kRemove},
    {"REMS", CommandKind::kRemove},
    {"RESET", CommandKind::kReset},
    {"CLEAR", CommandKind::kClear},
    {"CLEARCOUNT", CommandKind::kClear},
    {"CLEARCOUNTS", CommandKind::kClear},
    {"CLEARWILD", CommandKind::kClearWilds},
    {"CLEARWILDS", CommandKind::kClearWilds},
    {"CLEARADDREM", CommandKind::kClearAddRemove},
    {"CLEARADDREMS", CommandKind::kClearAddRemove},
    {"GO", CommandKind::kGo},
    {"MORE", CommandKind::kMore},
    {"STATS", CommandKind::kStats},
    {"COUNTS", CommandKind::kCounts},
    {"TEST", CommandKind::kTest},
    {"EXACT", CommandKind::kExact},
    {"SEED", CommandKind::kSeed},
    {"SHARD", CommandKind::kShard},
    {"SAVE", CommandKind::kSave},
    {"LOAD", CommandKind::kLoad},
    {"QUIT", CommandKind::kQuit},
    {"Q", CommandKind::kQuit},
    {"EXIT", CommandKind::kQuit},
    {"HELP", CommandKind::kHelp},
    {"?", CommandKind::kHelp},
};

CommandKind find_command(std::string_view word) {
  if (word.empty()) return CommandKind::kNone;
  for (const CommandWord& entry : kCommandTable)
    if (word == entry.word) return entry.command;
  return CommandKind::kUnsupported;
}

void print_refusal(const GameRules& rules) {
  if (rules.error_text.text != nullptr) out_text(rules.error_text.text);
}

void line_end_unless(bool quiet) {
  if (!quiet) out_line_end();
}

// The number argument starts at 0 for every line and keeps it when no number
// (or one too wide for 32 bits) follows.
std::int32_t read_count(WordStream& stream) {
  std::int32_t value = 0;
  read_int32(stream, value);
  return value;
}

// "DECKS", "HANDSIZE", "PLAYERS", "JOKERS": the rules operation validates; the
// confirmation uses the singular only where the wording has one.
void set_count(GameRules& rules, WordStream& stream, bool quiet, bool (*set)(GameRules&, int),
               const char* before, const char* singular, const char* plural) {
  const std::int32_t n = read_count(stream);
  if (!set(rules, n)) {
    print_refusal(rules);
    return;
  }
  if (quiet) return;
  out_printf("%s%" PRId32 "%s", before, n, n == 1 ? singular : plural);
  out_line_end();
}

void set_hands(GameRules& rules, WordStream& stream, bool quiet) {
  std::int64_t n = 0;
  read_int64(stream, n);
  if (!set_run_length(rules, n)) {
    print_refusal(rules);
    return;
  }
  if (quiet) return;
  out_printf("Run length %" PRId64 " hands.", n);
  out_line_end();
}

void card_list(GameRules& rules, CardListOperation operation, WordStream& stream, bool quiet) {
  const CardListResult result = apply_card_list(rules, operation, stream);
  if (result.error) {
    out_text(result.text);
  } else if (!quiet) {
    out_text(result.text);
    out_line_end();
  }
}

void run(LoopState& state, bool clear_first, bool quiet) {
  line_end_unless(quiet);
  if (clear_first) {
    clear_results(state.table);
    state.runs.clear();
  }
  describe_game(state.rules, state.run_settings.part, state.run_settings.parts);
  out_flush();  // all of it is out before the run, however the run ends
  start_lap_timer();
  const RunOutcome outcome = play_recorded_run(state);
  if (outcome.stopped) {
    out_printf("Run stopped after %" PRId64 " of %" PRId64 " hands.", outcome.deals,
               part_deals(state.rules.run_length, state.run_settings.part, state.run_settings.parts));
    out_line_end();
  }
  report_lap_time();
  out_line_end();
  compute_percentages(state.table);
  print_stats(state.table);
  out_line_end();
  if (outcome.stopped) end_session_if_not_interactive();
}

void confirm(bool quiet, const char* text) {
  if (quiet) return;
  out_text(text);
  out_line_end();
}

constexpr const char* kPrompt = "orvix>";

void greet(bool no_hint) {
  out_text(program_banner);
  if (!no_hint) {
    out_text("Right click on window title bar, properties, layout to change the size of this window.\n");
    out_text("Type \"help\" or \"?\" for a list of commands.\n");
  }
  out_line_end();
}

void flush_output() { out_flush(); }

// The next command line, after the prompt unless quiet. The line editor shows
// the prompt itself, so that it can redraw it.
ReadStatus next_line(LineReader& reader, bool editing, bool quiet, std::string& line) {
  if (!editing) {
    if (!quiet) out_text(kPrompt);
    return read_line(reader, line);
  }
  out_flush();
  if (!edit_line(quiet ? "" : kPrompt, line)) return ReadStatus::kEnd;
  if (line.size() > kMaxLineBytes) {
    line.clear();
    return ReadStatus::kTooLong;
  }
  remember_line(line);
  return ReadStatus::kLine;
}

}  // namespace

void start_loop_state(LoopState& state) {
  reset_defaults(state.rules);
  clear_results(state.table);
  state.runs.clear();
  state.run_settings = RunSettings{};
}

bool execute_line(LoopState& state, std::string_view line, bool quiet) {
  const std::string folded = upper_copy(line);
  WordStream stream{folded};
  const std::string_view word = read_word(stream);
  GameRules& rules = state.rules;

  switch (find_command(word)) {
    case CommandKind::kGame:
      line_end_unless(quiet);
      describe_game(rules, state.run_settings.part, state.run_settings.parts);
      out_line_end();
      break;
    case CommandKind::kDeck:
      line_end_unless(quiet);
      describe_deck(rules);
      out_line_end();
      break;
    case CommandKind::kDecks:
      set_count(rules, stream, quiet, set_decks, "Using ", " deck.", " decks.");
      break;
    case CommandKind::kHands:
      set_hands(rules, stream, quiet);
      break;
    case CommandKind::kHandSize:
      set_count(rules, stream, quiet, set_hand_size, "Hand size now ", " card.", " cards.");
      break;
    case CommandKind::kPlayers:
      set_count(rules, stream, quiet, set_players, "Using ", " players.", " players.");
      break;
    case CommandKind::kJokers:
      set_count(rules, stream, quiet, set_jokers, "Now using ", " joker.", " jokers.");
      break;
    case CommandKind::kWild:
      card_list(rules, CardListOperation::kWild, stream, quiet);
      break;
    case CommandKind::kAdd:
      card_list(rules, CardListOperation::kAdd, stream, quiet);
      break;
    case CommandKind::kRemove:
      card_list(rules, CardListOperation::kRemove, stream, quiet);
      break;
    case CommandKind::kReset:
      reset_defaults(rules);
      clear_results(state.table);
      state.runs.clear();
      reset_run_settings(state.run_settings);
      confirm(quiet, "Reset game to defaults and cleared counters.");
      break;
    case CommandKind::kClear:
      clear_results(state.table);
      state.runs.clear();
      confirm(quiet, "Counters cleared.");
      break;
    case CommandKind::kClearWilds:
      clear_wilds(rules);
      confirm(quiet, "Wildcards cleared.");
      break;
    case CommandKind::kClearAddRemove:
      if (clear_add_remove(rules))
        confirm(quiet, "Cards added or removed cleared.");
      else
        print_refusal(rules);
      break;
    case CommandKind::kGo:
      run(state, true, quiet);
      break;
    case CommandKind::kMore:
      run(state, false, quiet);
      break;
    case CommandKind::kStats:
      line_end_unless(quiet);
      print_stats(state.table);
      out_line_end();
      break;
    case CommandKind::kCounts:
      line_end_unless(quiet);
      print_counts(state.table);
      out_line_end();
      break;
    case CommandKind::kTest:
      if (state.skip_enumerations) break;
      line_end_unless(quiet);
      out_flush();
      if (!run_reference_games()) {
        end_session_if_not_interactive();
        out_line_end();
        break;
      }
      out_line_end();
      break;
    case CommandKind::kExact:
      if (state.skip_enumerations) break;
      run_exact(rules, quiet);
      break;
    case CommandKind::kSeed:
      seed_command(state.run_settings, stream, quiet);
      break;
    case CommandKind::kShard:
      shard_command(state.run_settings, stream, quiet);
      break;
    case CommandKind::kSave:
      save_command(state, line, quiet);
      break;
    case CommandKind::kLoad:
      load_command(state, line, quiet);
      break;
    case CommandKind::kQuit:
      return false;
    case CommandKind::kHelp:
      print_help();
      break;
    case CommandKind::kNone:
      break;
    case CommandKind::kUnsupported:
      // The word may hold any byte, NUL included, so it is written as bytes.
      out_text("Error: \"");
      out_text(word);
      out_text("\" is not a supported command.  Type help for a list.");
      out_line_end();
      break;
  }
  return true;
}

int command_loop(bool quiet, bool no_hint, const LoopInput& input) {
  LoopState state;
  start_loop_state(state);
  if (!quiet) greet(no_hint);
  LineReader reader;
  reader.before_wait = flush_output;
  reader.error_number = input.error_number;
  const bool editing = input.line_editing && line_editor_available();
  std::string line;
  for (;;) {
    switch (next_line(reader, editing, quiet, line)) {
      case ReadStatus::kLine:
        if (!execute_line(state, line, quiet)) return 0;
        break;
      case ReadStatus::kTooLong:
        out_printf("Error: line longer than %zu bytes ignored.\n", kMaxLineBytes);
        break;
      case ReadStatus::kEnd:
        return 0;
      case ReadStatus::kFailed:
        out_printf("Error: cannot read the commands (%s).\n", std::strerror(reader.error_number));
        out_flush();
        return 1;
    }
  }
}

}  // namespace orvix
