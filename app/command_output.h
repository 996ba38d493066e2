#pragma once
// The few ways every command ends its output, shared by the command files.

#include <string>
#include <string_view>
#include <vector>

#include "app/command.h"
#include "platform/console.h"
#include "rules/game_rules.h"
#include "sim/seat_report.h"

namespace orvix {

// The confirmation line of a command that worked; nothing when quiet.
inline void confirm(const CommandArgs& args, std::string_view text) {
  if (args.quiet) return;
  out_text(text);
  out_line_end();
}

// The blank line before a table or description; quiet mode leaves it out.
inline void blank_line_unless_quiet(const CommandArgs& args) {
  if (!args.quiet) out_line_end();
}

// The refusal text a rules operation left (it ends in its own line end).
inline void print_refusal(const GameRules& rules) {
  if (rules.error_text.text != nullptr) out_text(rules.error_text.text);
}

// The seats table of the seat results, each row with the cards that seat
// holds in the game they count.
inline void print_seat_table(const SeatResults& seats) {
  std::vector<std::string> holds;
  for (int s = 0; s < seats.game.players; ++s)
    holds.push_back(held_cards_text(seats.game.holds[s]));
  print_seat_results(seats, holds);
}

}  // namespace orvix
