#pragma once
// The few ways every command ends its output, shared by the command files.

#include <string_view>

#include "app/command.h"
#include "platform/console.h"
#include "rules/game_rules.h"

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

}  // namespace orvix
