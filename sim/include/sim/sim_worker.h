#pragma once
// One worker's private state for one run: deck, generator, hand positions,
// evaluator and counters. Touched by its own thread only while it plays.

#include <cstdint>

#include <orvix/card.h>
#include <orvix/evaluate.h>
#include <orvix/ranking.h>
#include "rules/game_rules.h"
#include "sim/cache_line_allocator.h"
#include "sim/random.h"
#include "sim/seat_results.h"
#include "sim/shuffle.h"

namespace orvix {

// Workers write their decks and counters on every deal; giving each worker's
// memory whole cache lines keeps one worker's writes from stalling another's.
template <class T>
using WorkerArray = CacheLineVector<T>;

// How a worker deals and values its hands (chosen by configure_worker):
enum class DealPath : std::uint8_t {
  // No board and no held cards: every hand straight from the deck.
  kPlain,
  // Best of own and board cards, 5 or 7 in all: the board's count words are
  // summed once per deal and each hand adds its own.
  kSharedBoard,
  // Use K with at most 64 ways to pick each side's cards (Omaha among
  // them): the board's shares of a five-card hand are listed once per deal
  // and each hand pairs its own with them.
  kBoardShares,
  // Every other game: each hand is gathered (own cards, and the board under
  // the use rule) and valued whole.
  kAssembled,
  // Any game under an order other than the standard one: gathered as
  // kAssembled, valued by the ranked evaluator, filed by the ranked readers.
  kRanked,
};

// The cards of one deal, in table order: seat p's hand_size cards at
// p * hand_size (its held cards first), then the board's cards (held first).
// sources[k] is the deck position of table card k: the random cards take the
// deck's dealt positions 0, 1, 2, ... in table order, the held cards sit past
// deck_size, where the shuffle never reaches. Without held cards the table is
// the deck itself and sources stays empty.
// A seat's hands of one call of play_deals: lost and won (or tied) hands by
// cell, at 2 * cell and 2 * cell + 1.
inline constexpr int kSeatCells = 2 * kResultCells;

struct alignas(kCacheLine) SimWorker {
  // The generator of the block being played (see seed_block_stream).
  DealGenerator generator;
  WorkerArray<CardCode> deck;         // deck_size undealt cards, then the held cards; carries over
  WorkerArray<CardCode> layout;       // the freshly laid-out deck every block starts from
  WorkerArray<std::int32_t> hands;    // first table position of each player's hand
  WorkerArray<std::int32_t> sources;  // deck position of each table card (with held cards)
  WorkerArray<CardCode> table;        // the deal's table gathered from the deck (with held cards)
  WorkerArray<CardCode> hand;         // one player's own cards, then the board
  WorkerArray<HandValue> values;      // each player's value in the current deal
  std::int32_t deck_size = 0;         // cards the shuffle deals from
  std::int32_t players = 0;
  std::int32_t hand_size = 0;
  std::int32_t board = 0;
  std::int32_t use = kUseAny;
  std::int32_t dealt_cards = 0;  // random cards of a deal: the shuffled positions
  std::int32_t trials = 0;       // deals this worker plays; set by the run
  DealPath path = DealPath::kPlain;
  evaluate_hand evaluate = nullptr;  // a whole hand's evaluator (own and board, use any)
  // The order the kRanked path values hands by.
  Ranking ranking = standard_ranking();
  std::int64_t deals_played = 0;  // deals of whole blocks played in this run
  std::uint64_t win_counts[kResultCells] = {};
  std::uint64_t loss_counts[kResultCells] = {};
  SeatResults seats;  // the game's seat counts of the deals played
  // Each seat's hands of the call being played, kSeatCells a seat: one
  // increment a hand, added to the counts above when the call ends.
  WorkerArray<std::uint64_t> hand_cells;
};

// Sizes the worker for the game, lays out its deck and names the game of its
// seat counts; leaves the generator, the trials and the counters alone. Needs
// deal_fits_pack(rules), a board the pack can deal, held cards the pack holds
// and hands the use rule can value.
void configure_worker(SimWorker& worker, const GameRules& rules);

// The worker's pack and dealt positions, for shuffle_positions.
inline ShuffleShape shuffle_shape(const SimWorker& worker) {
  return {static_cast<std::uint32_t>(worker.deck_size),
          static_cast<std::uint32_t>(worker.dealt_cards)};
}

}  // namespace orvix
