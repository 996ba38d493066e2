// orvix._core, the compiled part of the Python package orvix: the hand
// evaluator, exact tables and seeded simulation of the orvix console program,
// as one more client of its libraries. python/orvix/ holds the package.

#include <pybind11/numpy.h>
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

void refuse_with(std::string_view program_text, const std::string& note) {
  std::string text = error_message(program_text);
  if (!text.empty() && text.back() == '.') text.pop_back();
  throw py::value_error(text + " (" + note + ").");
}

std::string given_text(py::handle value) {
  if (PyIndex_Check(value.ptr()) && !PyBool_Check(value.ptr())) {
    const py::object number = py::reinterpret_steal<py::object>(PyNumber_Index(value.ptr()));
    if (number) return std::string(py::str(number));
    PyErr_Clear();
  }
  return std::string(py::repr(value));
}

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

py::array_t<std::uint32_t, py::array::c_style> uint32_words(py::handle values, const char* function,
                                                            const char* what, const char* hint) {
  const py::module_ numpy = py::module_::import("numpy");
  const py::array array = numpy.attr("asarray")(values);
  const char kind = array.dtype().kind();
  if (kind != 'i' && kind != 'u')
    throw py::type_error(std::string(function) + "() takes integer " + what +
                         ", not an array of dtype " + std::string(py::str(array.dtype())) + hint);
  // Out-of-range words would wrap around into the 32 bits: refuse them first.
  if (!array.dtype().equal(py::dtype::of<std::uint32_t>()) && array.size() > 0 &&
      (py::int_(array.attr("min")()) < py::int_(0) ||
       py::int_(array.attr("max")()) > py::int_(0xFFFFFFFFu)))
    throw py::value_error(std::string(what) + " are 32-bit words from 0 to 4294967295");
  return py::array_t<std::uint32_t, py::array::c_style>(
      numpy.attr("ascontiguousarray")(array, py::arg("dtype") = numpy.attr("uint32")));
}

}  // namespace orvix::python

PYBIND11_MODULE(_core, m) {
  m.doc() = "The compiled part of the package orvix, which re-exports all of it: see help(orvix).";
  m.attr("__version__") = ORVIX_VERSION;
  orvix::python::bind_cards(m);
  orvix::python::bind_evaluate_many(m);
  // Results before games: help() names a class only once it is bound.
  orvix::python::bind_results(m);
  orvix::python::bind_game(m);
}
