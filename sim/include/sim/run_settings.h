#pragma once
// The session's settings for the runs to come: where their seeds come from
// and which part of each run is played.

#include <cstdint>

namespace orvix {

// Names the way a seed turns into deals. Raise it whenever the deals a given
// seed produces change, so a saved file says which dealing made its counts.
inline constexpr std::uint32_t kDealingVersion = 3;

struct RunSettings {
  bool fixed_seed = false;        // "seed S" given: runs follow the sequence from S
  std::uint64_t seed_base = 0;    // S
  std::uint64_t seeded_runs = 0;  // runs taken from the sequence since "seed S"
  std::uint32_t part = 1;         // this process plays part `part` of `parts`
  std::uint32_t parts = 1;
  bool has_last_seed = false;  // some run has been given a seed
  std::uint64_t last_seed = 0;
};

// "seed S": the next run uses S, the ones after it the sequence from S.
void fix_seed(RunSettings& settings, std::uint64_t seed);

// "seed random": every run draws a fresh seed from the operating system.
void use_fresh_seeds(RunSettings& settings);

// Value k (k = 0, 1, 2, ...) of the seed sequence from S: S itself for k = 0,
// then output k of the splitmix64 generator started at state S. A fixed
// function of S and k, the same on every machine:
//   seed_sequence_value(0, 1) == 0xE220A8397B1DCDAF.
std::uint64_t seed_sequence_value(std::uint64_t base, std::uint64_t k);

// The seed for the run that starts now: the next sequence value after "seed S",
// else 64 bits from the operating system. Remembers it as the last seed.
// Call exactly once per run.
std::uint64_t take_run_seed(RunSettings& settings);

}  // namespace orvix
