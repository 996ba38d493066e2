#pragma once
// Seeding the dealing generator. A run is cut into blocks of kBlockDeals
// deals; block b of a run with seed S deals from its own stream, a fixed
// function of (S, b), so the deals of a run never depend on which worker
// plays which block, or when.

#include <cstdint>

#include "sim/random.h"
#include "sim/sim_worker.h"

namespace orvix {

// The step of the splitmix64 generator: 2^64 divided by the golden ratio,
// made odd.
inline constexpr std::uint64_t kGoldenGamma = 0x9E3779B97F4A7C15;

// The splitmix64 finaliser: a bijection on 64 bits that spreads every input
// bit over the whole word. splitmix64(0) == 0xE220A8397B1DCDAF.
std::uint64_t splitmix64(std::uint64_t value);

// Sets the generator for block `block` of the run with seed `run_seed`: its
// state and stream are splitmix64 outputs from a starting point mixed from
// both numbers.
void seed_block_stream(DealGenerator& generator, std::uint64_t run_seed, std::uint64_t block);

// seed_block_stream on the worker's generator; tests and benchmarks use it to
// deal a fixed stream.
void seed_worker(SimWorker& worker, std::uint64_t run_seed, std::uint64_t block);

}  // namespace orvix
