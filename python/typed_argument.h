#pragma once
// Arguments the module reads itself (NumPy integers welcome, bool refused,
// huge ints saturated, lists and arrays told apart), shown by help() under
// the Python type they take: pybind11 hands them over as they come and
// names them by the text of `Name`.
//
//   m.def("f", [](Typed<IntType> count) { int_argument(count.value, "count"); }, py::arg("count"));
//   help(f) -> f(count: int) -> ...

#include <pybind11/pybind11.h>

namespace orvix::python {

template <typename Name>
struct Typed {
  pybind11::object value;
};

#define ORVIX_PYTHON_TYPE(Tag, text)                                 \
  struct Tag {                                                       \
    static constexpr auto name = pybind11::detail::const_name(text); \
  }

ORVIX_PYTHON_TYPE(IntType, "int");
ORVIX_PYTHON_TYPE(IntOrNoneType, "int | None");
ORVIX_PYTHON_TYPE(HandType, "str | Sequence[str | int]");
ORVIX_PYTHON_TYPE(CardTextsType, "str | Sequence[str | Sequence[str]]");
ORVIX_PYTHON_TYPE(CardWordsType, "str | Sequence[str]");
ORVIX_PYTHON_TYPE(ArrayLikeType, "numpy.typing.ArrayLike");
ORVIX_PYTHON_TYPE(ValuesType, "int | numpy.typing.ArrayLike");
ORVIX_PYTHON_TYPE(IntOrArrayType, "int | numpy.ndarray");
ORVIX_PYTHON_TYPE(SeedType, "int | str | None");
ORVIX_PYTHON_TYPE(PartType, "tuple[int, int]");
ORVIX_PYTHON_TYPE(UseType, "int | str");
ORVIX_PYTHON_TYPE(PresetType, "str | None");
ORVIX_PYTHON_TYPE(RankingType, "str | Sequence[str]");
ORVIX_PYTHON_TYPE(RankingOrNoneType, "str | Sequence[str] | None");
ORVIX_PYTHON_TYPE(RankingValueType, "str | list[str]");
ORVIX_PYTHON_TYPE(HoldType, "Mapping[int | str, str | Sequence[str]] | None");

#undef ORVIX_PYTHON_TYPE

}  // namespace orvix::python

namespace pybind11::detail {

template <typename Name>
struct type_caster<orvix::python::Typed<Name>> {
  PYBIND11_TYPE_CASTER(orvix::python::Typed<Name>, Name::name);

  bool load(handle source, bool) {
    value.value = reinterpret_borrow<object>(source);
    return true;
  }
  static handle cast(const orvix::python::Typed<Name>& typed, return_value_policy, handle) {
    return typed.value.inc_ref();
  }
};

}  // namespace pybind11::detail
