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

// Runs of one game, whatever their lengths: every field but the run length.
bool same_game(GameRules a, GameRules b) {
  a.run_length = b.run_length = 0;
  return a == b;
}

PyResult add(const PyResult& a, const PyResult& b, bool allow_mixed) {
  if (!allow_mixed && !a.runs.empty())
    for (const RunRecord& run : b.runs)
      if (!same_game(a.runs.front().game, run.game))
        throw py::value_error("the results are of different games: \"" +
                              game_line(a.runs.front().game) + "\" and \"" + game_line(run.game) +
                              "\"; add(other, allow_mixed=True) adds them anyway");
  PyResult sum = a;
  if (!add_saved_counts(sum.table, b.table))
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
  py::class_<PyResult>(m, "SimulationResult",
                       R"(The counts of one or more simulated runs (Game.simulate()).

wins[c, r] and losses[c, r] count the hands of category c and top rank r
(0 = Two .. 12 = Ace) that won or lost their deal. Every player holding the
deal's best hand wins it, so a tie makes several winners.

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
                              &b.table.losses[0][0]);
          },
          "Equal counts (the run records are not compared).")
      .def("__repr__", [](const PyResult& r) {
        return "<orvix.SimulationResult: " + std::to_string(deals(r)) + " deals from " +
               std::to_string(r.runs.size()) + (r.runs.size() == 1 ? " run>" : " runs>");
      });
}

}  // namespace orvix::python
