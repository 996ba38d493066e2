#pragma once
// The words of a hand order, as the ranking command and the game show it.

#include <string>

#include <orvix/ranking.h>

namespace orvix {

// The categories highest first, separated by ", ", without a full stop:
// "Five of a Kind, Straight Flush, Four of a Kind, ..., High Card".
std::string ranking_order_text(const Ranking& ranking);

}  // namespace orvix
