#pragma once
// What every command function is handed, and the table that finds it by its
// word. A command is one row of the table (command_table.cpp) and one
// function in the file named for its group (game_commands.cpp, ...).

#include <string_view>

#include "app/command_loop.h"
#include "rules/word_stream.h"

namespace orvix {

// One command line as its function sees it.
struct CommandArgs {
  WordStream words;        // the upper-cased line, read up to just after the command word
  std::string_view typed;  // the line as read, for arguments that keep their case (file names)
  bool quiet = false;      // no confirmations, no blank lines around tables
  bool end_loop = false;   // set by the commands that end the session
};

using CommandFunction = void (*)(LoopState& state, CommandArgs& args);

// The function of an upper-cased command word, or nullptr when no command
// has that word: find_command("WILDS") == wild_command, find_command("WILDZ") == nullptr.
CommandFunction find_command(std::string_view word);

}  // namespace orvix
