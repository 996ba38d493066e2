// SimulationResult: the counts of one or more runs as NumPy arrays, with
// the run records, the save file's JSON and addition.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <string>

#include "bindings.h"
#include "sim/save_file.h"

namespace orvix::python {

namespace {

py::array_t<std::uint64_t> grid(const std::uint64_t (&counts)[kCategoryCount][kRankCount]) {
  py::array_t<std::uint64_t> out({kCategoryCount, kRankCount});
  std::copy(&counts[0][0], &counts[0][0] + kCategoryCount * kRankCount, out.mutable_data());
  return out;
}

py::array_t<std::uint64_t> row(const std::uint64_t (&counts)[kCategoryCount]) {
  py::array_t<std::uint64_t> out(kCategoryCount);
  std::copy(counts, counts + kCategoryCount, out.mutable_data());
  return out;
}

// The results per seat of one game, for Python.
struct PySeatTable {
  SeatResults results;
};

// One number per playing seat, index 0 for seat 1.
template <typename T, typename Field>
py::array_t<T> per_seat(const SeatResults& results, Field field) {
  const int players = results.game.players;
  py::array_t<T> out(players);
  T* data = out.mutable_data();
  for (int s = 0; s < players; ++s) data[s] = field(summarize_seat(results, s));
  return out;
}

py::dict run_dict(const RunRecord& run) {
  py::dict d;
  d["game"] = py::cast(PyGame{run.game});
  d["seed"] = run.seed;
  d["part"] = run.part;
  d["parts"] = run.parts;
  d["deals"] = run.deals;
  d["seconds"] = run.seconds;
  return d;
}

// The seat counts of a sum: added when both are of one game, otherwise the
// first's (or the second's, when the first has none), as `load` keeps them.
bool add_seats(SeatResults& total, const SeatResults& more) {
  if (more.deals == 0) return true;
  if (total.deals > 0 && !same_deal_rules(total.game, more.game)) return true;
  return add_seat_results(total, more);
}

PyResult add(const PyResult& a, const PyResult& b, bool allow_mixed) {
  if (!allow_mixed && !a.runs.empty())
    for (const RunRecord& run : b.runs)
      if (!same_deal_rules(a.runs.front().game, run.game))
        throw py::value_error("the results are of different games: \"" +
                              game_line(a.runs.front().game) + "\" and \"" + game_line(run.game) +
                              "\"; add(other, allow_mixed=True) adds them anyway");
  PyResult sum = a;
  if (!add_saved_counts(sum.table, b.table) || !add_seats(sum.table.seats, b.table.seats))
    throw py::value_error("adding the counts would overflow the counters");
  compute_percentages(sum.table);
  sum.runs.insert(sum.runs.end(), b.runs.begin(), b.runs.end());
  sum.stopped = a.stopped || b.stopped;
  return sum;
}

std::uint64_t deals(const PyResult& result) {
  std::uint64_t sum = 0;
  for (const RunRecord& run : result.runs) sum += run.deals;
  return sum;
}

PyResult from_json(const std::string& text) {
  if (text.size() > kMaxSaveBytes)
    throw py::value_error("not a valid orvix save (it is too large)");
  SavedResults saved;
  std::string reason;
  if (!parse_save(text, saved, reason))
    throw py::value_error("not a valid orvix save (" + reason + ")");
  PyResult result;
  result.table = saved.table;
  result.runs = std::move(saved.runs);
  compute_percentages(result.table);
  return result;
}

}  // namespace

void bind_results(py::module_& m) {
  py::class_<PySeatTable>(m, "SeatTable",
                          R"(The results per seat of one game (SimulationResult.seats).

Every array has one entry per seat of the game, index 0 for seat 1: the
console's `seats` table. A seat wins a deal alone, ties for the best hand
with others, or loses; its equity is its share of the pot over the deals,
a win counting 1 and a tie among k winners 1/k.

Attributes
----------
deals : int
    Deals counted.
wins, ties, losses : numpy.ndarray of uint64
    Deals each seat won alone, tied for the best hand, and lost.
by_winners : numpy.ndarray of uint64, shape (players, players + 1)
    by_winners[s, 0] the deals seat s + 1 lost, [s, 1] those it won
    alone, [s, k] those it tied for the best hand among k winners.
equity, margin : numpy.ndarray of float64
    The equity as a fraction of one pot (the console's EQUITY% / 100) and
    the half-width of its 95% interval (+/-95% / 100).
game : Game
    The game the seats were counted under.

Examples
--------
>>> g = orvix.Game(players=3, hand_size=2, board=5, hold={1: "As Ad"})
>>> seats = g.simulate(2000, seed=7).seats
>>> seats.wins.shape, int(seats.wins[0] + seats.ties[0] + seats.losses[0])
((3,), 2000)
>>> bool(seats.equity[0] > seats.equity[1])
True)")
      .def_property_readonly(
          "deals", [](const PySeatTable& t) { return t.results.deals; }, "Deals counted.")
      .def_property_readonly(
          "wins",
          [](const PySeatTable& t) {
            return per_seat<std::uint64_t>(t.results, [](const SeatSummary& s) { return s.wins; });
          },
          "Deals won alone per seat: uint64 array (players,).")
      .def_property_readonly(
          "ties",
          [](const PySeatTable& t) {
            return per_seat<std::uint64_t>(t.results, [](const SeatSummary& s) { return s.ties; });
          },
          "Deals tied for the best hand per seat: uint64 array (players,).")
      .def_property_readonly(
          "losses",
          [](const PySeatTable& t) {
            return per_seat<std::uint64_t>(t.results,
                                           [](const SeatSummary& s) { return s.losses; });
          },
          "Deals lost per seat: uint64 array (players,).")
      .def_property_readonly(
          "equity",
          [](const PySeatTable& t) {
            return per_seat<double>(t.results, [](const SeatSummary& s) { return s.equity; });
          },
          "Equity per seat, as a fraction of one pot: float64 array (players,).")
      .def_property_readonly(
          "margin",
          [](const PySeatTable& t) {
            return per_seat<double>(t.results, [](const SeatSummary& s) { return s.margin; });
          },
          "Half-width of the 95% interval of each seat's equity: float64 array (players,).")
      .def_property_readonly(
          "by_winners",
          [](const PySeatTable& t) {
            const int players = t.results.game.players;
            py::array_t<std::uint64_t> out({players, players + 1});
            std::uint64_t* data = out.mutable_data();
            for (int s = 0; s < players; ++s)
              for (int k = 0; k <= players; ++k)
                data[s * (players + 1) + k] = t.results.seat[s].by_winners[k];
            return out;
          },
          "Deals per seat by number of winners (0: lost): uint64 array (players, players + 1).")
      .def_property_readonly(
          "game", [](const PySeatTable& t) { return PyGame{t.results.game}; },
          "The game the seats were counted under.")
      .def("__repr__", [](const PySeatTable& t) {
        return "<orvix.SeatTable: " + std::to_string(t.results.game.players) + " seats, " +
               std::to_string(t.results.deals) + " deals>";
      });

  py::class_<PyResult>(m, "SimulationResult",
                       R"(The counts of one or more simulated runs (Game.simulate()).

wins[c, r] and losses[c, r] count the hands of category c and top rank r
(0 = Two .. 12 = Ace) that won or lost their deal. Every player holding the
deal's best hand wins it, so a tie makes several winners. seats holds the
results per seat: wins, ties, losses and equity.

Results of one game add with + (or add()), like `load` adds a file to the
table; to_json() gives the file the console program's `save` writes, and
from_json() reads one back (or one the console program saved).

Examples
--------
>>> g = orvix.Game(players=2)
>>> both = g.simulate(500, seed=1) + g.simulate(700, seed=2)
>>> both.deals, both.total_hands, both.total_wins >= both.deals
(1200, 2400, True)
>>> [run["deals"] for run in both.runs]
[500, 700])")
      .def_property_readonly(
          "wins", [](const PyResult& r) { return grid(r.table.wins); },
          "Winning hands per category and top rank: uint64 array (10, 13).")
      .def_property_readonly(
          "losses", [](const PyResult& r) { return grid(r.table.losses); },
          "Losing hands per category and top rank: uint64 array (10, 13).")
      .def_property_readonly(
          "category_wins", [](const PyResult& r) { return row(r.table.category_wins); },
          "Winning hands per category: uint64 array (10,).")
      .def_property_readonly(
          "category_losses", [](const PyResult& r) { return row(r.table.category_losses); },
          "Losing hands per category: uint64 array (10,).")
      .def_property_readonly(
          "total_hands", [](const PyResult& r) { return r.table.total_hands; },
          "Player hands counted (each deal counts one per player): wins plus losses.")
      .def_property_readonly("deals", &deals, "Deals played, over every run.")
      .def_property_readonly(
          "total_wins", [](const PyResult& r) { return r.table.total_wins; }, "Winning hands.")
      .def_property_readonly(
          "total_losses", [](const PyResult& r) { return r.table.total_losses; }, "Losing hands.")
      .def_property_readonly(
          "seed",
          [](const PyResult& r) -> py::object {
            if (r.runs.size() != 1) return py::none();
            return py::int_(r.runs.front().seed);
          },
          "The run seed of a single run (None for a sum of runs; see runs).")
      .def_property_readonly(
          "game",
          [](const PyResult& r) -> py::object {
            if (r.runs.empty()) return py::none();
            return py::cast(PyGame{r.runs.front().game});
          },
          "The game of the first run (its hands are the run's), or None.")
      .def_property_readonly(
          "runs",
          [](const PyResult& r) {
            py::list runs;
            for (const RunRecord& run : r.runs) runs.append(run_dict(run));
            return runs;
          },
          "One dict per run, oldest first: game, seed, part, parts, deals, seconds.")
      .def_property_readonly(
          "seats",
          [](const PyResult& r) -> py::object {
            if (r.table.seats.deals == 0) return py::none();
            return py::cast(PySeatTable{r.table.seats});
          },
          "The results per seat (SeatTable) of one game; None when there are none (a file "
          "saved before seat counts). Sums keep those of the first game.")
      .def_readonly("stopped", &PyResult::stopped, "True when a run was stopped before its end.")
      .def(
          "to_json", [](const PyResult& r) { return save_json_text(r.table, r.runs); },
          R"(The JSON text the console program's `save` writes for these counts and runs.

Returns
-------
str
    A complete save file, which from_json() and the console's `load` read.)")
      .def_static("from_json", &from_json, py::arg("text"),
                  R"(Reads the JSON of to_json() or of a file the console program's `save` wrote.

Parameters
----------
text : str
    The whole file.

Returns
-------
SimulationResult

Raises
------
ValueError
    Text that is not a complete, consistent save.

Examples
--------
>>> r = orvix.Game().simulate(100, seed=5)
>>> orvix.SimulationResult.from_json(r.to_json()) == r
True)")
      .def("add", &add, py::arg("other"), py::arg("allow_mixed") = false,
           R"(The sum of two results: their counts added and their runs listed.

Parameters
----------
other : SimulationResult
allow_mixed : bool, optional
    Add results of different games too; + refuses them.

Returns
-------
SimulationResult

Raises
------
ValueError
    Results of different games (unless allow_mixed), or counts beyond
    2**64 - 1.

Examples
--------
>>> a = orvix.Game(players=2).simulate(100, seed=1)
>>> b = orvix.Game(players=3).simulate(100, seed=1)
>>> a.add(b, allow_mixed=True).total_hands
500)")
      .def(
          "__add__", [](const PyResult& a, const PyResult& b) { return add(a, b, false); },
          py::is_operator())
      .def(
          "__eq__",
          [](const PyResult& a, const PyResult& b) {
            return std::equal(&a.table.wins[0][0],
                              &a.table.wins[0][0] + kCategoryCount * kRankCount,
                              &b.table.wins[0][0]) &&
                   std::equal(&a.table.losses[0][0],
                              &a.table.losses[0][0] + kCategoryCount * kRankCount,
                              &b.table.losses[0][0]) &&
                   a.table.seats == b.table.seats;
          },
          "Equal counts, seat counts included (the run records are not compared).")
      .def("__repr__", [](const PyResult& r) {
        return "<orvix.SimulationResult: " + std::to_string(deals(r)) + " deals from " +
               std::to_string(r.runs.size()) + (r.runs.size() == 1 ? " run>" : " runs>");
      });
}

}  // namespace orvix::python
