// The Python module orvix: the hand evaluator, exact tables and seeded
// simulation of the orvix console program, as one more client of its
// libraries.

#include <pybind11/pybind11.h>

#include <climits>
#include <string>

#include "bindings.h"

namespace orvix::python {

std::string error_message(std::string_view program_text) {
  constexpr std::string_view kPrefix = "Error: ";
  if (program_text.substr(0, kPrefix.size()) == kPrefix) program_text.remove_prefix(kPrefix.size());
  while (!program_text.empty() && (program_text.back() == '\n' || program_text.back() == '\r'))
    program_text.remove_suffix(1);
  return std::string(program_text);
}

void refuse(std::string_view program_text) { throw py::value_error(error_message(program_text)); }

std::int64_t int_argument(py::handle value, const char* what) {
  // Anything that is an integer by operator.index (NumPy's integers too), but
  // no bool and no float.
  if (PyBool_Check(value.ptr()) || !PyIndex_Check(value.ptr()))
    throw py::type_error(std::string(what) + " must be an int, not " +
                         std::string(py::str(py::type::handle_of(value).attr("__name__"))));
  const py::object number = py::reinterpret_steal<py::object>(PyNumber_Index(value.ptr()));
  if (!number) throw py::error_already_set();
  int overflow = 0;
  const long long result = PyLong_AsLongLongAndOverflow(number.ptr(), &overflow);
  if (overflow > 0) return INT64_MAX;
  if (overflow < 0) return INT64_MIN;
  if (result == -1 && PyErr_Occurred()) throw py::error_already_set();
  return result;
}

int int32_argument(py::handle value, const char* what) {
  const std::int64_t wide = int_argument(value, what);
  if (wide > INT_MAX) return INT_MAX;
  if (wide < INT_MIN) return INT_MIN;
  return static_cast<int>(wide);
}

}  // namespace orvix::python

namespace {

constexpr const char* kManual = R"(Poker hands and games of the orvix simulator, from Python.

Cards
    A card is a rank character of "23456789TJQKA" and a suit character of
    "dsch" (diamonds, spades, clubs, hearts), in either case, or "*" for a
    wild card (a joker). Inside the module a card is a 32-bit card code.

        orvix.codes("As Kd *")          -> array([...], dtype=uint32)
        orvix.card_text(code)           -> "As"

Hand values
    evaluate() scores a hand of 1 to 20 cards, wild cards and repeated cards
    (several decks) included, as one 32-bit hand value: greater is better,
    equal ties. category(), category_name() and top_rank() decode it.

        v = orvix.evaluate("As Ad 9c 9h 3s")
        orvix.category_name(v)          -> "Two Pair"
        orvix.RANK_NAMES[orvix.top_rank(v)]  -> "Ace"

    evaluate_many() scores a NumPy array of shape (n, k) of card codes on
    every core, without the interpreter lock:

        values = orvix.evaluate_many(orvix.codes(hands_as_lists))

Games
    Game(decks=1, players=5, hand_size=5, jokers=0, wild=(), add=(), remove=())
    is a game of the console program; wild, add and remove take its card-list
    words ("2", "twos", "2h", "hearts"). A game the console would refuse
    raises ValueError with the program's message.

        g = orvix.Game(players=6, hand_size=7, wild="2")
        print(g.describe())
        r = g.simulate(1_000_000, seed=42)   # the counts of "seed 42" then "go"
        r.wins, r.losses                     # (10, 13) arrays: category x top rank
        r.to_json()                          # the file "save" writes
        e = g.exact()                        # every hand of one player counted

Results add with +, and SimulationResult.from_json() reads a file that the
console program saved.
)";

}  // namespace

PYBIND11_MODULE(orvix, m) {
  m.doc() = kManual;
  m.attr("__version__") = ORVIX_VERSION;
  orvix::python::bind_cards(m);
  orvix::python::bind_evaluate_many(m);
  orvix::python::bind_game(m);
  orvix::python::bind_results(m);
}
