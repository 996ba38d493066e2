// Cards and single hands: card text to codes, evaluate, and the decoding of
// hand values.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <algorithm>
#include <string>
#include <vector>

#include <orvix/best_five.h>
#include <orvix/card.h>
#include <orvix/evaluate.h>
#include <orvix/ranking.h>

#include "bindings.h"
#include "card_codes.h"
#include "rules/ascii.h"
#include "typed_argument.h"

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
    throw py::value_error(given_text(value) + " is not a card code");
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
  if (wide < 0 || wide > 0xFFFFFFFF ||
      hand_category(static_cast<HandValue>(wide)) >= kCategoryCount)
    throw py::value_error(given_text(value) + " is not a hand value");
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
  if (!PySequence_Check(texts.ptr()) || PyBytes_Check(texts.ptr()) ||
      PyByteArray_Check(texts.ptr()))
    throw py::type_error(
        "codes() takes a string of cards, a list of card texts or a list of hands, not " +
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
      if (!is_text(item))
        throw py::type_error("codes() takes either card texts or hands, not both");
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

HandValue evaluate_hand_argument(Typed<HandType> hand, Typed<RankingOrNoneType> ranking_given) {
  Ranking storage;
  const Ranking* ranking = optional_ranking_argument(ranking_given.value, storage);
  const std::vector<CardCode> cards = hand_argument(hand.value);
  if (cards.empty()) throw py::value_error("no cards");
  const int count = static_cast<int>(cards.size());
  return ranking != nullptr ? evaluate(cards.data(), count, *ranking)
                            : evaluate(cards.data(), count);
}

// The value and the five cards that make it, as the console's `hand` shows them.
py::tuple best_five_of_hand_argument(Typed<HandType> hand, Typed<RankingOrNoneType> ranking_given) {
  Ranking storage;
  const Ranking* ranking = optional_ranking_argument(ranking_given.value, storage);
  const std::vector<CardCode> cards = hand_argument(hand.value);
  if (cards.empty()) throw py::value_error("no cards");
  const int count = static_cast<int>(cards.size());
  const BestFive best = ranking != nullptr ? best_five(cards.data(), count, *ranking)
                                           : best_five(cards.data(), count);
  const std::string text = best_five_text(best);
  py::list shown;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t blank = std::min(text.find(' ', start), text.size());
    shown.append(py::str(text.substr(start, blank - start)));
    start = blank + 1;
  }
  return py::make_tuple(best.value, shown);
}

// A decoder of hand values made under `ranking` (standard values when
// null): the field it reads, or -1 when the word is no hand value (or has
// no such field).
using Decoder = int (*)(HandValue, const Ranking*);

int category_of(HandValue value, const Ranking* ranking) {
  if (hand_category(value) >= kCategoryCount) return -1;
  return ranking != nullptr ? hand_category(value, *ranking) : hand_category(value);
}

int top_rank_of(HandValue value, const Ranking* ranking) {
  if (category_of(value, ranking) < 0) return -1;
  const int rank = ranking != nullptr ? top_rank(value, *ranking) : top_rank(value);
  return rank < kRankCount ? rank : -1;
}

