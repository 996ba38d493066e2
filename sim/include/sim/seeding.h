#pragma once
// Seeding the workers' generators.
//
// Every worker of a run gets its own PCG stream (increment), derived without
// collision from the process's run number and the worker index; the state is
// mixed from the tick count, a random value drawn once per process, the run
// number and the worker index. So no two workers of a run, and no two runs of
// a process, share or overlap a stream, however long they play.

#include <cstdint>

#include "sim/sim_worker.h"

namespace orvix {

// PCG32's seeding: stream selects the increment ((stream << 1) | 1), seed the
// starting point. Fixed arguments give a reproducible worker.
void seed_worker(SimWorker& worker, std::uint64_t seed, std::uint64_t stream);

// The splitmix64 finaliser: a bijection on 64 bits that spreads every input
// bit over the whole word.
std::uint64_t splitmix64(std::uint64_t value);

// The stream selector of worker `worker_index` in run `run_number`, unique
// for every pair with worker_index < 2^24 and run_number < 2^39: a 63-bit
// bijection of the pair, keyed by process_key.
std::uint64_t worker_stream(std::uint64_t process_key, std::uint64_t run_number, int worker_index);

// Seeds worker worker_index for run run_number from the given tick count and
// this process's random value.
void seed_run_worker(SimWorker& worker, std::uint32_t tick, std::uint64_t run_number,
                     int worker_index);

// Numbers the runs of this process 1, 2, 3, ... (main thread only).
std::uint64_t next_run_number();

}  // namespace orvix
