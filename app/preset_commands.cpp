#include "app/preset_commands.h"

#include <string>
#include <string_view>

#include "command_output.h"
#include "rules/presets.h"

namespace orvix {

namespace {

// text without the white space at either end.
std::string_view trimmed(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

// One line per preset: "holdem    : 2 cards each, a board of 5, any own cards used."
void print_preset_list() {
  for (const Preset& preset : kPresets) {
    const std::string name(preset.name);
    out_printf("%-10s: ", name.c_str());
    out_text(preset_sentence(preset));
    out_line_end();
  }
}

}  // namespace

void preset_command(LoopState& state, CommandArgs& args) {
  const std::string_view name = trimmed(args.typed.substr(args.words.pos));
  if (name.empty()) {
    print_preset_list();
    return;
  }
  const Preset* preset = find_preset(name);
  if (preset == nullptr) {
    out_text(unknown_preset_refusal(name));
    return;
  }
  if (!apply_preset(state.rules, *preset)) {
    print_refusal(state.rules);
    return;
  }
  confirm(args, "Preset " + std::string(preset->name) + ": " + preset_sentence(*preset));
}

}  // namespace orvix
