// Cards and single hands: card text to codes, evaluate, and the decoding of
// hand values.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <algorithm>
#include <string>
#include <vector>

#include <orvix/card.h>
#include <orvix/evaluate.h>

#include "bindings.h"
#include "card_codes.h"
#include "rules/ascii.h"

namespace orvix::python {

namespace {

bool is_text(py::handle value) { return PyUnicode_Check(value.ptr()); }

// Card text as UTF-8; card texts are ASCII, so any other character simply
// makes an unknown card.
std::string text_of(py::handle value) { return std::string(py::str(value)); }

CardCode card_of_text(std::string_view text) {
  CardCode card = 0;
  if (!parse_card(text, card)) {
    std::string shown(text.substr(0, 40));
    if (text.size() > 40) shown += "...";
    throw py::value_error("unknown card \"" + shown + "\"");
  }
  return card;
}

constexpr std::size_t kHandLimit = kMaxHandSize;
constexpr std::size_t kNoLimit = static_cast<std::size_t>(-1);

// The first problem in reading order stands, as in orvix-eval: a card past
// the limit is refused as one too many before its text is looked at.
void check_room(const std::vector<CardCode>& cards, std::size_t limit) {
  if (cards.size() >= limit) throw py::value_error("more than 20 cards");
}

// The cards of one string, separated by white space: "As Kd *".
void append_cards_of_line(std::string_view line, std::vector<CardCode>& cards, std::size_t limit) {
  std::size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && is_blank(line[pos])) ++pos;
    const std::size_t start = pos;
    while (pos < line.size() && !is_blank(line[pos])) ++pos;
    if (pos > start) {
      check_room(cards, limit);
      cards.push_back(card_of_text(line.substr(start, pos - start)));
    }
  }
}

CardCode code_argument(py::handle value) {
  const std::int64_t code = int_argument(value, "a card code");
  if (code < 0 || code > 0xFFFFFFFF || !is_card_code(static_cast<CardCode>(code)))
    throw py::value_error(std::to_string(code) + " is not a card code");
  return static_cast<CardCode>(code);
}

// One hand: a string of cards, or a sequence of card texts or card codes
// (a NumPy array of codes included).
std::vector<CardCode> hand_argument(py::handle hand) {
  std::vector<CardCode> cards;
  if (is_text(hand)) {
    append_cards_of_line(text_of(hand), cards, kHandLimit);
    return cards;
  }
  if (!PySequence_Check(hand.ptr()) || PyBytes_Check(hand.ptr()) || PyByteArray_Check(hand.ptr()))
    throw py::type_error("a hand is a string of cards or a sequence of cards, not " +
                         std::string(py::str(py::type::handle_of(hand).attr("__name__"))));
  const py::sequence items = py::reinterpret_borrow<py::sequence>(hand);
  for (const py::object item : items) {
    check_room(cards, kHandLimit);
    if (is_text(item)) {
      cards.push_back(card_of_text(text_of(item)));
    } else if (PyIndex_Check(item.ptr()) && !PyBool_Check(item.ptr())) {
      cards.push_back(code_argument(item));
    } else {
      throw py::type_error("a card is a card text such as \"As\" or a card code, not " +
                           std::string(py::str(py::type::handle_of(item).attr("__name__"))));
    }
  }
  return cards;
}

// A hand value from Python, checked to decode: 32 bits and a known category.
HandValue value_argument(py::handle value) {
  const std::int64_t wide = int_argument(value, "a hand value");
  if (wide < 0 || wide > 0xFFFFFFFF || hand_category(static_cast<HandValue>(wide)) >= kCategoryCount)
    throw py::value_error(std::to_string(wide) + " is not a hand value");
  return static_cast<HandValue>(wide);
}

