#pragma once
// The commands that describe and change the game: "game", "deck", "decks",
// "hands", "handsize", "players", "jokers", "wild", "add", "rem", "reset",
// "clearwild", "clearaddrem". A refused change prints the rules' own refusal
// text and leaves the game as it was.

#include "app/command.h"

namespace orvix {

void game_command(LoopState& state, CommandArgs& args);
void deck_command(LoopState& state, CommandArgs& args);

// "DECKS n", "HANDS n", "HANDSIZE n", "PLAYERS n", "JOKERS n": a number
// missing or too wide reads 0, which the rules then refuse.
void decks_command(LoopState& state, CommandArgs& args);
void hands_command(LoopState& state, CommandArgs& args);
void hand_size_command(LoopState& state, CommandArgs& args);
void players_command(LoopState& state, CommandArgs& args);
void jokers_command(LoopState& state, CommandArgs& args);

// "WILD cards", "ADD cards", "REM cards" (rules/card_list.h).
void wild_command(LoopState& state, CommandArgs& args);
void add_command(LoopState& state, CommandArgs& args);
void remove_command(LoopState& state, CommandArgs& args);

// "RESET": the default game, empty counters and run records, fresh seeds and
// the whole run (the last run's seed is remembered).
void reset_command(LoopState& state, CommandArgs& args);

void clear_wilds_command(LoopState& state, CommandArgs& args);
void clear_add_remove_command(LoopState& state, CommandArgs& args);

}  // namespace orvix
