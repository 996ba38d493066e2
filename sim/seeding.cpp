#include "sim/seeding.h"

namespace orvix {

std::uint64_t splitmix64(std::uint64_t value) {
  value += kGoldenGamma;
  value = (value ^ value >> 30) * 0xBF58476D1CE4E5B9ULL;
  value = (value ^ value >> 27) * 0x94D049BB133111EBULL;
  return value ^ value >> 31;
}

void seed_block_stream(DealGenerator& generator, std::uint64_t run_seed, std::uint64_t block) {
  // Mixed twice, so neighbouring blocks start from unrelated points of the
  // splitmix64 sequence and never share its outputs.
  const std::uint64_t start = splitmix64(splitmix64(run_seed) ^ splitmix64(~block));
  // Each block gets its own PCG32 stream (odd increment) and starting state.
  generator.increment = splitmix64(start + kGoldenGamma) | 1;
  generator.state = splitmix64(start);
}

void seed_worker(SimWorker& worker, std::uint64_t run_seed, std::uint64_t block) {
  seed_block_stream(worker.generator, run_seed, block);
}

}  // namespace orvix
