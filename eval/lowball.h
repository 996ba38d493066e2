#pragma once
// The evaluator under the lowball rankings (ace-to-five and deuce-to-seven).
// Internal to the evaluator.

#include <orvix/ranking.h>

namespace orvix {

// Any hand of 1 to 20 cards under a lowball ranking, without tables.
HandValue lowball_value(const CardCode* cards, int count, const Ranking& ranking);

// evaluate(cards, count, ranking) for a lowball ranking: five and seven
// cards through the ranking's tables when it has them.
HandValue evaluate_lowball(const CardCode* cards, int count, const Ranking& ranking);

}  // namespace orvix
