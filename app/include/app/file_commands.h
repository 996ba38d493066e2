#pragma once
// The commands that write and read results as files: "save" and "load".

#include <string_view>

#include "app/command.h"

namespace orvix {

// "SAVE file": the counters, game and run records as JSON, or as CSV with
// error margins when the name ends in .csv (any case). Never the command
// input or the output file of this session.
void save_command(LoopState& state, CommandArgs& args);

// "LOAD file": adds the counters and run records of a JSON save.
void load_command(LoopState& state, CommandArgs& args);

// The file name of a "save" or "load" line: everything after the command
// word, without the blanks, tabs and CRs at either end.
// file_name_argument("  Save  My File.JSON \r") == "My File.JSON".
std::string_view file_name_argument(std::string_view line);

}  // namespace orvix
