#pragma once
// One worker's private state for one run: deck, generator, hand positions,
// evaluator and counters. Touched by its own thread only while it plays.

#include <cstdint>

#include <orvix/card.h>
#include <orvix/evaluate.h>
#include "rules/game_rules.h"
#include "sim/cache_line_allocator.h"
#include "sim/random.h"
#include "sim/shuffle.h"

namespace orvix {

// Workers write their decks and counters on every deal; giving each worker's
// memory whole cache lines keeps one worker's writes from stalling another's.
template <class T>
using WorkerArray = CacheLineVector<T>;

struct alignas(kCacheLine) SimWorker {
  // The generator of the block being played (see seed_block_stream).
  DealGenerator generator;
  WorkerArray<CardCode> deck;       // deck_size cards; arrangement carries over between deals
  WorkerArray<CardCode> layout;     // the freshly laid-out pack every block starts from
  WorkerArray<std::int32_t> hands;  // first deck position of each player's hand
  WorkerArray<HandValue> values;    // each player's value in the current deal
  std::int32_t deck_size = 0;
  std::int32_t players = 0;
  std::int32_t hand_size = 0;
  std::int32_t dealt_cards = 0;
  std::int32_t trials = 0;           // deals this worker plays; set by the run
  evaluate_hand evaluate = nullptr;  // five and seven cards: the loop inlines the same evaluator
  std::int64_t deals_played = 0;     // deals of whole blocks played in this run
  std::uint64_t win_counts[kResultCells] = {};
  std::uint64_t loss_counts[kResultCells] = {};
};

// Sizes the worker for the game and lays out its deck; leaves the generator,
// the trials and the counters alone. Needs deal_fits_pack(rules).
void configure_worker(SimWorker& worker, const GameRules& rules);

// The worker's pack and dealt positions, for shuffle_positions.
inline ShuffleShape shuffle_shape(const SimWorker& worker) {
  return {static_cast<std::uint32_t>(worker.deck_size),
          static_cast<std::uint32_t>(worker.dealt_cards)};
}

}  // namespace orvix
