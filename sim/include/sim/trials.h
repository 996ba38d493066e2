#pragma once
// The trial loop: the deals of one worker.

#include <cstdint>

#include <orvix/evaluate.h>
#include "sim/sim_worker.h"

namespace orvix {

// The counting cell of a value, category * kRankCount + top_rank(value),
// computed without a branch: both candidate ranks are formed first, so the
// choice between two ready values compiles to one conditional move (a branch
// on the category would be taken at random, and a mask costs three more
// instructions a hand). result_cell(0x408003E0) == kStraight * kRankCount + 9.
constexpr int result_cell(HandValue value) {
  const int category = hand_category(value);
  const int flush_rank = static_cast<int>(value >> kFlushTopShift & kNibbleMask);
  const int major_rank =
      31 ^ std::countl_zero(static_cast<std::uint32_t>(value >> kMajorShift & kRankBitsMask) | 1u);
  return category * kRankCount + (category == kFlush ? flush_rank : major_rank);
}

// Plays `deals` deals from the worker's current deck and generator, adding
// every hand to the worker's win or loss counts (ties with the best hand
// count as wins) and every seat to its seat counts (count_seat_deal). The
// worker must have been configured for a game that fits its pack (see
// configure_worker).
void play_deals(SimWorker& worker, std::int64_t deals);

// Plays the worker's trials deals (play_deals).
void run_trials(SimWorker& worker);

// Plays block `block` of the run with seed run_seed: the pack laid out
// afresh, the block's own stream, `deals` deals.
void play_block(SimWorker& worker, std::uint64_t run_seed, std::uint64_t block, std::int64_t deals);

}  // namespace orvix
