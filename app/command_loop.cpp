#include "app/command_loop.h"

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/banner.h"
#include "app/help.h"
#include "app/line_reader.h"
#include "platform/console.h"
#include "reference/exact_report.h"
#include "reference/reference_tests.h"
#include "rules/card_list.h"
#include "rules/describe.h"
#include "rules/word_stream.h"
#include "sim/lap_timer.h"
#include "sim/reports.h"
#include "sim/run_simulation.h"

namespace orvix {

namespace {

enum class Command {
  game, deck, decks, hands, hand_size, players, jokers, card_list, reset, clear, clear_wilds,
  clear_add_remove, go, more, stats, counts, test, exact, quit, help, none, unsupported,
};

struct CommandWord {
  const char* word;
  Command command;
};

// Matched whole against the upper-cased first word, in this order.
constexpr CommandWord kCommandTable[] = {
    {"GAME", Command::game},
    {"DECK", Command::deck},
    {"DECKS", Command::decks},
    {"HANDS", Command::hands},
    {"HANDSIZE", Command::hand_size},
    {"PLAYERS", Command::players},
    {"JOKERS", Command::jokers},
    {"WILD", Command::card_list},
    {"WILDS", Command::card_list},
    {"ADD", Command::card_list},
    {"ADDS", Command::card_list},
    {"REM", Command::card_list},
    {"REMS", Command::card_list},
    {"RESET", Command::reset},
    {"CLEAR", Command::clear},
    {"CLEARCOUNT", Command::clear},
    {"CLEARCOUNTS", Command::clear},
    {"CLEARWILD", Command::clear_wilds},
    {"CLEARWILDS", Command::clear_wilds},
    {"CLEARADDREM", Command::clear_add_remove},
    {"CLEARADDREMS", Command::clear_add_remove},
    {"GO", Command::go},
    {"MORE", Command::more},
    {"STATS", Command::stats},
    {"COUNTS", Command::counts},
    {"TEST", Command::test},
    {"EXACT", Command::exact},
    {"QUIT", Command::quit},
    {"Q", Command::quit},
    {"EXIT", Command::quit},
    {"HELP", Command::help},
    {"?", Command::help},
};

constexpr std::int64_t kMaxRunLength = 2147483647;

Command find_command(std::string_view word) {
  if (word.empty()) return Command::none;
  for (const CommandWord& entry : kCommandTable)
    if (word == entry.word) return entry.command;
  return Command::unsupported;
}

void print_refusal(const GameRules& rules) {
  if (rules.error_text != nullptr) out_text(rules.error_text);
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
  if (n > kMaxRunLength) {
    out_printf("Error: maximum number of hands for one simulation is %" PRId64 ".\n", kMaxRunLength);
    return;
  }
  if (!set_run_length(rules, n)) {
    print_refusal(rules);
    return;
  }
  if (quiet) return;
  out_printf("Run length %" PRId64 " hands.", n);
  out_line_end();
}

void card_list(GameRules& rules, std::string_view word, WordStream& stream, bool quiet) {
  if (at_end(stream)) {
    out_text("Error: no cards provided.\n");
    return;
  }
  const CardListResult result = apply_card_list(rules, word, stream);
  if (result.error) {
    out_text(result.text);
  } else if (result.text.empty()) {
    out_text("Error: no cards found after command.");
    out_line_end();
  } else if (!quiet) {
    out_text(result.text);
    out_line_end();
  }
}

void run(LoopState& state, bool clear_first, bool quiet) {
  line_end_unless(quiet);
  if (clear_first) clear_results(state.table);
  describe_game(state.rules);
  start_lap_timer();
  run_simulation(state.rules, state.table);
  report_lap_time();
  out_line_end();
  compute_percentages(state.table);
  print_stats(state.table);
  out_line_end();
}

void confirm(bool quiet, const char* text) {
  if (quiet) return;
  out_text(text);
  out_line_end();
}

void print_prompt() {
  out_text("orvix>");
  out_flush();
}

void greet(bool no_hint) {
  out_text(program_banner);
  if (!no_hint) {
    out_text("Right click on window title bar, properties, layout to change the size of this window.\n");
    out_text("Type \"help\" or \"?\" for a list of commands.\n");
  }
  out_line_end();
  print_prompt();
}

}  // namespace

void start_loop_state(LoopState& state) {
  reset_defaults(state.rules);
  clear_results(state.table);
}

bool execute_line(LoopState& state, std::string_view line, bool quiet) {
  const std::string folded = upper_copy(line);
  WordStream stream{folded};
  const std::string_view word = read_word(stream);
  GameRules& rules = state.rules;

  switch (find_command(word)) {
    case Command::game:
      line_end_unless(quiet);
      describe_game(rules);
      out_line_end();
      break;
    case Command::deck:
      line_end_unless(quiet);
      describe_deck(rules);
      out_line_end();
      break;
    case Command::decks:
      set_count(rules, stream, quiet, set_decks, "Using ", " deck.", " decks.");
      break;
    case Command::hands:
      set_hands(rules, stream, quiet);
      break;
    case Command::hand_size:
      set_count(rules, stream, quiet, set_hand_size, "Hand size now ", " card.", " cards.");
      break;
    case Command::players:
      set_count(rules, stream, quiet, set_players, "Using ", " players.", " players.");
      break;
    case Command::jokers:
      set_count(rules, stream, quiet, set_jokers, "Now using ", " joker.", " jokers.");
      break;
    case Command::card_list:
      card_list(rules, word, stream, quiet);
      break;
    case Command::reset:
      reset_defaults(rules);
      clear_results(state.table);
      confirm(quiet, "Reset game to defaults and cleared counters.");
      break;
    case Command::clear:
      clear_results(state.table);
      confirm(quiet, "Counters cleared.");
      break;
    case Command::clear_wilds:
      clear_wilds(rules);
      confirm(quiet, "Wildcards cleared.");
      break;
    case Command::clear_add_remove:
      if (clear_add_remove(rules))
        confirm(quiet, "Cards added or removed cleared.");
      else
        print_refusal(rules);
      break;
    case Command::go:
      run(state, true, quiet);
      break;
    case Command::more:
      run(state, false, quiet);
      break;
    case Command::stats:
      line_end_unless(quiet);
      print_stats(state.table);
      out_line_end();
      break;
    case Command::counts:
      line_end_unless(quiet);
      print_counts(state.table);
      out_line_end();
      break;
    case Command::test:
      line_end_unless(quiet);
      run_reference_tests();
      out_line_end();
      break;
    case Command::exact:
      run_exact(rules, quiet);
      break;
    case Command::quit:
      return false;
    case Command::help:
      print_help();
      break;
    case Command::none:
      break;
    case Command::unsupported:
      // The word may hold any byte, NUL included, so it is written as bytes.
      out_text("Error: \"");
      out_text(word);
      out_text("\" is not a supported command.  Type help for a list.");
      out_line_end();
      break;
  }
  return true;
}

void command_loop(bool quiet, bool no_hint) {
  LoopState state;
  start_loop_state(state);
  if (!quiet) greet(no_hint);
  std::string line;
  while (read_line(stdin, line)) {
    if (!execute_line(state, line, quiet)) return;
    if (!quiet) print_prompt();
  }
}

}  // namespace orvix
