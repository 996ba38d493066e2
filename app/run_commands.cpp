#include "app/run_commands.h"

#include <cinttypes>
#include <limits>
#include <string>

#include "platform/console.h"
#include "platform/files.h"
#include "platform/progress_line.h"
#include "platform/stop_request.h"
#include "platform/tick_count.h"
#include "sim/run_simulation.h"
#include "sim/save_file.h"

namespace orvix {

namespace {

bool is_white(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// The next white-space separated token after the read position; the stream
// moves past it. Unlike read_word it keeps the token as bytes, NULs and all.
std::string_view next_token(WordStream& stream) {
  while (stream.pos < stream.text.size() && is_white(stream.text[stream.pos])) ++stream.pos;
  const std::size_t start = stream.pos;
  while (stream.pos < stream.text.size() && !is_white(stream.text[stream.pos])) ++stream.pos;
  return stream.text.substr(start, stream.pos - start);
}

// Decimal digits only, at most max_digits of them, value at most `limit`.
bool parse_unsigned(std::string_view text, std::size_t max_digits, std::uint64_t limit, std::uint64_t& value) {
  if (text.empty() || text.size() > max_digits) return false;
  std::uint64_t result = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (result > (limit - digit) / 10) return false;
    result = result * 10 + digit;
  }
  value = result;
  return true;
}

void confirm_line(bool quiet, const std::string& text) {
  if (quiet) return;
  out_text(text);
  out_line_end();
}

bool ends_with_csv(std::string_view name) {
  if (name.size() < 4) return false;
  const std::string tail = upper_copy(name.substr(name.size() - 4));
  return tail == ".CSV";
}

// The file name of the line, or an empty view after printing the refusal.
bool take_file_name(std::string_view line, std::string& name) {
  const std::string_view raw = file_name_argument(line);
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

void refuse_load(const std::string& name, const std::string& reason) {
  out_text("Error: " + name + " is not a valid orvix save (" + reason + ").\n");
}

}  // namespace

bool parse_seed(std::string_view text, std::uint64_t& value) {
  return parse_unsigned(text, 20, std::numeric_limits<std::uint64_t>::max(), value);
}

std::string_view file_name_argument(std::string_view line) {
  WordStream stream{line};
  next_token(stream);  // the command word
  std::string_view rest = line.substr(stream.pos);
  const auto trimmed = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!rest.empty() && trimmed(rest.front())) rest.remove_prefix(1);
  while (!rest.empty() && trimmed(rest.back())) rest.remove_suffix(1);
  return rest;
}

void seed_command(RunSettings& settings, WordStream& stream, bool quiet) {
  const std::string_view token = next_token(stream);
  if (token.empty()) {
    if (settings.has_last_seed)
      out_printf("Last run used seed %" PRIu64 ".", settings.last_seed);
    else
      out_text("No run yet.");
    out_line_end();
    return;
  }
  if (token == "RANDOM") {
    use_fresh_seeds(settings);
    confirm_line(quiet, "Fresh seed for every run.");
    return;
  }
  std::uint64_t seed = 0;
  if (!parse_seed(token, seed)) {
    out_text("Error: seed must be a number from 0 to 18446744073709551615, or random.\n");
    return;
  }
  fix_seed(settings, seed);
  confirm_line(quiet, "Seed " + std::to_string(seed) + " for the following runs.");
}

void shard_command(RunSettings& settings, WordStream& stream, bool quiet) {
  constexpr std::uint64_t kMax32 = std::numeric_limits<std::uint32_t>::max();
  std::uint64_t part = 0;
  std::uint64_t parts = 0;
  if (!parse_unsigned(next_token(stream), 10, kMax32, part) ||
      !parse_unsigned(next_token(stream), 10, kMax32, parts) || part < 1 || part > parts) {
    out_text("Error: shard needs two numbers i and n with 1 <= i <= n.\n");
    return;
  }
  settings.part = static_cast<std::uint32_t>(part);
  settings.parts = static_cast<std::uint32_t>(parts);
  confirm_line(quiet, "Playing part " + std::to_string(part) + " of " + std::to_string(parts) + " of each run.");
}

void save_command(const LoopState& state, std::string_view line, bool quiet) {
  std::string name;
  if (!take_file_name(line, name)) return;
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
  const std::string bytes =
      ends_with_csv(name) ? save_csv_text(state.table) : save_json_text(state.table, state.runs);
  std::string reason;
  if (!replace_file(name, bytes, reason)) {
    refuse_write(name, reason);
    return;
  }
  confirm_line(quiet, "Saved " + name + ".");
}

void load_command(LoopState& state, std::string_view line, bool quiet) {
  std::string name;
  if (!take_file_name(line, name)) return;
  std::string bytes;
  std::string reason;
  if (!read_whole_file(name, kMaxSaveBytes, bytes, reason)) {
    refuse_load(name, reason);
    return;
  }
  SavedResults saved;
  if (!parse_save(bytes, saved, reason)) {
    refuse_load(name, reason);
    return;
  }
  if (!add_saved_counts(state.table, saved.table)) {
    refuse_load(name, "adding its counts would overflow the counters");
    return;
  }
  compute_percentages(state.table);  // the sums and shares follow the new counts
  state.runs.insert(state.runs.end(), saved.runs.begin(), saved.runs.end());
  confirm_line(quiet, "Loaded " + std::to_string(counted_player_hands(saved.table)) + " hands from " + name + ".");
}

RunOutcome play_recorded_run(LoopState& state) {
  const RunSettings& settings = state.run_settings;
  RunRequest request;
  request.seed = take_run_seed(state.run_settings);
  request.part = settings.part;
  request.parts = settings.parts;
  const std::uint64_t before = counted_player_hands(state.table);
  GameRules rules = state.rules;
  if (state.run_length_cap > 0 && rules.run_length > state.run_length_cap)
    rules.run_length = static_cast<std::int32_t>(state.run_length_cap);
  const std::uint32_t start = tick_count();
  RunOutcome outcome;
  {
    StopWindow window;
    ProgressScope progress(static_cast<std::uint64_t>(part_deals(rules.run_length, request.part,
                                                                 request.parts)),
                           "hands");
    RunOptions options;
    options.watch_stop = true;
    options.progress = &progress.line;
    outcome = run_simulation_with(rules, request, state.table, options);
  }
  const double seconds = static_cast<double>(tick_count() - start) * 0.001;
  state.runs.push_back(make_run_record(rules, request.seed, settings.part, settings.parts,
                                       counted_player_hands(state.table) - before, seconds));
  return outcome;
}

}  // namespace orvix
