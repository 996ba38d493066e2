#include "sim/seeding.h"

namespace orvix {

std::uint64_t splitmix64(std::uint64_t value) {
  value += 0x9E3779B97F4A7C15ULL;
  value = (value ^ value >> 30) * 0xBF58476D1CE4E5B9ULL;
  value = (value ^ value >> 27) * 0x94D049BB133111EBULL;
  return value ^ value >> 31;
}

void seed_block_stream(LaneGenerator& generator, std::uint64_t run_seed, std::uint64_t block) {
  constexpr std::uint64_t kGamma = 0x9E3779B97F4A7C15ULL;
  // Mixed twice, so neighbouring blocks start from unrelated points of the
  // splitmix64 sequence and never share its outputs.
  const std::uint64_t start = splitmix64(splitmix64(run_seed) ^ splitmix64(~block));
  LaneVector* const words[4] = {generator.s0, generator.s1, generator.s2, generator.s3};
  for (int l = 0; l < kLanes; ++l) {
    for (int w = 0; w < 4; w += 2) {
      const auto k = static_cast<std::uint64_t>(l * 2 + w / 2);
      const std::uint64_t value = splitmix64(start + k * kGamma);
      set_lane_word(words[w], l, static_cast<std::uint32_t>(value));
      set_lane_word(words[w + 1], l, static_cast<std::uint32_t>(value >> 32));
    }
    // xoshiro128** never leaves the all-zero state; 2^-128 odds, but sound.
    if ((lane_word(words[0], l) | lane_word(words[1], l) | lane_word(words[2], l) | lane_word(words[3], l)) == 0)
      set_lane_word(words[0], l, 1);
  }
}

void seed_worker(SimWorker& worker, std::uint64_t run_seed, std::uint64_t block) {
  seed_block_stream(worker.generator, run_seed, block);
}

}  // namespace orvix
