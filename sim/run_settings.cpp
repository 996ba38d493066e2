#include "sim/run_settings.h"

#include "platform/os_random.h"
#include "sim/seeding.h"

namespace orvix {

void fix_seed(RunSettings& settings, std::uint64_t seed) {
  settings.fixed_seed = true;
  settings.seed_base = seed;
  settings.seeded_runs = 0;
}

void use_fresh_seeds(RunSettings& settings) {
  settings.fixed_seed = false;
  settings.seed_base = 0;
  settings.seeded_runs = 0;
}

std::uint64_t seed_sequence_value(std::uint64_t base, std::uint64_t k) {
  // splitmix64() takes one step of the generator's state and mixes it, so
  // output k is splitmix64 of the state after k - 1 steps.
  return k == 0 ? base : splitmix64(base + (k - 1) * kGoldenGamma);
}

std::uint64_t take_run_seed(RunSettings& settings) {
  std::uint64_t seed = 0;
  if (settings.fixed_seed)
    seed = seed_sequence_value(settings.seed_base, settings.seeded_runs++);
  else
    seed = os_random_u64();
  settings.has_last_seed = true;
  settings.last_seed = seed;
  return seed;
}

}  // namespace orvix
