#include "app/command.h"

#include "app/board_commands.h"
#include "app/enumeration_commands.h"
#include "app/file_commands.h"
#include "app/game_commands.h"
#include "app/hand_commands.h"
#include "app/preset_commands.h"
#include "app/ranking_commands.h"
#include "app/run_commands.h"
#include "app/seed_commands.h"
#include "app/session_commands.h"
#include "app/table_commands.h"

namespace orvix {

namespace {

struct CommandRow {
  const char* words[3];  // the upper-cased word and its other spellings; unused ones are null
  CommandFunction run;
};

// Each word is matched whole against the upper-cased first word of a line.
constexpr CommandRow kCommandTable[] = {
    {{"GAME"}, game_command},
    {{"DECK"}, deck_command},
    {{"DECKS"}, decks_command},
    {{"HANDS"}, hands_command},
    {{"HANDSIZE"}, hand_size_command},
    {{"PLAYERS"}, players_command},
    {{"JOKERS"}, jokers_command},
    {{"WILD", "WILDS"}, wild_command},
    {{"ADD", "ADDS"}, add_command},
    {{"REM", "REMS"}, remove_command},
    {{"RESET"}, reset_command},
    {{"CLEAR", "CLEARCOUNT", "CLEARCOUNTS"}, clear_command},
    {{"CLEARWILD", "CLEARWILDS"}, clear_wilds_command},
    {{"CLEARADDREM", "CLEARADDREMS"}, clear_add_remove_command},
    {{"GO"}, go_command},
    {{"MORE"}, more_command},
    {{"STATS"}, stats_command},
    {{"COUNTS"}, counts_command},
    {{"TEST"}, test_command},
    {{"EXACT"}, exact_command},
    {{"SEED"}, seed_command},
    {{"SHARD"}, part_command},
    {{"SAVE"}, save_command},
    {{"LOAD"}, load_command},
    {{"BOARD"}, board_command},
    {{"USE"}, use_command},
    {{"HOLD"}, hold_command},
    {{"SEATS"}, seats_command},
    {{"EQUITY"}, equity_command},
    {{"HAND"}, hand_command},
    {{"PRESET"}, preset_command},
    {{"RANKING"}, ranking_command},
    {{"QUIT", "Q", "EXIT"}, quit_command},
    {{"HELP", "?"}, help_command},
};

}  // namespace

CommandFunction find_command(std::string_view word) {
  for (const CommandRow& row : kCommandTable)
    for (const char* spelling : row.words)
      if (spelling != nullptr && word == spelling) return row.run;
  return nullptr;
}

}  // namespace orvix
