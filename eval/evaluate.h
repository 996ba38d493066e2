#pragma once
// Hand evaluators for 1 to 20 cards, wild cards and repeated cards included.
// Pure functions of the cards and the read-only eval_tables.

#include "card.h"

namespace orvix {

// The common entry type: the address of a hand's first card in, its value out.
using evaluate_hand = HandValue (*)(const CardCode* cards);

HandValue evaluate_1(const CardCode* cards);
HandValue evaluate_2(const CardCode* cards);
HandValue evaluate_3(const CardCode* cards);
HandValue evaluate_4(const CardCode* cards);
HandValue evaluate_5(const CardCode* cards);
HandValue evaluate_6(const CardCode* cards);
HandValue evaluate_7(const CardCode* cards);
HandValue evaluate_8(const CardCode* cards);
HandValue evaluate_9(const CardCode* cards);
HandValue evaluate_10(const CardCode* cards);
HandValue evaluate_11(const CardCode* cards);
HandValue evaluate_12(const CardCode* cards);
HandValue evaluate_13(const CardCode* cards);
HandValue evaluate_14(const CardCode* cards);
HandValue evaluate_15(const CardCode* cards);
HandValue evaluate_16(const CardCode* cards);
HandValue evaluate_17(const CardCode* cards);
HandValue evaluate_18(const CardCode* cards);
HandValue evaluate_19(const CardCode* cards);
HandValue evaluate_20(const CardCode* cards);

// Any count from 5 to 20.
HandValue evaluate_many(int count, const CardCode* cards);

// Best Flush in one suit, given its wild count (0, 1, 2+) and the suit's
// ranks held at least once, twice and three times.
HandValue flush_value(int wilds, unsigned at_least_1, unsigned at_least_2, unsigned at_least_3);

// The evaluator for a hand size: 1..4 small ones, 5..19 their own, else evaluate_20.
evaluate_hand select_evaluator(int hand_size);

}  // namespace orvix
