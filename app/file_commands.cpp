#include "app/file_commands.h"

#include <cstdint>
#include <string>

#include "command_output.h"
#include "platform/files.h"
#include "platform/stop_request.h"
#include "sim/result_table.h"
#include "sim/run_record.h"
#include "sim/save_file.h"

namespace orvix {

namespace {

bool ends_with_csv(std::string_view name) {
  if (name.size() < 4) return false;
  const std::string tail = upper_copy(name.substr(name.size() - 4));
  return tail == ".CSV";
}

// The file name of the line, or false after printing the refusal. A name
// between double quotes is the text between them.
bool take_file_name(std::string_view line, std::string& name) {
  std::string_view raw = file_name_argument(line);
  if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"')
    raw = raw.substr(1, raw.size() - 2);
  if (raw.empty() || raw.find('\0') != std::string_view::npos) {
    out_text("Error: a file name is needed.\n");
    return false;
  }
  name.assign(raw);
  return true;
}

void refuse_write(const std::string& name, const std::string& reason) {
  out_text("Error: cannot write " + name + " (" + reason + ").\n");
}

void refuse_read(const std::string& name, const std::string& reason) {
  out_text("Error: cannot read " + name + " (" + reason + ").\n");
}

void refuse_load(const std::string& name, const std::string& reason) {
  out_text("Error: " + name + " is not a valid orvix save (" + reason + ").\n");
}

// The deals the runs played: what the user reads as "hands".
std::uint64_t deals_of(const RunRecords& runs) {
  std::uint64_t deals = 0;
  for (const RunRecord& run : runs) deals += run.deals;
  return deals;
}

// The first run of `saved` that the table already counts (same seed, part
// and game), or nullptr.
const RunRecord* counted_already(const RunRecords& table_runs, const RunRecords& saved) {
  for (const RunRecord& run : saved)
    for (const RunRecord& have : table_runs)
      if (have.seed == run.seed && have.part == run.part && have.parts == run.parts &&
          have.game == run.game)
        return &run;
  return nullptr;
}

void load_file(LoopState& state, const CommandArgs& args, const std::string& name) {
  std::string bytes;
  std::string reason;
  switch (read_whole_file(name, kMaxSaveBytes, bytes, reason)) {
    case FileRead::kRead:
      break;
    case FileRead::kUnreadable:
      refuse_read(name, reason);
      return;
    case FileRead::kRefused:
      refuse_load(name, reason);
      return;
  }
  SavedResults saved;
  if (!parse_save(bytes, saved, reason)) {
    refuse_load(name, reason);
    return;
  }
  if (const RunRecord* again = counted_already(state.runs, saved.runs)) {
    out_text("Error: " + name + " holds a run already counted (seed " +
             std::to_string(again->seed) + ", part " + std::to_string(again->part) + " of " +
             std::to_string(again->parts) + "); nothing loaded.\n");
    return;
  }
  // Seat results add up only within one game: the file's join the current
  // game's, restarting those of another game the table still holds.
  const SeatResults& saved_seats = saved.table.seats;
  const bool has_seats = saved_seats.deals > 0;
  const bool same_game = has_seats && same_deal_rules(saved_seats.game, state.rules);
  const bool restart = same_game && state.table.seats.deals > 0 &&
                       !same_deal_rules(state.table.seats.game, state.rules);
  SeatResults seats = restart ? SeatResults{} : state.table.seats;
  ResultTable table = state.table;
  if ((same_game && !add_seat_results(seats, saved_seats)) ||
      !add_saved_counts(table, saved.table)) {
    refuse_load(name, "adding its counts would overflow the counters");
    return;
  }
  if (restart) out_text("Note: seat results restart (the game changed).\n");
  if (has_seats && !same_game)
    out_text("Note: seat results of " + name + " not added (another game).\n");
  table.seats = seats;
  state.table = table;
  compute_percentages(state.table);  // the sums and shares follow the new counts
  state.runs.insert(state.runs.end(), saved.runs.begin(), saved.runs.end());
  confirm(args, "Loaded " + std::to_string(deals_of(saved.runs)) + " hands from " + name + ".");
}

}  // namespace

std::string_view file_name_argument(std::string_view line) {
  WordStream words{line};
  read_word(words);  // the command word
  std::string_view rest = line.substr(words.pos);
  const auto trimmed = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!rest.empty() && trimmed(rest.front())) rest.remove_prefix(1);
  while (!rest.empty() && trimmed(rest.back())) rest.remove_suffix(1);
  return rest;
}

void save_command(LoopState& state, CommandArgs& args) {
  std::string name;
  if (!take_file_name(args.typed, name)) return;
  // Replacing the command file or the output file would pull it from under
  // this very session.
  switch (standard_stream_file(name)) {
    case StandardStream::kInput:
      refuse_write(name, "it is the command input file");
      return;
    case StandardStream::kOutput:
      refuse_write(name, "it is the output file");
      return;
    case StandardStream::kNone:
      break;
  }
  // Ctrl-C waits for the file to be complete (or untouched), then ends a
  // session that reads its commands from a file or a pipe.
  bool written = false;
  std::string reason;
  {
    StopWindow window;
    const std::string bytes =
        ends_with_csv(name) ? save_csv_text(state.table) : save_json_text(state.table, state.runs);
    // A file that load would refuse is no save at all: nothing is written.
    if (!ends_with_csv(name) && bytes.size() > kMaxSaveBytes)
      reason = "larger than the load limit of " + std::to_string(kMaxSaveMiB) + " MiB";
    else
      written = replace_file(name, bytes, reason);
  }
  if (written)
    confirm(args, "Saved " + name + ".");
  else
    refuse_write(name, reason);
  if (stop_requested()) end_session_if_not_interactive();
}

void load_command(LoopState& state, CommandArgs& args) {
  std::string name;
  if (!take_file_name(args.typed, name)) return;
  {
    StopWindow window;  // Ctrl-C lets the file load whole, or not at all
    load_file(state, args, name);
  }
  if (stop_requested()) end_session_if_not_interactive();
}

}  // namespace orvix