// One value (a Python int or NumPy integer) decoded to an int, or an array
// (or anything NumPy makes one of) decoded to a uint8 array of its shape.
Typed<IntOrArrayType> decode(py::handle values, const char* function, Decoder decoder,
                             py::handle ranking_given) {
  Ranking storage;
  const Ranking* ranking = optional_ranking_argument(ranking_given, storage);
  if (!py::isinstance<py::array>(values) &&
      (PyIndex_Check(values.ptr()) || PyBool_Check(values.ptr()))) {
    const int field = decoder(value_argument(values), ranking);
    if (field < 0) throw py::value_error(std::string(py::str(values)) + " is not a hand value");
    return {py::int_(field)};
  }
  const py::array words = uint32_words(values, function, "hand values");
  py::array_t<std::uint8_t> fields(
      std::vector<py::ssize_t>(words.shape(), words.shape() + words.ndim()));
  const auto* in = static_cast<const HandValue*>(words.data());
  std::uint8_t* out = fields.mutable_data();
  for (py::ssize_t i = 0; i < words.size(); ++i) {
    const int field = decoder(in[i], ranking);
    if (field < 0)
      throw py::value_error("values[" + std::to_string(i) + "] = " + std::to_string(in[i]) +
                            " is not a hand value");
    out[i] = static_cast<std::uint8_t>(field);
  }
  return {std::move(fields)};
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

  m.def("evaluate", &evaluate_hand_argument, py::arg("hand"), py::arg("ranking") = py::none(),
        R"(The value of a hand of 1 to 20 cards: greater is better, equal ties.

Parameters
----------
hand : str or sequence of str or int
    A string of cards ("As Ad 9c 9h 3s"), or a sequence of card texts
    (["As", "*", "7h"]) or card codes. "*" is a wild card; a card may
    repeat (several decks).
ranking : str or sequence of str, optional
    The order of the categories: "standard", "shortdeck" (Flush above Full
    House, A-6-7-8-9 the lowest straight), "low" and "deuce" (ace-to-five and
    deuce-to-seven lowball: the lowest hand wins, and its value is the
    greatest), or the ten categories highest
    first, as codes ("5K", "SF", "4K", "FH", "FL", "ST", "3K", "2P", "1P",
    "HC") or names. None values as the standard order does.

Returns
-------
int
    The 32-bit hand value; category() and top_rank() decode it (given the
    same ranking: a ranked value holds its category's place in the order).

Raises
------
ValueError
    An unknown card, no cards or more than 20; a ranking name it does not
    know, or an order that does not name each category once.

Examples
--------
>>> hex(orvix.evaluate("* * 7h 8h 9s"))
'0x408003e0'
>>> orvix.evaluate(["As", "Ad", "9c", "9h", "3s"]) > orvix.evaluate("Ks Kd Qc Qh Js")
True)");

  m.def("best_five", &best_five_of_hand_argument, py::arg("hand"), py::arg("ranking") = py::none(),
        R"(The value of a hand and the five cards that make it.

Parameters
----------
hand : str or sequence of str or int
    A hand of 1 to 20 cards, as evaluate() takes it.
ranking : str or sequence of str, optional
    The order of the categories, as evaluate() takes it.

Returns
-------
tuple of (int, list of str)
    The hand value (evaluate()'s under the same ranking) and the cards that make it: five, or all
    of a smaller hand, the largest group first, then by rank. A wild card
    shows the rank it stands for and "*" ("A*"), with its suit in a Flush
    or Straight Flush ("Kh*"). Short deck's A-6-7-8-9 ends with its Ace.

Raises
------
ValueError
    An unknown card, no cards or more than 20; a ranking refused.

Examples
--------
>>> value, cards = orvix.best_five("As 9c * 9h 3s Ad")
>>> orvix.category_name(value), cards
('Full House', ['Ad', 'As', 'A*', '9c', '9h'])
>>> orvix.best_five("Ad 2s 3c 4h 5d 9c")[1]
['5d', '4h', '3c', '2s', 'Ad']
>>> orvix.best_five("Kh Kd Kc 9h 9s 5h 2h Jh", ranking="shortdeck")[1]
['Kh', 'Jh', '9h', '5h', '2h'])");

  m.def(
      "codes", [](Typed<CardTextsType> texts) { return codes(texts.value); }, py::arg("texts"),
      R"(Card codes of card text, with the card reading of evaluate().

Parameters
----------
texts : str or sequence of str or sequence of sequences of str
    A string of cards or a list of card texts; or a list of hands, each a
    string of cards ("As Ks") or a list of card texts, all of one size.

Returns
-------
numpy.ndarray of uint32
    One code per card: a 1-D array for one list of cards, an array of
    shape (n, k) for n hands of k cards, ready for evaluate_many().

Examples
--------
>>> orvix.codes("As *").tolist() == [0x120C1000, orvix.JOKER]
True
>>> orvix.codes(["As Ks", ["2d", "*"]]).shape
(2, 2))");

  m.def(
      "card_text", [](Typed<IntType> code) { return card_text(code_argument(code.value)); },
      py::arg("code"),
      R"(The text of a card code.

Parameters
----------
code : int
    A card code, as codes() makes them.

Returns
-------
str
    "As", "Td", ...; "*" for every wild card.

Examples
--------
>>> [orvix.card_text(c) for c in orvix.codes("Td as *")]
['Td', 'As', '*'])");

  m.def(
      "category",
      [](Typed<ValuesType> values, Typed<RankingOrNoneType> ranking) {
        return decode(values.value, "category", category_of, ranking.value);
      },
      py::arg("values"), py::arg("ranking") = py::none(),
      R"(The category of hand values, 0 (High Card) to 9 (Five of a Kind).

Parameters
----------
values : int or array_like of int
    One hand value, or an array of them (such as evaluate_many() returns).
ranking : str or sequence of str, optional
    The ranking the values were made under (evaluate()'s argument).

Returns
-------
int or numpy.ndarray of uint8
    An index into CATEGORY_NAMES: an int for one value, an array of the
    same shape for an array.

Examples
--------
>>> orvix.category(orvix.evaluate("As Ad 9c 9h 3s"))
2
>>> orvix.category(orvix.evaluate_many(orvix.codes(["As Ks Qs Js Ts", "2d 7c 9h Jd Kc"])))
array([8, 0], dtype=uint8))");

  m.def(
      "category_name",
      [](Typed<IntType> value, Typed<RankingOrNoneType> ranking) {
        Ranking storage;
        return std::string(kCategoryNames[category_of(
            value_argument(value.value), optional_ranking_argument(ranking.value, storage))]);
      },
      py::arg("value"), py::arg("ranking") = py::none(),
      R"(The name of a hand value's category.

Parameters
----------
value : int
    One hand value.
ranking : str or sequence of str, optional
    The ranking the value was made under (evaluate()'s argument).

Returns
-------
str
    "High Card" to "Five of a Kind", as CATEGORY_NAMES spells them.

Examples
--------
>>> orvix.category_name(orvix.evaluate("* * * * 7h"))
'Five of a Kind')");

  m.def(
      "top_rank",
      [](Typed<ValuesType> values, Typed<RankingOrNoneType> ranking) {
        return decode(values.value, "top_rank", top_rank_of, ranking.value);
      },
      py::arg("values"), py::arg("ranking") = py::none(),
      R"(The rank hand values are filed under, 0 (Two) to 12 (Ace).

That is the best rank of a hand's pairs, trips or quads (the best of them),
or the best card of a Straight, Flush or High Card hand.

Parameters
----------
values : int or array_like of int
    One hand value, or an array of them (such as evaluate_many() returns).
ranking : str or sequence of str, optional
    The ranking the values were made under (evaluate()'s argument).

Returns
-------
int or numpy.ndarray of uint8
    An index into RANK_NAMES: an int for one value, an array of the same
    shape for an array.

Examples
--------
>>> orvix.RANK_NAMES[orvix.top_rank(orvix.evaluate("As Ad 9c 9h 3s"))]
'Ace'
>>> orvix.top_rank(orvix.evaluate_many(orvix.codes(["2d 3d 4d 5d 6d", "Kc Kd 3h 3s 9c"])))
array([ 4, 11], dtype=uint8))");
}

}  // namespace orvix::python
