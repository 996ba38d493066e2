#include "app/seed_commands.h"

#include <cinttypes>
#include <cstdint>
#include <limits>
#include <string>

#include "command_output.h"
#include "sim/run_settings.h"

namespace orvix {

namespace {

void show_seeds(const RunSettings& settings) {
  if (settings.has_last_seed)
    out_printf("Last run used seed %" PRIu64 ".", settings.last_seed);
  else
    out_text("No run yet.");
  out_line_end();
  if (settings.fixed_seed && settings.seeded_runs == 0) {
    out_printf("Next run uses seed %" PRIu64 ".", settings.seed_base);
    out_line_end();
  }
}

}  // namespace

void seed_command(LoopState& state, CommandArgs& args) {
  RunSettings& settings = state.run_settings;
  const std::string_view word = read_word(args.words);
  if (word.empty()) {
    show_seeds(settings);
    return;
  }
  if (word == "RANDOM") {
    use_fresh_seeds(settings);
    confirm(args, "Fresh seed for every run.");
    return;
  }
  std::uint64_t seed = 0;
  if (!parse_digits(word, 20, std::numeric_limits<std::uint64_t>::max(), seed)) {
    out_text("Error: seed must be a number from 0 to 18446744073709551615, or random.\n");
    return;
  }
  fix_seed(settings, seed);
  confirm(args, "Seed " + std::to_string(seed) + " for the following runs.");
}

void part_command(LoopState& state, CommandArgs& args) {
  constexpr std::uint64_t kMax32 = std::numeric_limits<std::uint32_t>::max();
  std::uint64_t part = 0;
  std::uint64_t parts = 0;
  if (!read_digits(args.words, 10, kMax32, part) || !read_digits(args.words, 10, kMax32, parts) ||
      part < 1 || part > parts) {
    out_text("Error: shard needs two numbers i and n with 1 <= i <= n.\n");
    return;
  }
  state.run_settings.part = static_cast<std::uint32_t>(part);
  state.run_settings.parts = static_cast<std::uint32_t>(parts);
  confirm(args, "Playing part " + std::to_string(part) + " of " + std::to_string(parts) +
                    " of each run.");
}

}  // namespace orvix
