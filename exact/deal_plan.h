#pragma once
// The layout of an exact walk over a game's deals (internal to exact/): the
// free copies of each card code once every hold is set aside, the held
// cards, the order in which the board and the seats receive cards, the suit
// renamings that leave the game as it is, and the seats dealt by rank.

#include <cstdint>

#include <orvix/card.h>
#include <orvix/evaluate.h>
#include <orvix/ranking.h>
#include "exact/exact_engine.h"
#include "rules/game_rules.h"

namespace orvix::deal_plan {

__extension__ typedef unsigned __int128 Wide;

// The codes a deal hands out: the 52 natural kinds (rank * 4 + suit) and one
// code for every wild card, jokers included.
inline constexpr int kWildCode = kCardKinds;
inline constexpr int kCodes = kCardKinds + 1;

// The cards of one suit a hand needs for a flush.
inline constexpr int kFlushCards = 5;

// A recipient is the board (recipient 0) or seat s (recipient s + 1).
inline constexpr int kRecipients = kMaxPlayers + 1;

inline int code_of(CardCode card) {
  return is_wild(card) ? kWildCode : card_rank_index(card) * kSuitCount + card_suit_index(card);
}

// C(n, k) exactly, any size.
BigCount choose_big(std::int64_t n, int k);

// C(n, k) for the walk. Every factor it takes belongs to a deal, so it is at
// most the deal count, which the refusal keeps far below 2^64; Wide keeps
// the running products of the loop exact.
std::uint64_t choose_small(std::int64_t n, int k);

// The game laid out for the walk: free copies per code, each recipient's held
// cards, and the recipients that receive cards, in dealing order.
struct DealPlan {
  int players = 0;
  int hand_size = 0;
  int board = 0;
  int use = kUseAny;
  Ranking ranking = standard_ranking();
  bool ranked = false;  // an order other than the standard one: the ranked evaluator
  std::int64_t free[kCodes] = {};
  CardCode card[kCodes] = {};
  int held_count[kRecipients] = {};
  CardCode held[kRecipients][kMaxHandSize] = {};
  int levels = 0;  // recipients that receive cards
  int level_recipient[kRecipients] = {};
  int level_need[kRecipients] = {};
  std::uint64_t deals_after_first = 1;  // deals of every level after the first
  // Use any over 5 or 7 cards of own and board: the board's count words are
  // summed once per board and each seat's added (the evaluator's table path).
  bool shared_words = false;
  // The renamings of suits that leave the free pack and every hold as they
  // are (the identity first): a first-level choice and its renamings lead to
  // equal outcomes, so only the least of them is dealt on, weighted by how
  // many there are. suit_map[g][suit] is suit renamed by the g-th renaming.
  bool tally = false;  // file seat 1's values by cell (the only seat dealt)
  // The pooled levels: from pooled_from on (never the first level; none when
  // it is levels), every
  // card is dealt by rank in the suits that cannot make those seats a flush.
  // They are the seats holding no cards (group_size of them, interchangeable:
  // dealt as hands in ascending order, each order counted, their outcomes
  // summed in one total), or else the last seat alone (group_size 0).
  int pooled_from = 0;
  int group_size = 0;
  bool in_group[kMaxPlayers] = {};
  int renamings = 1;
  std::uint8_t suit_map[24][kSuitCount] = {};
};

// The walk of the board and seats 1..dealt_seats; the cards every later seat
// holds are only out of the pack. tally files seat 1's values by cell
// instead of counting winners.
DealPlan make_deal_plan(const GameRules& rules, int dealt_seats, bool tally);

// Every deal of the board's and seats 1..dealt_seats' unknown cards, every
// hold out of the pack.
BigCount deals_of(const GameRules& rules, int dealt_seats);

}  // namespace orvix::deal_plan
