#include "rules/presets.h"

#include <array>
#include <cassert>
#include <cstddef>
#include <string>

#include "rules/ascii.h"

namespace orvix {

namespace {

constexpr std::size_t kPresetCount = std::size(kPresets);

// The rank index of the Six, the lowest rank a short deck keeps.
constexpr int kSixRank = 4;

// The row of a preset's name, exactly as listed; kPresetCount for none.
std::size_t preset_row(std::string_view name) {
  std::size_t row = 0;
  while (row < kPresetCount && kPresets[row].name != name) ++row;
  return row;
}

// "Error: Not enough cards to deal preset NAME.\n" for every listed preset,
// made once: error_text keeps only a pointer to a text that outlives it.
const char* short_pack_refusal(const Preset& preset) {
  static const std::array<std::string, kPresetCount> texts = [] {
    std::array<std::string, kPresetCount> made;
    for (std::size_t row = 0; row < kPresetCount; ++row)
      made[row] =
          "Error: Not enough cards to deal preset " + std::string(kPresets[row].name) + ".\n";
    return made;
  }();
  const std::size_t row = preset_row(preset.name);
  assert(row < kPresetCount && "a preset record keeps a listed name");
  return row < kPresetCount ? texts[row].c_str() : "Error: Not enough cards to deal that preset.\n";
}

}  // namespace

const Preset* find_preset(std::string_view name) {
  for (const Preset& preset : kPresets) {
    bool same = preset.name.size() == name.size();
    for (std::size_t i = 0; same && i < name.size(); ++i)
      same = ascii_upper(name[i]) == ascii_upper(preset.name[i]);
    if (same) return &preset;
  }
  return nullptr;
}

std::string unknown_preset_refusal(std::string_view name) {
  return "Error: No preset " + std::string(name) + "; type preset for the list.\n";
}

std::string preset_sentence(const Preset& preset) {
  std::string text =
      std::to_string(preset.hand_size) + (preset.hand_size == 1 ? " card each, " : " cards each, ");
  if (preset.board == 0) return text + "no board.";
  text += "a board of " + std::to_string(preset.board) + ", ";
  text += preset.use == kUseAny ? "any own cards used"
                                : "exactly " + std::to_string(preset.use) + " own cards used";
  if (preset.pack == PresetPack::kNoTwosToFives) text += ", Twos to Fives removed";
  if (preset.ranking == PresetRanking::kShortdeck) text += ", short-deck ranking";
  return text + ".";
}

bool apply_preset(GameRules& rules, const Preset& preset) {
  GameRules game = rules;
  game.hand_size = preset.hand_size;
  game.board = preset.board;
  game.use = preset.board == 0 ? kUseAny : preset.use;
  clear_holds(game);
  if (preset.pack == PresetPack::kNoTwosToFives)
    for (int rank = 0; rank < kRankCount; ++rank)
      for (int suit = 0; suit < kSuitCount; ++suit)
        game.card_delta[rank][suit] = rank < kSixRank ? -game.decks : 0;
  if (preset.ranking == PresetRanking::kShortdeck) game.ranking = shortdeck_ranking();
  if (preset.hand_size >= kMinHandSize && preset.board >= 0 &&
      preset.hand_size + preset.board > kMaxHandSize) {
    rules.error_text.text = kHandAndBoardTooLarge;
    return false;
  }
  if (!deal_fits_pack(game)) {
    rules.error_text.text = short_pack_refusal(preset);
    return false;
  }
  rules = game;
  return true;
}

}  // namespace orvix
