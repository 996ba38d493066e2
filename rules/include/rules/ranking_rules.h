#pragma once
// The game's hand order as the ranking command, a saved game and the Python
// module name it: "standard", "shortdeck", the lowball orders "low" and
// "deuce", or an order of the ten categories.

#include <string_view>

#include <orvix/ranking.h>

#include "rules/game_rules.h"

namespace orvix {

// The refusal of an order that does not name each category exactly once.
inline constexpr const char kRankingOrderRefusal[] =
    "Error: ranking order needs each of the ten categories once: 5K SF 4K FH FL ST 3K 2P 1P "
    "HC.\n";
// The refusal of a word the ranking command does not know.
inline constexpr const char kRankingWordRefusal[] =
    "Error: ranking takes standard, shortdeck, low, deuce, frequency, or order and ten "
    "categories.\n";

// Sets the ranking from the words after the command, in any case:
// "standard", "shortdeck", "low", "deuce", or "order" and the categories as
// parse_ranking_order reads them ("order 5k sf 4k fl fh st 3k 2p 1p hc").
// Refuses (false, error_text kRankingOrderRefusal or kRankingWordRefusal)
// with the rules untouched otherwise; "frequency" is the caller's to count.
bool set_ranking(GameRules& rules, std::string_view words);

}  // namespace orvix
