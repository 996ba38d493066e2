// Game: the rules of a game built and checked at once, its description, its
// exact table and its seeded simulation.

#include <pybind11/pybind11.h>

#include <chrono>
#include <climits>
#include <string>

#include "bindings.h"
#include "platform/console.h"
#include "platform/processors.h"
#include "exact/exact_engine.h"
#include "exact/exact_report.h"
#include "rules/card_list.h"
#include "rules/describe.h"
#include "sim/run_settings.h"
#include "sim/run_simulation.h"

namespace orvix::python {

namespace {

// The exact table of a game, in Python ints.
struct PyExact {
  py::list by_category;  // ten counts, in category order
  py::list by_rank;      // ten lists of 13 counts, Two to Ace
  py::int_ total;
};

// The card-list words of wild, add or remove as one line: a string ("2 3h")
// or a sequence of strings; empty when nothing is named.
std::string card_words(py::handle words, const char* what) {
  if (PyUnicode_Check(words.ptr())) return std::string(py::str(words));
  if (!PySequence_Check(words.ptr()) || PyBytes_Check(words.ptr()) || PyByteArray_Check(words.ptr()))
    throw py::type_error(std::string(what) + " takes a string of card words or a sequence of them");
  std::string line;
  for (const py::object word : py::reinterpret_borrow<py::sequence>(words)) {
    if (!PyUnicode_Check(word.ptr()))
      throw py::type_error(std::string(what) + " takes card words such as \"2\", \"2h\" or \"hearts\", not " +
                           std::string(py::str(py::type::handle_of(word).attr("__name__"))));
    line += std::string(py::str(word));
    line += ' ';
  }
  return line;
}

bool only_blanks(std::string_view line) {
  for (const char c : line)
    if (!is_blank(c)) return false;
  return true;
}

// The card list of one command applied to rules; a refusal raises.
void apply_words(GameRules& rules, CardListOperation operation, const std::string& line) {
  if (only_blanks(line)) return;
  const std::string upper = upper_copy(line);
  WordStream stream{upper};
  const CardListResult result = apply_card_list(rules, operation, stream);
  if (result.error) refuse(result.text);
}

void check(GameRules& rules, bool accepted) {
  if (!accepted) refuse(rules.error_text.text != nullptr ? rules.error_text.text : "the game was refused.");
}

// The pack first, then the players and hand size against it: the smallest
// deal (one player, one card) lets every change of the pack be checked on
// its own; the deal asked for is checked last, hand size before players,
// so a deal too big for the pack is refused as too many players.
PyGame make_game(py::handle decks, py::handle players, py::handle hand_size, py::handle jokers, py::handle wild,
                 py::handle add, py::handle remove) {
  const int deck_count = int32_argument(decks, "decks");
  const int player_count = int32_argument(players, "players");
  const int card_count = int32_argument(hand_size, "hand_size");
  const int joker_count = int32_argument(jokers, "jokers");
  const std::string wild_words = card_words(wild, "wild");
  const std::string add_words = card_words(add, "add");
  const std::string remove_words = card_words(remove, "remove");

  PyGame game;
  GameRules& rules = game.rules;
  reset_defaults(rules);
  check(rules, set_players(rules, kMinPlayers));
  check(rules, set_hand_size(rules, kMinHandSize));
  check(rules, set_decks(rules, deck_count));
  check(rules, set_jokers(rules, joker_count));
  apply_words(rules, CardListOperation::kAdd, add_words);
  apply_words(rules, CardListOperation::kRemove, remove_words);
  apply_words(rules, CardListOperation::kWild, wild_words);
  check(rules, set_hand_size(rules, card_count));
  check(rules, set_players(rules, player_count));
  rules.error_text = {};
  return game;
}

// The text the console prints for `game`.
std::string describe(const GameRules& rules) {
  std::string text;
  capture_output(&text);
  describe_game(rules);
  capture_output(nullptr);
  return text;
}

// Exact counts as Python ints (through their decimal text: any size).
py::int_ big_int(const BigCount& count) {
  return py::reinterpret_steal<py::int_>(PyLong_FromString(count_text(count).c_str(), nullptr, 10));
}

py::object exact(const PyGame& game) {
  ExactGame exact_game;
  exact_game.pack = pack_from_rules(game.rules);
  exact_game.hand_size = game.rules.hand_size;
  const std::uint64_t multisets = distinct_code_multisets(exact_game);
  if (multisets > kExactMultisetLimit)
    refuse("exact would evaluate " + std::to_string(multisets) +
           " hands (limit 10000000000); use go to simulate.");
  ExactOptions options;
  options.workers = processor_count();
  ExactTable table;
  {
    py::gil_scoped_release unlocked;
    table = count_exact(exact_game, options);
  }
  py::list by_category;
  py::list by_rank;
  for (int c = 0; c < kCategoryCount; ++c) {
    by_category.append(big_int(table.by_category[c]));
    py::list ranks;
    for (int r = 0; r < kRankCount; ++r) ranks.append(big_int(table.by_rank[c][r]));
    by_rank.append(ranks);
  }
  return py::cast(PyExact{by_category, by_rank, big_int(table.total)});
}

struct SeedChoice {
  bool fixed = false;
  std::uint64_t seed = 0;
};

SeedChoice seed_argument(py::handle seed) {
  constexpr const char* kRefusal = "Error: seed must be a number from 0 to 18446744073709551615, or random.\n";
  if (seed.is_none()) return {};
  if (PyUnicode_Check(seed.ptr())) {
    if (upper_copy(std::string(py::str(seed))) == "RANDOM") return {};
    refuse(kRefusal);
  }
  if (!PyLong_Check(seed.ptr()) || PyBool_Check(seed.ptr()))
    throw py::type_error("seed must be an int, None or \"random\"");
  const unsigned long long value = PyLong_AsUnsignedLongLong(seed.ptr());
  if (value == static_cast<unsigned long long>(-1) && PyErr_Occurred()) {
    PyErr_Clear();
    refuse(kRefusal);
  }
  return {true, value};
}

py::object simulate(const PyGame& game, py::handle hands, py::handle seed, py::handle shard) {
  GameRules rules = game.rules;
  check(rules, set_run_length(rules, int_argument(hands, "hands")));
  rules.error_text = {};
  const SeedChoice choice = seed_argument(seed);

  constexpr const char* kShardRefusal = "Error: shard needs two numbers i and n with 1 <= i <= n.\n";
  if (PyUnicode_Check(shard.ptr()) || !PySequence_Check(shard.ptr()) || py::len(shard) != 2)
    throw py::type_error("shard is a pair (i, n): part i of n");
  const py::sequence pair = py::reinterpret_borrow<py::sequence>(shard);
  const py::object first = pair[0];
  const py::object second = pair[1];
  const std::int64_t part = int_argument(first, "the shard's part");
  const std::int64_t parts = int_argument(second, "the shard's count of parts");
  if (part < 1 || part > parts || parts > UINT32_MAX) refuse(kShardRefusal);

  RunSettings settings;
  if (choice.fixed) fix_seed(settings, choice.seed);
  settings.part = static_cast<std::uint32_t>(part);
  settings.parts = static_cast<std::uint32_t>(parts);
  const RunRequest request{take_run_seed(settings), settings.part, settings.parts};

  PyResult result;
  RunOutcome outcome;
  const auto start = std::chrono::steady_clock::now();
  {
    py::gil_scoped_release unlocked;
    outcome = run_simulation(rules, request, result.table);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  compute_percentages(result.table);
  result.runs.push_back(make_run_record(rules, request.seed, request.part, request.parts,
                                        counted_player_hands(result.table), seconds));
  result.stopped = outcome.stopped;
  return py::cast(std::move(result));
}

std::string game_repr(const GameRules& rules) {
  std::string text = describe(rules);
  const std::size_t line_end = text.find('\n');
  return "<orvix.Game: " + text.substr(0, line_end) + ">";
}

}  // namespace

void bind_game(py::module_& m) {
  py::class_<PyExact>(m, "ExactTable", R"(The exact table of a game (Game.exact()), every count a Python int.

by_category: ten counts, in category order (CATEGORY_NAMES)
by_rank:     ten lists of 13 counts each, by top rank from Two to Ace
total:       every hand the pack can deal: C(pack size, hand size))")
      .def_readonly("by_category", &PyExact::by_category, "Hands per category, High Card to Five of a Kind.")
      .def_readonly("by_rank", &PyExact::by_rank, "Hands per category and top rank (Two to Ace).")
      .def_readonly("total", &PyExact::total, "Every hand counted.")
      .def("__repr__", [](const PyExact& e) { return "<orvix.ExactTable of " + py::repr(e.total).cast<std::string>() + " hands>"; });

  py::class_<PyGame>(m, "Game", R"(Game(decks=1, players=5, hand_size=5, jokers=0, wild=(), add=(), remove=())

A game of the console program. decks 1 to 50, players 1 to 50, hand_size 1
to 20, jokers 0 to 100 (jokers are always wild). wild, add and remove take
the card-list words of the commands of those names, as one string or a
sequence of strings: a rank ("2", "two", "twos"), a suit ("h", "hearts")
or a card ("2h"). add gives one more copy of each card named, remove takes
one away, wild makes every copy of each card named wild.

The pack is built first (decks, jokers, add, remove, wild), then hand
size and players are checked against it, by the same rules and limits as the
commands. A refusal raises ValueError with the program's message:

    >>> orvix.Game(players=11)
    Traceback (most recent call last):
    ValueError: Too many players to deal complete hand.

Games compare equal when they play the same game.)")
      .def(py::init(&make_game), py::arg("decks") = 1, py::arg("players") = 5, py::arg("hand_size") = 5,
           py::arg("jokers") = 0, py::arg("wild") = py::tuple(), py::arg("add") = py::tuple(),
           py::arg("remove") = py::tuple())
      .def_property_readonly("decks", [](const PyGame& g) { return g.rules.decks; }, "Standard decks in the pack.")
      .def_property_readonly("players", [](const PyGame& g) { return g.rules.players; }, "Players dealt each deal.")
      .def_property_readonly("hand_size", [](const PyGame& g) { return g.rules.hand_size; }, "Cards in each hand.")
      .def_property_readonly("jokers", [](const PyGame& g) { return g.rules.jokers; }, "Jokers in the pack.")
      .def_property_readonly("pack_size", [](const PyGame& g) { return cards_available(g.rules); },
                             "Cards in the pack, jokers included.")
      .def_property_readonly("hands", [](const PyGame& g) { return g.rules.run_length; },
                             "Deals the game was (or would be) simulated for; 5000000 until simulated.")
      .def("describe", [](const PyGame& g) { return describe(g.rules); },
           R"(describe() -> str

The text the console program prints for `game`: the deal, the wild cards,
the added and removed cards and the length of a run, each line ended.)")
      .def("exact", &exact,
           R"(exact() -> ExactTable

Every hand of hand_size cards the pack can deal, each counted once, filed by
category and top rank: the `exact` command's table as Python ints. It uses
every core and releases the interpreter lock. ValueError when the game
holds too many distinct hands to count.)")
      .def("simulate", &simulate, py::arg("hands"), py::arg("seed") = py::none(),
           py::arg("shard") = py::make_tuple(1, 1),
           R"(simulate(hands, seed=None, shard=(1, 1)) -> SimulationResult

Plays `hands` deals (1 to 2147483647) of the game on every core and counts
every player's hand as a win or a loss, by category and top rank.

seed: None (or "random") draws a fresh seed; an int S from 0 to 2**64 - 1
plays exactly the deals of the console program's first run after `seed S`,
so the counts equal its counts. shard=(i, n) plays part i of n of the run,
as `shard i n` does; the parts of one seed add up to the whole run.
The interpreter lock is released while the deals are played.)")
      .def("__eq__", [](const PyGame& a, const PyGame& b) { return a.rules == b.rules; })
      .def("__repr__", [](const PyGame& g) { return game_repr(g.rules); });
}

}  // namespace orvix::python
