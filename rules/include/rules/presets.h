#pragma once
// Named games: a hand size, a board and a use rule set in one step. A preset
// sets only what its record names and clears the holds; the pack, the players
// and the wild cards stay as they are.

#include <cstdint>
#include <string>
#include <string_view>

#include <orvix/evaluate.h>

#include "rules/game_rules.h"

namespace orvix {

// The pack a preset deals from: the game's own, or every deck without its
// Twos to Fives (the added and removed cards replaced by exactly those).
enum class PresetPack : std::uint8_t { kKeep, kNoTwosToFives };

// The ranking a preset plays by: the game's own, or short deck's.
enum class PresetRanking : std::uint8_t { kKeep, kShortdeck };

// One named game. A field a later kind of preset needs goes here with a
// default that leaves the game's own value alone.
struct Preset {
  std::string_view name;  // lower case: listed and confirmed so, matched in any case
  std::int32_t hand_size = 5;
  std::int32_t board = 0;      // 0: no board
  std::int32_t use = kUseAny;  // with a board: kUseAny, or exactly this many own cards
  PresetPack pack = PresetPack::kKeep;
  PresetRanking ranking = PresetRanking::kKeep;
};

// Every preset, in the order the list shows them.
inline constexpr Preset kPresets[] = {
    {.name = "holdem", .hand_size = 2, .board = 5, .use = kUseAny},
    {.name = "omaha", .hand_size = 4, .board = 5, .use = 2},
    {.name = "omaha5", .hand_size = 5, .board = 5, .use = 2},
    {.name = "pineapple", .hand_size = 3, .board = 5, .use = kUseAny},
    {.name = "stud", .hand_size = 7},
    {.name = "draw", .hand_size = 5},
    {.name = "shortdeck",
     .hand_size = 2,
     .board = 5,
     .use = kUseAny,
     .pack = PresetPack::kNoTwosToFives,
     .ranking = PresetRanking::kShortdeck},
};

// The preset of a name in any case, or nullptr: find_preset("Omaha") names
// the omaha row, find_preset("omaha6") is nullptr.
const Preset* find_preset(std::string_view name);

// The refusal of a name no preset has, the name as given:
//   unknown_preset_refusal("Razz") == "Error: No preset Razz; type preset for the list.\n"
std::string unknown_preset_refusal(std::string_view name);

// What a preset deals, as the list and the confirmation say it:
//   "2 cards each, a board of 5, any own cards used."
//   "4 cards each, a board of 5, exactly 2 own cards used."
//   "7 cards each, no board."
//   "2 cards each, a board of 5, any own cards used, Twos to Fives removed, short-deck ranking."
std::string preset_sentence(const Preset& preset);

// Sets the preset's hand size, board and use rule (any without a board), its
// pack and ranking where it names them, and clears every hold, checking the
// game that makes as a whole first: a hand and board of more than 20 cards,
// or a deal the pack cannot serve ("Error: Not enough cards to deal preset
// stud.\n"), is refused with the rules untouched but error_text. The record may be a listed preset
// with its numbers changed; refusals name it by its name.
bool apply_preset(GameRules& rules, const Preset& preset);

}  // namespace orvix
