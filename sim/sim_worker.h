#pragma once
// One worker's private state for one run: deck, generator, hand positions,
// evaluator and counters. Touched by its own thread only while it plays.

#include <cstdint>
#include <vector>

#include "eval/card.h"
#include "eval/evaluate.h"
#include "rules/game_rules.h"

namespace orvix {

inline constexpr int kResultCells = kCategoryCount * kRankCount;  // [category][rank], category-major

struct SimWorker {
  std::uint64_t seed = 0;           // generator state (see next_random)
  std::uint64_t stream = 0;         // generator stream selector
  std::vector<CardCode> deck;       // deck_size cards; arrangement carries over between deals
  std::vector<std::int32_t> hands;  // first deck position of each player's hand
  std::vector<HandValue> values;    // each player's value in the current deal
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
