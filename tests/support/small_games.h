#pragma once
// Small games whose every deal can be walked card by card: a pack of a few
// physical cards (two copies of As are two cards), seats, a board, a use rule
// and held cards, with the rules that deal them and the brute-force value of
// any set of their cards. Header-only: the tests that use it link the rules.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include <orvix/evaluate.h>
#include "rules/game_rules.h"
#include "support/brute_force.h"
#include "support/ranked_brute_force.h"

namespace orvix::test {

inline constexpr int kSmallGameSeats = 3;  // the most players of a small game

// `decks` copies of each kind kept (every other kind removed), one more copy
// of each added card, the jokers, and every suit of wild_rank wild (-1: none).
struct SmallPack {
  int decks;
  const char* kinds;
  const char* added;
  int jokers;
  int wild_rank;
};

// Players of hand_size own cards each, a board and its use rule.
struct Seating {
  int players, hand_size, board, use;
};

struct SmallGame {
  const char* name;
  SmallPack pack;
  Seating seating;
  const char* holds[kSmallGameSeats];
  const char* board_hold;
};

// The card kinds of a text ("As * Kd"), kJokerKind for a wild card.
inline std::vector<int> kinds_of(const char* text) {
  std::vector<int> kinds;
  if (text == nullptr || *text == '\0') return kinds;
  for (const CardCode card : hand(text))
    kinds.push_back(is_wild(card) ? kJokerKind
                                  : card_rank_index(card) * kSuitCount + card_suit_index(card));
  return kinds;
}

inline HeldCards held(const char* text) {
  HeldCards cards;
  for (const int kind : kinds_of(text))
    cards.kinds[cards.count++] = static_cast<std::uint8_t>(kind);
  return cards;
}

// The rules that deal the game, filled in directly (no refusal checks).
inline GameRules small_game_rules(const SmallGame& game,
                                  const Ranking& ranking = standard_ranking()) {
  GameRules rules;
  rules.ranking = ranking;
  rules.decks = game.pack.decks;
  for (auto& row : rules.card_delta)
    for (auto& delta : row) delta = -game.pack.decks;
  for (const int kind : kinds_of(game.pack.kinds))
    rules.card_delta[kind / kSuitCount][kind % kSuitCount] = 0;
  for (const int kind : kinds_of(game.pack.added))
    ++rules.card_delta[kind / kSuitCount][kind % kSuitCount];
  rules.jokers = game.pack.jokers;
  if (game.pack.wild_rank >= 0)
    for (auto& wild : rules.wild[game.pack.wild_rank]) wild = 1;
  rules.players = game.seating.players;
  rules.hand_size = game.seating.hand_size;
  rules.board = game.seating.board;
  rules.use = game.seating.use;
  for (int s = 0; s < game.seating.players; ++s) rules.holds[s] = held(game.holds[s]);
  rules.board_hold = held(game.board_hold);
  return rules;
}

// The orders the small games are dealt under: standard, short deck, a
// scrambled one (Two Pair highest, High Card above One Pair), and both
// lowball orders.
inline std::vector<Ranking> small_game_rankings() {
  Ranking scrambled = standard_ranking();
  EXPECT_TRUE(parse_ranking_order("2P 5K HC FL SF 1P ST 4K 3K FH", scrambled));
  return {standard_ranking(), shortdeck_ranking(), scrambled, low_ranking(), deuce_ranking()};
}

// Each game of a table under each of those orders.
struct RankedSmallGame {
  const SmallGame& game;
  Ranking ranking;
};
template <std::size_t N>
std::vector<RankedSmallGame> under_each_ranking(const SmallGame (&games)[N]) {
  std::vector<RankedSmallGame> all;
  for (const Ranking& ranking : small_game_rankings())
    for (const SmallGame& game : games) all.push_back({game, ranking});
  return all;
}

// Calls visit(chosen) for every set of `count` cards of the mask `free`.
template <class Visit>
void for_each_subset(std::uint32_t free, int count, std::uint32_t chosen, const Visit& visit) {
  if (count == 0) return visit(chosen);
  while (std::popcount(free) >= count) {
    const std::uint32_t card = free & (0u - free);
    free ^= card;
    for_each_subset(free, count - 1, chosen | card, visit);
  }
}

// The game's physical cards, one bit of a mask each; every hold has taken one
// free copy of each of its kinds. Hands are valued under `ranking`.
class SmallGameCards {
 public:
  explicit SmallGameCards(const SmallGame& game, const Ranking& ranking = standard_ranking())
      : game_(game), ranking_(ranking), standard_(ranking == standard_ranking()) {
    auto add = [&](int kind, int copies) {
      for (int c = 0; c < copies; ++c, kinds_.push_back(kind))
        cards_.push_back(kind == kJokerKind ? kJoker
                                            : make_card(kind / kSuitCount, kind % kSuitCount,
                                                        kind / kSuitCount == game.pack.wild_rank));
    };
    for (const int kind : kinds_of(game.pack.kinds)) add(kind, game.pack.decks);
    for (const int kind : kinds_of(game.pack.added)) add(kind, 1);
    add(kJokerKind, game.pack.jokers);
    values_.assign(std::size_t{1} << cards_.size(), 0);
    free_ = (1u << cards_.size()) - 1;
    for (int s = 0; s < game.seating.players; ++s) held_[s] = take(game.holds[s]);
    board_held_ = take(game.board_hold);
  }

