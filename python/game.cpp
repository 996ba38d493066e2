// Game: the rules of a game built and checked at once, its description, its
// exact table and its seeded simulation.

#include <pybind11/pybind11.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <memory>
#include <string>

#include <orvix/card.h>

#include "bindings.h"
#include "interruptible.h"
#include "platform/console.h"
#include "platform/processors.h"
#include "exact/exact_engine.h"
#include "exact/exact_report.h"
#include "exact/seat_equity.h"
#include "rules/card_list.h"
#include "rules/describe.h"
#include "rules/presets.h"
#include "sim/run_settings.h"
#include "sim/run_simulation.h"
#include "typed_argument.h"

namespace orvix::python {

namespace {

// The exact table of a game, in Python ints.
struct PyExact {
  py::list by_category;  // ten counts, in category order
  py::list by_rank;      // ten lists of 13 counts, Two to Ace
  py::int_ total;
};

// The exact equity of every seat, in Python ints and Fractions; index 0 is seat 1.
struct PyEquity {
  py::int_ deals;
  py::list wins;
  py::list ties;
  py::list losses;
  py::list by_winners;  // per seat: lost, won alone, tied among 2, ... players
  py::list equity;      // per seat: a fractions.Fraction
};

// The card-list words of wild, add or remove as one line: a string ("2 3h")
// or a sequence of strings; empty when nothing is named.
std::string card_words(py::handle words, const char* what) {
  if (PyUnicode_Check(words.ptr())) return std::string(py::str(words));
  if (!PySequence_Check(words.ptr()) || PyBytes_Check(words.ptr()) ||
      PyByteArray_Check(words.ptr()))
    throw py::type_error(std::string(what) + " takes a string of card words or a sequence of them");
  std::string line;
  for (const py::object word : py::reinterpret_borrow<py::sequence>(words)) {
    if (!PyUnicode_Check(word.ptr()))
      throw py::type_error(std::string(what) +
                           " takes card words such as \"2\", \"2h\" or \"hearts\", not " +
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

const char* refusal_text(const GameRules& rules) {
  return rules.error_text.text != nullptr ? rules.error_text.text : "the game was refused.";
}

void check(GameRules& rules, bool accepted) {
  if (!accepted) refuse(refusal_text(rules));
}

// A number the rules refuse, named with the value given (before any
// clamping): "Maximum of 50 decks supported (decks=1000000000000)."
void check_value(GameRules& rules, bool accepted, const char* name, py::handle given) {
  if (!accepted) refuse_with(refusal_text(rules), std::string(name) + "=" + given_text(given));
}

// A deal the pack cannot serve, refused with the console's text and the
// limit the pack set: "Too many players to deal complete hand (this pack
// deals at most 7)."
[[noreturn]] void refuse_deal(const GameRules& rules, const std::string& limit) {
  refuse_with(refusal_text(rules), limit);
}

// The use rule: "any" (either case) or a number 1 to 5, as the use command takes it.
void apply_use(GameRules& rules, py::handle use) {
  if (PyUnicode_Check(use.ptr())) {
    if (upper_copy(std::string(py::str(use))) == "ANY") return;
    refuse_with(kUseWordRefusal, "use=" + given_text(use));
  }
  check_value(rules, set_use(rules, int32_argument(use, "use")), "use", use);
}

// The seat a hold key names: a seat number or "board" (either case), 0 for
// the board, refused as the hold command refuses its first word.
int held_seat(py::handle key) {
  constexpr const char* kRefusal = kHoldSeatWordRefusal;
  constexpr std::int64_t kMostSeatDigits = 999999999;  // the longest seat the command reads
  if (PyUnicode_Check(key.ptr())) {
    if (upper_copy(std::string(py::str(key))) == "BOARD") return 0;
    refuse_with(kRefusal, "seat=" + given_text(key));
  }
  const std::int64_t seat = int_argument(key, "a hold's seat");
  if (seat < 1 || seat > kMostSeatDigits) refuse_with(kRefusal, "seat=" + given_text(key));
  return static_cast<int>(seat);
}

// The holds, in the order given, each checked as the hold command checks it.
void apply_holds(GameRules& rules, py::handle holds) {
  if (holds.is_none()) return;
  if (!py::hasattr(holds, "items"))
    throw py::type_error(
        "hold takes a mapping of seats (or \"board\") to cards, such as {1: \"As Ad\"}");
  for (const py::handle item : holds.attr("items")()) {
    const py::tuple pair = py::reinterpret_borrow<py::tuple>(item);
    const int seat = held_seat(pair[0]);
    const std::string line = card_words(pair[1], "hold");
    // As the hold command: the seat and the length of the list before its cards.
    int words = 0;
    for (std::size_t i = 0; i < line.size(); ++i)
      words += !is_blank(line[i]) && (i == 0 || is_blank(line[i - 1]));
    if (const std::string refusal = hold_refusal(rules, seat, words); !refusal.empty())
      refuse(refusal);
    HeldCards cards;
    std::string error;
    if (!parse_held_cards(line, cards, error)) refuse(error);
    if (const std::string refusal = set_hold(rules, seat, cards); !refusal.empty()) refuse(refusal);
  }
}

// The player count against the pack at the hand size set: a count outside
// its own limits is named as given, else the pack's limit is.
void set_checked_players(GameRules& rules, int player_count, py::handle given) {
  if (set_players(rules, player_count)) return;
  if (player_count < kMinPlayers || player_count > kMaxPlayers)
    check_value(rules, false, "players", given);
  refuse_deal(
      rules, "this pack deals at most " + std::to_string(cards_available(rules) / rules.hand_size));
}

// What hand_size, board and use are when not given: the preset's value, or
// without one the game's default. A value of its own, so that None stays a
// wrong type; never freed, as the module's types are not.
py::handle unset_argument() {
  static const py::handle unset = py::module_::import("builtins").attr("object")().release();
  return unset;
}

bool is_given(py::handle value) { return !value.is(unset_argument()); }

// The preset a name gives, in any case; an unknown name is refused with the
// preset command's text.
const Preset& named_preset(py::handle name) {
  if (!PyUnicode_Check(name.ptr()))
    throw py::type_error("preset takes the name of a preset, such as \"omaha\"");
  const std::string text = py::str(name);
  const Preset* preset = find_preset(text);
  if (preset == nullptr) refuse(unknown_preset_refusal(text));
  return *preset;
}

// A count the setter refuses by its own limits, whatever the pack: only then
// is the setter asked, on a copy, for its refusal text.
void check_limits(const GameRules& rules, bool (*setter)(GameRules&, int), int low, int high,
                  int count, const char* name, py::handle given) {
  if (count >= low && count <= high) return;
  GameRules copy = rules;
  check_value(copy, setter(copy, count), name, given);
}

// A preset on a game whose pack and players are set: its hand size and
// board, each overridden when given, are checked together as the preset
// command checks them; a refusal names the overrides ("Not enough cards to
// deal preset stud (hand_size=9)."). A use given is set after, as the use
// command would be.
void apply_named_game(GameRules& rules, const Preset& named, py::handle hand_size,
                      py::handle board) {
  Preset game = named;
  std::string overrides;
  auto override_count = [&](py::handle given, const char* name, std::int32_t& field,
                            bool (*setter)(GameRules&, int), int low, int high) {
    if (!is_given(given)) return;
    field = int32_argument(given, name);
    check_limits(rules, setter, low, high, field, name, given);
    overrides += (overrides.empty() ? "" : ", ") + std::string(name) + "=" + given_text(given);
  };
  override_count(hand_size, "hand_size", game.hand_size, set_hand_size, kMinHandSize, kMaxHandSize);
  override_count(board, "board", game.board, set_board, 0, kMaxBoard);
  if (apply_preset(rules, game)) return;
  if (overrides.empty()) refuse(refusal_text(rules));
  refuse_with(refusal_text(rules), overrides);
}

// The pack first, then the players and hand size against it: the smallest
// deal (one player, one card) lets every change of the pack be checked on
// its own; the deal asked for is checked last, hand size before players,
// so a deal too big for the pack is refused as too many players.
// The board, the use rule and the holds come last, as the commands of those
// names would on that game. A preset comes in place of the hand size and
// board, after the players (see apply_named_game).
PyGame make_game(Typed<IntType> decks, Typed<IntType> players, Typed<IntType> hand_size,
                 Typed<IntType> jokers, Typed<CardWordsType> wild, Typed<CardWordsType> add,
                 Typed<CardWordsType> remove, Typed<IntType> board, Typed<UseType> use,
                 Typed<HoldType> hold, Typed<PresetType> preset, Typed<RankingType> ranking) {
  const Preset* named = preset.value.is_none() ? nullptr : &named_preset(preset.value);
  const int deck_count = int32_argument(decks.value, "decks");
  const int player_count = int32_argument(players.value, "players");
  const int card_count = is_given(hand_size.value) ? int32_argument(hand_size.value, "hand_size")
                                                   : GameRules{}.hand_size;
  const int joker_count = int32_argument(jokers.value, "jokers");
  const std::string wild_words = card_words(wild.value, "wild");
  const std::string add_words = card_words(add.value, "add");
  const std::string remove_words = card_words(remove.value, "remove");

  PyGame game;
  GameRules& rules = game.rules;
  reset_defaults(rules);
  check(rules, set_players(rules, kMinPlayers));
  check(rules, set_hand_size(rules, kMinHandSize));
  check_value(rules, set_decks(rules, deck_count), "decks", decks.value);
  check_value(rules, set_jokers(rules, joker_count), "jokers", jokers.value);
  apply_words(rules, CardListOperation::kAdd, add_words);
  apply_words(rules, CardListOperation::kRemove, remove_words);
  apply_words(rules, CardListOperation::kWild, wild_words);
  if (named != nullptr) {
    set_checked_players(rules, player_count, players.value);
    apply_named_game(rules, *named, hand_size.value, board.value);
  } else {
    // Within its own limits, a hand size or player count is refused only by the pack.
    if (!set_hand_size(rules, card_count)) {
      if (card_count < kMinHandSize || card_count > kMaxHandSize)
        check_value(rules, false, "hand_size", hand_size.value);
      refuse_deal(rules, "this pack deals hands of at most " +
                             std::to_string(cards_available(rules)) + " cards");
    }
    set_checked_players(rules, player_count, players.value);
    if (is_given(board.value))
      check_value(rules, set_board(rules, int32_argument(board.value, "board")), "board",
                  board.value);
  }
  if (is_given(use.value)) apply_use(rules, use.value);
  apply_holds(rules, hold.value);
  if (is_given(ranking.value)) rules.ranking = ranking_argument(ranking.value);
  rules.error_text = {};
  return game;
}

// One card text per copy of each kind that `copies` counts, Two to Ace and
// diamonds to hearts: the words Game() takes back.
template <typename Copies>
py::tuple card_texts(const GameRules& rules, Copies copies) {
  py::list texts;
  for (int rank = 0; rank < kRankCount; ++rank)
    for (int suit = 0; suit < kSuitCount; ++suit)
      for (int copy = copies(rules, rank, suit); copy > 0; --copy)
        texts.append(card_text(make_card(rank, suit, false)));
  return py::tuple(texts);
}

// Exact counts as Python ints (through their decimal text: any size).
py::int_ big_int(const BigCount& count) {
  return py::reinterpret_steal<py::int_>(PyLong_FromString(count_text(count).c_str(), nullptr, 10));
}

PyExact exact_table(const ExactTable& table) {
  py::list by_category;
  py::list by_rank;
  for (int c = 0; c < kCategoryCount; ++c) {
    by_category.append(big_int(table.by_category[c]));
    py::list ranks;
    for (int r = 0; r < kRankCount; ++r) ranks.append(big_int(table.by_rank[c][r]));
    by_rank.append(ranks);
  }
  return PyExact{by_category, by_rank, big_int(table.total)};
}

PyExact exact(const PyGame& game) {
  if (const std::string refusal = exact_rules_refusal(game.rules); !refusal.empty())
    refuse(refusal);
  if (exact_counts_seat_one(game.rules)) {
    EquityOptions options;
    options.workers = processor_count();
    ExactTable table;
    run_interruptible([&](const std::atomic<bool>& cancel) {
      options.cancel = &cancel;
      table = count_seat_one_hands(game.rules, options);
    });
    return exact_table(table);
  }
  ExactGame exact_game;
  exact_game.pack = pack_from_rules(game.rules);
  exact_game.hand_size = game.rules.hand_size;
  exact_game.ranking = game.rules.ranking;
  if (const std::string refusal = exact_refusal(exact_game); !refusal.empty()) refuse(refusal);
  ExactOptions options;
  options.workers = processor_count();
  ExactTable table;
  run_interruptible([&](const std::atomic<bool>& cancel) {
    options.cancel = &cancel;
    table = count_exact(exact_game, options);
  });
  return exact_table(table);
}

PyEquity equity(const PyGame& game) {
  if (const std::string refusal = equity_refusal(game.rules); !refusal.empty()) refuse(refusal);
  EquityOptions options;
  options.workers = processor_count();
  auto counted = std::make_unique<SeatEquity>();
  run_interruptible([&](const std::atomic<bool>& cancel) {
    options.cancel = &cancel;
    *counted = count_seat_equity(game.rules, options);
  });
  const SeatEquity& result = *counted;
  const py::object fraction = py::module_::import("fractions").attr("Fraction");
  PyEquity out;
  out.deals = py::int_(result.deals);
  for (int s = 0; s < result.players; ++s) {
    std::uint64_t ties = 0;
    py::list outcomes;
    py::object shares = fraction(0);
    for (int k = 0; k <= result.players; ++k) {
      const std::uint64_t count = result.by_winners[s][k];
      outcomes.append(py::int_(count));
      if (k >= 2) ties += count;
      if (k >= 1) shares = shares + fraction(py::int_(count), py::int_(k));
    }
    out.wins.append(py::int_(result.by_winners[s][1]));
    out.ties.append(py::int_(ties));
    out.losses.append(py::int_(result.by_winners[s][0]));
    out.by_winners.append(outcomes);
    out.equity.append(shares / fraction(py::int_(result.deals)));
  }
  return out;
}

struct SeedChoice {
  bool fixed = false;
  std::uint64_t seed = 0;
};

// None, "random", or an integer (NumPy's too) of 64 bits.
SeedChoice seed_argument(py::handle seed) {
  constexpr const char* kRefusal =
      "Error: seed must be a number from 0 to 18446744073709551615, or random.\n";
  if (seed.is_none()) return {};
  if (PyUnicode_Check(seed.ptr())) {
    if (upper_copy(std::string(py::str(seed))) == "RANDOM") return {};
    refuse_with(kRefusal, "seed=" + given_text(seed));
  }
  if (!PyIndex_Check(seed.ptr()) || PyBool_Check(seed.ptr()))
    throw py::type_error("seed must be an int, None or \"random\"");
  const py::object number = py::reinterpret_steal<py::object>(PyNumber_Index(seed.ptr()));
  if (!number) throw py::error_already_set();
  const unsigned long long value = PyLong_AsUnsignedLongLong(number.ptr());
  if (value == static_cast<unsigned long long>(-1) && PyErr_Occurred()) {
    PyErr_Clear();
    refuse_with(kRefusal, "seed=" + given_text(seed));
  }
  return {true, value};
}

// The run length of simulate() set in rules: deals, or its older name
// hands, not both.
void set_deals(GameRules& rules, py::handle deals, py::handle hands) {
  if (!deals.is_none() && !hands.is_none())
    throw py::type_error("simulate() takes deals or hands (the same), not both");
  if (deals.is_none() && hands.is_none())
    throw py::type_error("simulate() needs deals, the number of deals to play");
  const char* name = deals.is_none() ? "hands" : "deals";
  const py::handle given = deals.is_none() ? hands : deals;
  check_value(rules, set_run_length(rules, int_argument(given, name)), name, given);
}

PyResult simulate(const PyGame& game, Typed<IntOrNoneType> deals, Typed<SeedType> seed,
                  Typed<PartType> part, Typed<IntOrNoneType> hands) {
  GameRules rules = game.rules;
  if (const std::string refusal = use_refusal(rules); !refusal.empty()) refuse(refusal);
  set_deals(rules, deals.value, hands.value);
  rules.error_text = {};
  const SeedChoice choice = seed_argument(seed.value);

  // The console's command for a part of a run is shard; so is its refusal.
  constexpr const char* kPartRefusal = "Error: shard needs two numbers i and n with 1 <= i <= n.\n";
  const py::handle pair_argument = part.value;
  if (PyUnicode_Check(pair_argument.ptr()) || !PySequence_Check(pair_argument.ptr()) ||
      py::len(pair_argument) != 2)
    throw py::type_error("part is a pair (i, n): part i of n");
  const py::sequence pair = py::reinterpret_borrow<py::sequence>(pair_argument);
  const py::object first = pair[0];
  const py::object second = pair[1];
  const std::int64_t index = int_argument(first, "the part's number");
  const std::int64_t parts = int_argument(second, "the count of parts");
  if (index < 1 || index > parts || parts > UINT32_MAX)
    refuse_with(kPartRefusal, "part=(" + given_text(first) + ", " + given_text(second) + ")");

  RunSettings settings;
  if (choice.fixed) fix_seed(settings, choice.seed);
  settings.part = static_cast<std::uint32_t>(index);
  settings.parts = static_cast<std::uint32_t>(parts);
  const RunRequest request{take_run_seed(settings), settings.part, settings.parts};

  PyResult result;
  RunOutcome outcome;
  const auto start = std::chrono::steady_clock::now();
  run_interruptible([&](const std::atomic<bool>& cancel) {
    RunOptions options;
    options.cancel = &cancel;
    outcome = run_simulation_with(rules, request, result.table, options);
  });
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  compute_percentages(result.table);
  result.runs.push_back(make_run_record(rules, request.seed, request.part, request.parts,
                                        counted_player_hands(result.table), seconds));
  result.stopped = outcome.stopped;
  return result;
}

}  // namespace

std::string game_text(const GameRules& rules) {
  std::string text;
  capture_output(&text);
  describe_game(rules);
  capture_output(nullptr);
  return text;
}

std::string game_line(const GameRules& rules) {
  const std::string text = game_text(rules);
  return text.substr(0, text.find('\n'));
}

void bind_game(py::module_& m) {
  py::class_<PyExact>(m, "ExactTable", R"(The exact table of a game (Game.exact()).

Every count is a Python int: exact counts pass 2**64, beyond any NumPy
integer.

Attributes
----------
by_category : list of int
    Ten counts, in category order (CATEGORY_NAMES).
by_rank : list of list of int
    Ten lists of 13 counts each, by top rank from Two to Ace.
total : int
    Every hand the pack can deal: C(pack size, hand size); with a board or
    held cards, every deal of seat 1's and the board's unknown cards.

Examples
--------
>>> table = orvix.Game(players=1).exact()
>>> table.total, table.by_category[orvix.CATEGORY_NAMES.index("Flush")]
(2598960, 5108))")
      .def_readonly("by_category", &PyExact::by_category,
                    "Hands per category, High Card to Five of a Kind.")
      .def_readonly("by_rank", &PyExact::by_rank, "Hands per category and top rank (Two to Ace).")
      .def_readonly("total", &PyExact::total, "Every hand counted.")
      .def("__repr__", [](const PyExact& e) {
        return "<orvix.ExactTable of " + py::repr(e.total).cast<std::string>() + " hands>";
      });

  py::class_<PyEquity>(m, "EquityTable", R"(The exact equity of every seat (Game.equity()).

Every deal of the unknown cards is counted once; index 0 is seat 1.

Attributes
----------
deals : int
    Every deal of the cards no seat or board holds.
wins, ties, losses : list of int
    Per seat: deals won alone, tied for the best hand, lost.
by_winners : list of list of int
    Per seat: deals lost, then won among 1, 2, ..., players winners.
equity : list of fractions.Fraction
    Per seat: a win counts 1, a tie among k winners 1/k, over the deals.

Examples
--------
>>> aces = orvix.Game(players=2, hand_size=2, board=5, hold={1: "As Ah", 2: "Kd Kc"}).equity()
>>> aces.deals, round(float(aces.equity[0]) * 100, 6)
(1712304, 81.25549))")
      .def_readonly("deals", &PyEquity::deals, "Every deal counted.")
      .def_readonly("wins", &PyEquity::wins, "Deals each seat won alone.")
      .def_readonly("ties", &PyEquity::ties, "Deals each seat tied for the best hand.")
      .def_readonly("losses", &PyEquity::losses, "Deals each seat lost.")
      .def_readonly("by_winners", &PyEquity::by_winners,
                    "Per seat: deals lost, then won among 1, 2, ... winners.")
      .def_readonly("equity", &PyEquity::equity, "Each seat's equity, exactly.")
      .def("__repr__", [](const PyEquity& e) {
        return "<orvix.EquityTable of " + py::repr(e.deals).cast<std::string>() + " deals>";
      });

  py::class_<PyGame>(m, "Game", R"(A game of the console program: its pack and its deal.

The pack is built first (decks, jokers, add, remove, wild), then hand size
and players are checked against it, by the same rules and limits as the
commands. Games compare equal when they play the same game.

Parameters
----------
decks : int, optional
    Standard decks in the pack, 1 to 50.
players : int, optional
    Players dealt each deal, 1 to 50.
hand_size : int, optional
    Cards in each hand, 1 to 20 (default 5, or the preset's).
jokers : int, optional
    Jokers in the pack, 0 to 100; jokers are always wild.
wild, add, remove : str or sequence of str, optional
    The card-list words of the commands of those names, as one string or a
    sequence of strings: a rank ("2", "two", "twos"), a suit ("h",
    "hearts") or a card ("2h"). add gives one more copy of each card named,
    remove takes one away, wild makes every copy of each card named wild.
board : int, optional
    Cards dealt face up and shared by every player, 0 to 19; a hand and the
    board hold at most 20 cards together (default 0, or the preset's).
use : str or int, optional
    With a board, how many of a player's own cards a hand must use: "any"
    (the best hand of all own and board cards) or exactly 1 to 5 (Omaha is
    2). Without a board it has no effect (default "any", or the preset's).
hold : mapping, optional
    Known cards: {seat: cards}, a seat 1 to players or "board", the cards
    as one string ("As Ad", "*" a joker, either case) or a sequence of
    card strings. The rest of each hand and of the board is dealt at
    random from what is left; whether a held card is wild follows wild.
preset : str, optional
    A named game, in any case, as the console's preset command takes it
    ("holdem", "omaha", "stud", ...; the command alone lists them): it sets
    hand_size, board and use, and those given as well override it. The
    game it makes is checked as a whole, after the pack and the players.
    "shortdeck" also removes every Two to Five and sets its ranking.
ranking : str or sequence of str, optional
    The order hands are valued by, as the ranking command takes it:
    "standard", "shortdeck" (Flush above Full House, A-6-7-8-9 the lowest
    straight), "low" (ace-to-five lowball: the lowest hand wins, straights
    and flushes do not count), "deuce" (deuce-to-seven lowball: the lowest
    hand wins, the Ace high), or the ten categories highest first as codes
    ("5K", "SF", "4K", "FH", "FL", "ST", "3K", "2P", "1P", "HC") or names
    (default "standard", or the preset's).

Raises
------
ValueError
    The program's message for a game it would refuse, followed in
    parentheses by the number refused as given (decks=51) or, when the
    pack is what limits the deal, by the pack's limit; for a preset the
    pack cannot deal, by the overrides given (hand_size=9).

Examples
--------
>>> g = orvix.Game(players=6, hand_size=7, wild="2", add="As")
>>> g.pack_size, g.wild[:2], g.added
(53, ('2d', '2s'), ('As',))
>>> orvix.Game(players=11)
Traceback (most recent call last):
ValueError: Too many players to deal complete hand (this pack deals at most 10).
>>> omaha = orvix.Game(players=6, hand_size=4, board=5, use=2, hold={1: "As Ad"})
>>> omaha.holds
{1: 'As Ad'}
>>> omaha == orvix.Game(preset="Omaha", players=6, hold={1: "As Ad"})
True
>>> orvix.Game(preset="holdem", hand_size=3).hand_size
3
>>> orvix.Game(preset="stud", players=8)
Traceback (most recent call last):
ValueError: Not enough cards to deal preset stud.)")
      .def(py::init(&make_game), py::arg("decks") = 1, py::arg("players") = 5,
           py::arg_v("hand_size", unset_argument(), "5"), py::arg("jokers") = 0,
           py::arg("wild") = py::tuple(), py::arg("add") = py::tuple(),
           py::arg("remove") = py::tuple(), py::arg_v("board", unset_argument(), "0"),
           py::arg_v("use", unset_argument(), "'any'"), py::arg("hold") = py::none(),
           py::arg("preset") = py::none(), py::arg_v("ranking", unset_argument(), "'standard'"))
      .def_property_readonly(
          "decks", [](const PyGame& g) { return g.rules.decks; }, "Standard decks in the pack.")
      .def_property_readonly(
          "players", [](const PyGame& g) { return g.rules.players; }, "Players dealt each deal.")
      .def_property_readonly(
          "hand_size", [](const PyGame& g) { return g.rules.hand_size; }, "Cards in each hand.")
      .def_property_readonly(
          "jokers", [](const PyGame& g) { return g.rules.jokers; }, "Jokers in the pack.")
      .def_property_readonly(
          "wild",
          [](const PyGame& g) {
            return card_texts(g.rules, [](const GameRules& r, int rank, int suit) {
              return int{r.wild[rank][suit]};
            });
          },
          "The card kinds made wild, one text each (\"2d\", ...); jokers are wild besides.")
      .def_property_readonly(
          "added",
          [](const PyGame& g) {
            return card_texts(g.rules, [](const GameRules& r, int rank, int suit) {
              return r.card_delta[rank][suit];
            });
          },
          "The cards added to the decks, one text per copy.")
      .def_property_readonly(
          "removed",
          [](const PyGame& g) {
            return card_texts(g.rules, [](const GameRules& r, int rank, int suit) {
              return -r.card_delta[rank][suit];
            });
          },
          "The cards removed from the decks, one text per copy.")
      .def_property_readonly(
          "board", [](const PyGame& g) { return g.rules.board; },
          "Cards dealt face up and shared by every player.")
      .def_property_readonly(
          "use",
          [](const PyGame& g) -> py::object {
            if (g.rules.use == kUseAny) return py::str("any");
            return py::int_(g.rules.use);
          },
          "\"any\", or how many own cards a hand must use with a board.")
      .def_property_readonly(
          "holds",
          [](const PyGame& g) {
            py::dict holds;
            for (int s = 0; s < g.rules.players; ++s)
              if (g.rules.holds[s].count > 0)
                holds[py::int_(s + 1)] = held_cards_text(g.rules.holds[s]);
            if (g.rules.board_hold.count > 0) holds["board"] = held_cards_text(g.rules.board_hold);
            return holds;
          },
          "The known cards as Game(hold=...) takes them: {seat: \"As Ad\", \"board\": ...}.")
      .def_property_readonly(
          "ranking",
          [](const PyGame& g) { return Typed<RankingValueType>{ranking_value(g.rules.ranking)}; },
          "\"standard\", \"shortdeck\", \"low\", \"deuce\", or the ten category codes highest "
          "first.")
      .def_property_readonly(
          "pack_size", [](const PyGame& g) { return cards_available(g.rules); },
          "Cards in the pack, jokers included.")
      .def_property_readonly(
          "deals", [](const PyGame& g) { return g.rules.run_length; },
          "Deals the game was (or would be) simulated for; 5000000 until simulated.")
      .def(
          "describe", [](const PyGame& g) { return game_text(g.rules); },
          R"(The text the console program's `game` command prints for this game.

Returns
-------
str
    The deal, the wild cards, the added and removed cards, the board, the
    use rule and the holds when set, and the length of a run, each line
    ended.

Examples
--------
>>> print(orvix.Game(decks=2, players=4).describe().splitlines()[0])
Poker with 2 decks, 0 jokers, 4 players, hand size 5 cards.)")
      .def("exact", &exact,
           R"(Every hand of hand_size cards the pack can deal, each counted once.

The `exact` command's table, filed by category and top rank. It uses every
core and releases the interpreter lock; Ctrl-C stops it at once with
KeyboardInterrupt.

Returns
-------
ExactTable
    The counts, as Python ints.

With a board or held cards it counts seat 1's final hand (its cards and the
board's under the use rule) over every deal of the cards seat 1 and the
board do not hold, every other seat's held cards out of the pack.

Raises
------
ValueError
    The `exact` command's refusal, when the game holds too many distinct
    hands to count, or its use rule cannot value a hand.

Examples
--------
>>> orvix.Game(players=1, hand_size=2).exact().by_category[:2]
[1248, 78])")
      .def("equity", &equity,
           R"(The exact equity of every seat: every deal of the unknown cards counted.

The `equity` command's count. It uses every core and releases the
interpreter lock; Ctrl-C stops it at once with KeyboardInterrupt.

Returns
-------
EquityTable
    Exact counts as Python ints, equity as fractions.Fraction.

Raises
------
ValueError
    The `equity` command's refusal: the use rule cannot value a hand, or
    the deals times the seats pass 10**10 evaluations.

Examples
--------
>>> orvix.Game(players=2, hand_size=2, board=5, hold={1: "As Ah", 2: "Kd Kc"}).equity().wins
[1388072, 317694])")
      .def("simulate", &simulate, py::arg("deals") = py::none(), py::arg("seed") = py::none(),
           py::arg("part") = py::make_tuple(1, 1), py::kw_only(), py::arg("hands") = py::none(),
           R"(Plays deals of the game on every core and counts every player's hand.

Each hand is counted as a win or a loss, by category and top rank. The
interpreter lock is released while the deals are played; Ctrl-C stops them
at once with KeyboardInterrupt.

Parameters
----------
deals : int
    Deals to play, 1 to 2147483647.
seed : int or str or None, optional
    None (or "random") draws a fresh seed; an int S (NumPy's too) from 0
    to 2**64 - 1 plays exactly the deals of the console program's first run after
    `seed S`, so the counts equal its counts.
part : (int, int), optional
    (i, n) plays part i of n of the run, as the console's `shard i n` does;
    the parts of one seed add up to the whole run.
hands : int, optional
    The older name of deals, keyword only.

Returns
-------
SimulationResult
    The counts of the run, with its record and the results per seat.

Raises
------
ValueError
    The run commands' refusals (deals, seed, part) and, for a game whose
    hands the use rule cannot value, the refusal a run of it gets
    ("use 2 needs at least 2 own cards and 3 board cards.").

Examples
--------
>>> r = orvix.Game(players=6, hand_size=7, wild="2").simulate(1000, seed=42)
>>> r.deals, r.total_hands, r.wins.shape
(1000, 6000, (10, 13)))")
      .def("__eq__", [](const PyGame& a, const PyGame& b) { return a.rules == b.rules; })
      .def("__repr__", [](const PyGame& g) { return "<orvix.Game: " + game_line(g.rules) + ">"; });
}

}  // namespace orvix::python
