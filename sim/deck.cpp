#include "deck.h"

namespace orvix {

// TODO(sim): placeholder bodies.
void build_deck(const GameRules&, CardCode*) {}
std::uint32_t next_random(SimWorker&) { return 0; }
void shuffle_deal(SimWorker&) {}

}  // namespace orvix
