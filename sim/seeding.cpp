#include "sim/seeding.h"

#include <chrono>
#include <random>

#include "sim/random.h"

namespace orvix {

namespace {

constexpr std::uint64_t kLow63 = (std::uint64_t{1} << 63) - 1;
constexpr int kWorkerBits = 24;

// Drawn once, at the first run, so two processes started in the same
// millisecond still deal differently.
std::uint64_t process_key() {
  static const std::uint64_t key = [] {
    std::uint64_t drawn = 0;
    try {
      std::random_device device;
      drawn = std::uint64_t{device()} << 32 ^ device();
    } catch (...) {
      // No entropy source: the high-resolution clock still varies per process.
    }
    const auto clock = static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    return splitmix64(drawn ^ splitmix64(clock));
  }();
  return key;
}

// splitmix64's rounds on 63 bits: each xor-shift and each odd multiply
// modulo 2^63 is invertible, so distinct inputs stay distinct.
std::uint64_t mix63(std::uint64_t value) {
  value &= kLow63;
  value ^= value >> 30;
  value = value * 0xBF58476D1CE4E5B9ULL & kLow63;
  value ^= value >> 27;
  value = value * 0x94D049BB133111EBULL & kLow63;
  value ^= value >> 31;
  return value;
}

}  // namespace

std::uint64_t splitmix64(std::uint64_t value) {
  value += 0x9E3779B97F4A7C15ULL;
  value = (value ^ value >> 30) * 0xBF58476D1CE4E5B9ULL;
  value = (value ^ value >> 27) * 0x94D049BB133111EBULL;
  return value ^ value >> 31;
}

void seed_worker(SimWorker& worker, std::uint64_t seed, std::uint64_t stream) {
  worker.generator_increment = stream << 1 | 1;
  worker.generator_state = 0;
  pcg_next(worker.generator_state, worker.generator_increment);
  worker.generator_state += seed;
  pcg_next(worker.generator_state, worker.generator_increment);
}

std::uint64_t worker_stream(std::uint64_t process_key, std::uint64_t run_number, int worker_index) {
  const std::uint64_t pair = run_number << kWorkerBits |
                             (static_cast<std::uint64_t>(worker_index) & ((1u << kWorkerBits) - 1));
  return mix63(pair ^ process_key);
}

void seed_run_worker(SimWorker& worker, std::uint32_t tick, std::uint64_t run_number,
                     int worker_index) {
  const std::uint64_t key = process_key();
  const std::uint64_t seed =
      splitmix64(key ^ splitmix64(tick ^ splitmix64(run_number ^ splitmix64(
                                             static_cast<std::uint64_t>(worker_index)))));
  seed_worker(worker, seed, worker_stream(key, run_number, worker_index));
}

std::uint64_t next_run_number() {
  static std::uint64_t runs = 0;
  return ++runs;
}

}  // namespace orvix
