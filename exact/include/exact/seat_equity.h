#pragma once
// Exact equity of every seat: every deal of the cards nobody holds, each deal
// being the set of physical cards the board and each seat receive (two Aces
// of spades from two decks are two cards), counted once.
//
// A hand's value depends only on its card codes, and every wild card
// evaluates alike, so the walk deals multisets of codes (52 natural codes and
// one wild code) and weights each by the physical deals it stands for: giving
// c of the n free copies of a code to a recipient counts C(n, c) ways.
// The board is dealt first, then seat 1, seat 2, ...; per deal each seat's
// hand is valued under the use rule and the seats holding the best value win
// (k of them: each a tie among k winners). A seat is valued as soon as its
// cards and the board's are all dealt, so a held seat once per board.

#include <atomic>
#include <cstdint>
#include <string>

#include "exact/exact_engine.h"
#include "rules/game_rules.h"

namespace orvix {

// More evaluations (deals times seats) than this and equity refuses.
inline constexpr std::uint64_t kEquityEvaluationLimit = 10000000000;

// Every deal of the unknown cards of the rules: the product over the board
// and the seats, in that order, of C(cards still free, cards it receives).
// Needs deal_fits_pack(rules).
BigCount equity_deals(const GameRules& rules);

// Why equity refuses the rules, as printed ("Error: ...\n"), or empty: the
// use rule's refusal of a game that cannot be played, then more than
// kEquityEvaluationLimit evaluations (deals times seats).
std::string equity_refusal(const GameRules& rules);

// Per seat: by_winners[0] deals lost, by_winners[1] won alone, by_winners[k]
// tied for the best hand among k winners. Every seat's row adds up to deals.
// The refusal bounds deals by kEquityEvaluationLimit, so 64 bits hold them.
struct SeatEquity {
  std::int32_t players = 0;
  std::uint64_t deals = 0;
  std::uint64_t by_winners[kMaxPlayers][kMaxPlayers + 1] = {};
  std::uint64_t evaluated = 0;  // hands actually valued
  bool stopped = false;         // the work gave up; the counts are partial
};

struct EquityOptions {
  int workers = 1;                            // 1 runs on the calling thread
  bool watch_stop = false;                    // give up when stop_requested() turns true
  const std::atomic<bool>* cancel = nullptr;  // give up when *cancel turns true
  ProgressLine* progress = nullptr;           // gets deals as they are covered
};

// Counts every deal of the rules. Needs deal_fits_pack(rules) and an empty
// equity_refusal(rules). With one player nothing is dealt: it wins every deal.
SeatEquity count_seat_equity(const GameRules& rules, const EquityOptions& options);

// The hands of exact with a board or held cards: seat 1's final hand (its own
// cards and the board's under the use rule) in every deal of seat 1's and the
// board's unknown cards, every other seat's held cards out of the pack.
// seat_one_deals counts those deals; seat_one_refusal is the use rule's
// refusal, then "Error: exact would evaluate N hands (limit 10000000000); use
// go to simulate.\n" past kEquityEvaluationLimit deals; count_seat_one_hands
// files every deal by seat 1's category and top rank (no distinct values).
BigCount seat_one_deals(const GameRules& rules);
std::string seat_one_refusal(const GameRules& rules);
ExactTable count_seat_one_hands(const GameRules& rules, const EquityOptions& options);

// A seat's equity as a fraction of one deal: (sum over k of by_winners[k] / k) / deals,
// 0 without deals.
double seat_equity_fraction(const SeatEquity& equity, int seat);

}  // namespace orvix
