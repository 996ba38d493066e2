#include "game_rules.h"

namespace orvix {

// TODO(rules): placeholder bodies so the tree links.
void reset_defaults(GameRules& rules) { rules = GameRules{}; }
bool set_decks(GameRules&, int) { return false; }
bool set_players(GameRules&, int) { return false; }
bool set_hand_size(GameRules&, int) { return false; }
bool set_jokers(GameRules&, int) { return false; }
bool set_run_length(GameRules&, std::int64_t) { return false; }
bool remove_card(GameRules&, int, int) { return false; }
bool remove_rank(GameRules&, int) { return false; }
bool remove_suit(GameRules&, int) { return false; }
void add_card(GameRules&, int, int) {}
void add_rank(GameRules&, int) {}
void add_suit(GameRules&, int) {}
void set_wild_card(GameRules&, int, int) {}
void set_wild_rank(GameRules&, int) {}
void set_wild_suit(GameRules&, int) {}
void clear_wilds(GameRules&) {}
bool clear_add_remove(GameRules&) { return false; }
int cards_available(const GameRules&) { return 52; }
bool has_negative_card(const GameRules&) { return false; }

}  // namespace orvix
