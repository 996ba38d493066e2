#pragma once
// The evaluators behind select_evaluator, for in-tree code that calls one
// size directly (the exact enumerations, tests, benchmarks), and the Flush
// builder. Internal to the evaluator; not installed.

#include <orvix/card.h>
#include <orvix/evaluate.h>

namespace orvix {

// One evaluator per hand size; `cards` points at that many cards.
HandValue evaluate_1(const CardCode* cards);
HandValue evaluate_2(const CardCode* cards);
HandValue evaluate_3(const CardCode* cards);
HandValue evaluate_4(const CardCode* cards);
HandValue evaluate_5(const CardCode* cards);  // the table paths of fast_eval.h
HandValue evaluate_7(const CardCode* cards);

// Five and seven cards by counting and deciding, without the tables: the
// reference the tables are built from and checked against, and what they
// hand back the hands they route.
HandValue evaluate_5_general(const CardCode* cards);
HandValue evaluate_7_general(const CardCode* cards);

// Any count from 5 to 20: what select_evaluator gives for the other sizes.
HandValue evaluate_many(int count, const CardCode* cards);

// Best Flush in one suit, given its wild count (0, 1, 2+) and the suit's
// ranks held at least once, twice and three times:
// flush_value(1, 0x1C80 (A K Q 9), 0x1000 (A), 0) == 0x500CCCBA: wild Ace, Ace,
// Ace, King, Queen.
HandValue flush_value(int wilds, unsigned at_least_1, unsigned at_least_2, unsigned at_least_3);

}  // namespace orvix
