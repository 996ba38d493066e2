#pragma once
// The words of a hand order, as the ranking command and the game show it.

#include <string>

#include <orvix/ranking.h>

namespace orvix {

// The categories highest first, separated by ", ", without a full stop:
// "Five of a Kind, Straight Flush, Four of a Kind, ..., High Card".
std::string ranking_order_text(const Ranking& ranking);

// The line `ranking` and `game` show, without its line end: "Ranking: " and
// the order with a full stop, or for lowball what wins, as
// "Ranking: deuce-to-seven lowball (lowest hand wins)."
std::string ranking_line(const Ranking& ranking);

}  // namespace orvix