  int physical_cards() const { return static_cast<int>(cards_.size()); }
  std::uint32_t free() const { return free_; }  // the cards no hold takes
  std::uint32_t seat_held(int seat) const { return held_[seat]; }
  std::uint32_t board_held() const { return board_held_; }

  // The brute-force value of the cards of a mask, remembered.
  HandValue value(std::uint32_t mask) {
    HandValue& value = values_[mask];
    if (value == 0) {
      CardCode hand[kMaxHandSize];
      int count = 0;
      for (std::uint32_t m = mask; m != 0; m &= m - 1) hand[count++] = cards_[std::countr_zero(m)];
      value = standard_ ? brute_force_value(hand, count)
                        : ranked_brute_force_value(hand, count, ranking_);
    }
    return value;
  }

  // The cell (category and top rank) a value of these cards is filed under.
  int cell(HandValue value) const {
    return hand_category(value, ranking_) * kRankCount + top_rank(value, ranking_);
  }

  // A seat's final hand: all its cards and the board's, or the best five of
  // exactly `use` own cards and 5 - use board cards.
  HandValue seat_value(std::uint32_t own, std::uint32_t board) {
    const Seating& seating = game_.seating;
    if (seating.board == 0 || seating.use == kUseAny) return value(own | board);
    HandValue best = 0;
    for_each_subset(own, seating.use, 0, [&](std::uint32_t own_part) {
      for_each_subset(board, kMaxUse - seating.use, 0, [&](std::uint32_t board_part) {
        best = std::max(best, value(own_part | board_part));
      });
    });
    return best;
  }

 private:
  // One free copy of each card of the text, taken out of the free cards.
  std::uint32_t take(const char* text) {
    std::uint32_t mask = 0;
    for (const int kind : kinds_of(text)) {
      int i = 0;
      while (i < physical_cards() && !((free_ >> i & 1) != 0 && kinds_[i] == kind)) ++i;
      if (i == physical_cards()) {
        ADD_FAILURE() << "the pack holds no more of a held card";
        continue;
      }
      free_ &= ~(1u << i);
      mask |= 1u << i;
    }
    return mask;
  }

  const SmallGame& game_;
  const Ranking ranking_;
  const bool standard_;
  std::vector<CardCode> cards_;
  std::vector<int> kinds_;         // each card's kind, kJokerKind for a joker
  std::vector<HandValue> values_;  // by mask of cards; 0 until valued
  std::uint32_t free_ = 0;
  std::uint32_t held_[kSmallGameSeats] = {}, board_held_ = 0;
};

}  // namespace orvix::test
