#pragma once
// One worker's private state for one run: deck, generator, hand positions,
// evaluator and counters. Touched by its own thread only while it plays.

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

#include <orvix/card.h>
#include <orvix/evaluate.h>
#include "rules/game_rules.h"

namespace orvix {

inline constexpr int kResultCells = kCategoryCount * kRankCount;  // [category][rank], category-major

// Workers write their decks and counters on every deal; giving each worker's
// memory whole cache lines keeps one worker's writes from stalling another's.
inline constexpr std::size_t kCacheLine = 64;

template <class T>
struct CacheLineAllocator {
  using value_type = T;
  CacheLineAllocator() = default;
  template <class U>
  constexpr CacheLineAllocator(const CacheLineAllocator<U>&) noexcept {}
  T* allocate(std::size_t count) {
    const std::size_t bytes = (count * sizeof(T) + kCacheLine - 1) / kCacheLine * kCacheLine;
    return static_cast<T*>(::operator new(bytes, std::align_val_t{kCacheLine}));
  }
  void deallocate(T* pointer, std::size_t) noexcept {
    ::operator delete(pointer, std::align_val_t{kCacheLine});
  }
  template <class U>
  bool operator==(const CacheLineAllocator<U>&) const noexcept { return true; }
};

template <class T>
using WorkerArray = std::vector<T, CacheLineAllocator<T>>;

struct alignas(kCacheLine) SimWorker {
  // PCG32 generator: state, and the stream's odd increment. Workers of a run,
  // and runs of a process, get distinct increments, hence distinct streams.
  std::uint64_t seed = 0;
  std::uint64_t stream = 1;
  WorkerArray<CardCode> deck;        // deck_size cards; arrangement carries over between deals
  WorkerArray<std::int32_t> hands;   // first deck position of each player's hand
  WorkerArray<HandValue> values;     // each player's value in the current deal
  std::int32_t deck_size = 0;
  std::int32_t players = 0;
  std::int32_t hand_size = 0;
  std::int32_t dealt_cards = 0;
  std::int32_t trials = 0;
  evaluate_hand evaluate = nullptr;
  std::uint64_t win_counts[kResultCells] = {};
  std::uint64_t loss_counts[kResultCells] = {};
};

// Sizes the worker for the game and lays out its deck; leaves seed and counters alone.
void configure_worker(SimWorker& worker, const GameRules& rules);

}  // namespace orvix
