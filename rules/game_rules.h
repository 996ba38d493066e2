#pragma once
// The game the next run will play, with its limits. Every change that could
// leave the pack unable to deal every player a complete hand is validated;
// a refused change leaves every field but error_text as it was.

#include <cstdint>

#include <orvix/card.h>

namespace orvix {

struct GameRules {
  const char* error_text = nullptr;  // reason of the last refusal; ends in '\n'
  std::int32_t decks = 1;            // 1..50 standard decks
  std::int32_t players = 5;          // 1..50
  std::int32_t hand_size = 5;        // 1..20
  std::int32_t jokers = 0;           // 0..100, always wild
  std::uint8_t wild[kRankCount][kSuitCount] = {};         // 1 = every copy of that kind is wild
  std::int32_t card_delta[kRankCount][kSuitCount] = {};   // copies added (+) or removed (-)
  std::int32_t run_length = 5000000;                      // deals per run, 1..2147483647
};

void reset_defaults(GameRules& rules);

bool set_decks(GameRules& rules, int count);
bool set_players(GameRules& rules, int count);
bool set_hand_size(GameRules& rules, int count);
bool set_jokers(GameRules& rules, int count);
bool set_run_length(GameRules& rules, std::int64_t count);

bool remove_card(GameRules& rules, int rank, int suit);
bool remove_rank(GameRules& rules, int rank);
bool remove_suit(GameRules& rules, int suit);

void add_card(GameRules& rules, int rank, int suit);
void add_rank(GameRules& rules, int rank);
void add_suit(GameRules& rules, int suit);

void set_wild_card(GameRules& rules, int rank, int suit);
void set_wild_rank(GameRules& rules, int rank);
void set_wild_suit(GameRules& rules, int suit);
void clear_wilds(GameRules& rules);

// Drops every added and removed card. Refused (false, error_text set) when the
// plain pack could then no longer deal every player a complete hand.
bool clear_add_remove(GameRules& rules);

// Pack size: the positive copies of every kind plus the jokers.
int cards_available(const GameRules& rules);
bool has_negative_card(const GameRules& rules);

}  // namespace orvix
