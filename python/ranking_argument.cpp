// The ranking arguments of Game() and of the evaluating functions.

#include <string>

#include "bindings.h"
#include "rules/ranking_rules.h"

namespace orvix::python {

namespace {

// The console's word refusal also offers "frequency" and "order", which are
// commands there; Python takes the names and the sequence form.
constexpr const char kPythonRankingWordRefusal[] =
    "Error: ranking takes \"standard\", \"shortdeck\", \"low\", \"deuce\" or a sequence of "
    "ten categories.\n";

}  // namespace

Ranking ranking_argument(py::handle value) {
  Ranking ranking = standard_ranking();
  if (PyUnicode_Check(value.ptr())) {
    if (!named_ranking(std::string(py::str(value)), ranking))
      refuse_with(kPythonRankingWordRefusal, "ranking=" + given_text(value));
    return ranking;
  }
  if (!PySequence_Check(value.ptr()) || PyBytes_Check(value.ptr()) ||
      PyByteArray_Check(value.ptr()))
    throw py::type_error(
        "ranking takes \"standard\", \"shortdeck\", \"low\", \"deuce\" or a sequence of ten "
        "categories, not " +
        std::string(py::str(py::type::handle_of(value).attr("__name__"))));
  // Names hold blanks, so the words are joined by commas, which both codes
  // and names may be separated by; a word holding a comma is no category.
  std::string order;
  for (const py::handle item : py::reinterpret_borrow<py::sequence>(value)) {
    if (!PyUnicode_Check(item.ptr()))
      throw py::type_error("a category is a code such as \"FH\" or a name, not " +
                           std::string(py::str(py::type::handle_of(item).attr("__name__"))));
    const std::string word = py::str(item);
    if (word.find(',') != std::string::npos) refuse(kRankingOrderRefusal);
    if (!order.empty()) order += ',';
    order += word;
  }
  if (!parse_ranking_order(order, ranking)) refuse(kRankingOrderRefusal);
  return ranking;
}

const Ranking* optional_ranking_argument(py::handle value, Ranking& storage) {
  if (value.is_none()) return nullptr;
  storage = ranking_argument(value);
  return &storage;
}

py::object ranking_value(const Ranking& ranking) {
  const std::string name = ranking_name(ranking);
  if (name != "custom") return py::str(name);
  py::list codes;
  for (const std::uint8_t category : ranking.order) codes.append(py::str(kCategoryCodes[category]));
  return codes;
}

}  // namespace orvix::python
