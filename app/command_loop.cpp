#include "app/command_loop.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/banner.h"
#include "app/command.h"
#include "app/line_reader.h"
#include "platform/console.h"
#include "platform/line_editor.h"
#include "rules/word_stream.h"
#include "sim/result_table.h"

namespace orvix {

namespace {

constexpr const char* kPrompt = "orvix>";

void greet(bool no_hint) {
  out_text(program_banner);
  if (!no_hint) {
    out_text(
        "Right click on window title bar, properties, layout to change the size of this window.\n");
    out_text("Type \"help\" or \"?\" for a list of commands.\n");
  }
  out_line_end();
}

void flush_output() { out_flush(); }

// The next command line, after the prompt unless quiet. The line editor shows
// the prompt itself, so that it can redraw it.
ReadStatus next_line(LineReader& reader, bool editing, bool quiet, std::string& line) {
  if (!editing) {
    if (!quiet) out_text(kPrompt);
    return read_line(reader, line);
  }
  out_flush();
  if (!edit_line(quiet ? "" : kPrompt, line)) return ReadStatus::kEnd;
  if (line.size() > kMaxLineBytes) {
    line.clear();
    return ReadStatus::kTooLong;
  }
  remember_line(line);
  return ReadStatus::kLine;
}

}  // namespace

void start_loop_state(LoopState& state) {
  reset_defaults(state.rules);
  clear_results(state.table);
  state.runs.clear();
  state.run_settings = RunSettings{};
}

bool execute_line(LoopState& state, std::string_view line, bool quiet) {
  const std::string folded = upper_copy(line);
  CommandArgs args{WordStream{folded}, line, quiet};
  const std::string_view word = read_word(args.words);
  if (word.empty()) return true;
  const CommandFunction command = find_command(word);
  if (command == nullptr) {
    // The word may hold any byte, NUL included, so it is written as bytes.
    out_text("Error: \"");
    out_text(word);
    out_text("\" is not a supported command.  Type help for a list.");
    out_line_end();
    return true;
  }
  command(state, args);
  return !args.end_loop;
}

int command_loop(bool quiet, bool no_hint, const LoopInput& input) {
  LoopState state;
  start_loop_state(state);
  if (!quiet) greet(no_hint);
  LineReader reader;
  reader.before_wait = flush_output;
  reader.error_number = input.error_number;
  const bool editing = input.line_editing && line_editor_available();
  std::string line;
  for (;;) {
    switch (next_line(reader, editing, quiet, line)) {
      case ReadStatus::kLine:
        if (!execute_line(state, line, quiet)) return 0;
        break;
      case ReadStatus::kTooLong:
        out_printf("Error: line longer than %zu bytes ignored.\n", kMaxLineBytes);
        break;
      case ReadStatus::kEnd:
        return 0;
      case ReadStatus::kFailed:
        out_printf("Error: cannot read the commands (%s).\n", std::strerror(reader.error_number));
        out_flush();
        return 1;
    }
  }
}

}  // namespace orvix
