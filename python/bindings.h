#pragma once
// The pieces of the Python module orvix, one binding function per concern,
// and the argument checks they share. Every refusal the console program
// would print as "Error: ...\n" becomes a ValueError with the same text,
// without the "Error: " and the line end; a number refused is named as the
// caller gave it, before its final full stop ("(decks=51).").

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstdint>
#include <string>
#include <string_view>

#include <orvix/ranking.h>

#include "rules/game_rules.h"
#include "sim/result_table.h"
#include "sim/run_record.h"

namespace orvix::python {

namespace py = pybind11;

// A game for Python: the rules a run would play (error_text unused).
struct PyGame {
  GameRules rules;
};

// Counts of one or more runs, with the record of each run that made them.
struct PyResult {
  ResultTable table;  // derived sums and percentages kept up to date
  RunRecords runs;
  bool stopped = false;
};

void bind_cards(py::module_& m);
void bind_evaluate_many(py::module_& m);
void bind_game(py::module_& m);
void bind_results(py::module_& m);

// The text the console's `game` command prints for rules, each line ended.
std::string game_text(const GameRules& rules);
// Its first line: "Poker with 1 deck, 0 jokers, 5 players, hand size 5 cards."
std::string game_line(const GameRules& rules);

// "Error: decks must be from 1 to 50.\n" -> "decks must be from 1 to 50."
std::string error_message(std::string_view program_text);

// Raises ValueError with error_message(program_text).
[[noreturn]] void refuse(std::string_view program_text);

// The same with a note before the final full stop:
// ("Error: Maximum of 50 decks supported.\n", "decks=51") ->
// "Maximum of 50 decks supported (decks=51)."
[[noreturn]] void refuse_with(std::string_view program_text, const std::string& note);

// An argument as the caller wrote it: an integer (NumPy's too) in full,
// whatever its size, anything else as its repr().
std::string given_text(py::handle value);

// A Python int or NumPy integer (bool refused: it is no count) as int64, with values beyond
// saturated to the int64 limits; TypeError naming `what` for anything else.
std::int64_t int_argument(py::handle value, const char* what);

// The same, clamped to the range of int: a value beyond it is outside
// every limit of a game either way, so the rules refuse it with their text.
int int32_argument(py::handle value, const char* what);

// Integers as one C-contiguous array of 32-bit words: a NumPy array, or
// anything numpy.asarray makes one of. TypeError for another dtype
// ("<function>() takes integer <what>, not an array of dtype float64<hint>"),
// ValueError for a word beyond 32 bits.
py::array_t<std::uint32_t, py::array::c_style> uint32_words(py::handle values, const char* function,
                                                            const char* what,
                                                            const char* hint = "");

// A ranking as Python names it: "standard", "shortdeck", "low" or "deuce"
// (any case), or a sequence of the ten categories highest first, each a code
// ("5K") or a name ("Five of a Kind"). ValueError for a name it does not
// know, or with the ranking command's refusal of an order.
Ranking ranking_argument(py::handle value);

// The same read into `storage`, None standing for no ranking: the ranking,
// or nullptr for None.
const Ranking* optional_ranking_argument(py::handle value, Ranking& storage);

// A ranking read back as ranking_argument takes it: "standard",
// "shortdeck", or the list of the ten codes highest first.
py::object ranking_value(const Ranking& ranking);

}  // namespace orvix::python