py::array_t<CardCode> codes(py::handle texts) {
  if (is_text(texts)) {
    std::vector<CardCode> cards;
    append_cards_of_line(text_of(texts), cards, kNoLimit);
    py::array_t<CardCode> out(static_cast<py::ssize_t>(cards.size()));
    std::copy(cards.begin(), cards.end(), out.mutable_data());
    return out;
  }
  if (!PySequence_Check(texts.ptr()) || PyBytes_Check(texts.ptr()) || PyByteArray_Check(texts.ptr()))
    throw py::type_error("codes() takes a string of cards, a list of card texts or a list of hands, not " +
                         std::string(py::str(py::type::handle_of(texts).attr("__name__"))));
  const py::sequence items = py::reinterpret_borrow<py::sequence>(texts);
  // A card text holds no blank, so a string with one is a whole hand.
  bool hands = items.size() > 0 && !is_text(items[0]);
  for (const py::object item : items)
    if (is_text(item)) {
      const std::string text = text_of(item);
      hands = hands || std::any_of(text.begin(), text.end(), is_blank);
    }
  if (!hands) {
    py::array_t<CardCode> out(static_cast<py::ssize_t>(items.size()));
    CardCode* data = out.mutable_data();
    for (const py::object item : items) {
      if (!is_text(item)) throw py::type_error("codes() takes either card texts or hands, not both");
      *data++ = card_of_text(text_of(item));
    }
    return out;
  }
  // A list of hands: each a string of cards or a list of card texts, all of one size.
  std::vector<CardCode> all;
  std::size_t width = 0;
  std::size_t row = 0;
  for (const py::object item : items) {
    const std::vector<CardCode> hand = hand_argument(item);
    if (row == 0) width = hand.size();
    if (hand.size() != width)
      throw py::value_error("hand " + std::to_string(row) + " has " + std::to_string(hand.size()) +
                            " cards, hand 0 has " + std::to_string(width));
    all.insert(all.end(), hand.begin(), hand.end());
    ++row;
  }
  py::array_t<CardCode> out({static_cast<py::ssize_t>(row), static_cast<py::ssize_t>(width)});
  std::copy(all.begin(), all.end(), out.mutable_data());
  return out;
}

HandValue evaluate_hand_argument(py::handle hand) {
  const std::vector<CardCode> cards = hand_argument(hand);
  if (cards.empty()) throw py::value_error("no cards");
  return evaluate(cards.data(), static_cast<int>(cards.size()));
}

}  // namespace

void bind_cards(py::module_& m) {
  py::tuple category_names(kCategoryCount);
  for (int c = 0; c < kCategoryCount; ++c) category_names[c] = py::str(kCategoryNames[c]);
  py::tuple rank_names(kRankCount);
  for (int r = 0; r < kRankCount; ++r) rank_names[r] = py::str(kRankWords[r]);
  m.attr("CATEGORY_NAMES") = category_names;
  m.attr("RANK_NAMES") = rank_names;
  m.attr("JOKER") = py::int_(kJoker);
  m.attr("MAX_HAND_SIZE") = py::int_(kMaxHandSize);

  m.def("evaluate", &evaluate_hand_argument, py::arg("hand"),
        R"(evaluate(hand) -> int

The 32-bit value of a hand of 1 to 20 cards: greater is better, equal ties.
hand is a string of cards ("As Ad 9c 9h 3s"), or a sequence of card texts
(["As", "*", "7h"]) or card codes. "*" is a wild card; a card may repeat
(several decks).

    >>> hex(orvix.evaluate("* * 7h 8h 9s"))
    '0x408003e0'

ValueError for an unknown card, no cards or more than 20.)");

  m.def("codes", &codes, py::arg("texts"),
        R"(codes(texts) -> numpy.ndarray of uint32

Card text to card codes, with the card reading of evaluate():
a string of cards or a list of card texts gives a 1-D array; a list of
hands (each a string of cards such as "As Ks" or a list of card texts, all
of one size) gives an array of shape (n, k), ready for evaluate_many().

    >>> orvix.codes(["As Ks", "2d *"]).shape
    (2, 2))");

  m.def(
      "card_text", [](py::handle code) { return card_text(code_argument(code)); }, py::arg("code"),
      R"(card_text(code) -> str

The text of a card code: "As", "Td"; "*" for every wild card.)");

  m.def(
      "category", [](py::handle value) { return hand_category(value_argument(value)); }, py::arg("value"),
      R"(category(value) -> int

The category of a hand value, 0 (High Card) to 9 (Five of a Kind); an index
into CATEGORY_NAMES.)");

  m.def(
      "category_name", [](py::handle value) { return std::string(kCategoryNames[hand_category(value_argument(value))]); },
      py::arg("value"),
      R"(category_name(value) -> str

The name of a hand value's category: "Straight", "Five of a Kind", ...)");

  m.def(
      "top_rank",
      [](py::handle value) {
        const int rank = top_rank(value_argument(value));
        if (rank >= kRankCount) throw py::value_error(py::str(value).cast<std::string>() + " is not a hand value");
        return rank;
      },
      py::arg("value"),
      R"(top_rank(value) -> int

The rank a hand value is filed under, 0 (Two) to 12 (Ace): the best rank of
its pairs, trips or quads (the best of them), or the best card of a
Straight, Flush or High Card hand. An index into RANK_NAMES.)");
}

}  // namespace orvix::python
