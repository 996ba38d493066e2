// evaluate_many: a NumPy array of hands in, their values out, on every core
// and without the interpreter lock.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include <orvix/evaluate.h>
#include <orvix/ranking.h>

#include "bindings.h"
#include "card_codes.h"
#include "interruptible.h"
#include "platform/processors.h"
#include "typed_argument.h"

namespace orvix::python {

namespace {

// Below this many hands per thread, starting threads costs more than it saves.
constexpr py::ssize_t kMinHandsPerThread = 1 << 15;
// Hands checked and then scored together, so a block is still in cache when scored.
constexpr py::ssize_t kBlockHands = 1024;

std::string shape_text(const py::array& a) {
  std::string text = "(";
  for (py::ssize_t d = 0; d < a.ndim(); ++d) {
    if (d > 0) text += ", ";
    text += std::to_string(a.shape(d));
  }
  return text + (a.ndim() == 1 ? ",)" : ")");
}

// Scores hands [first, last) of k cards, under `ranking` when not null;
// false (and the rest unscored) at the first block holding a word that is no
// card code, or once cancelled.
bool score_hands(const CardCode* cards, int k, HandValue* out, py::ssize_t first, py::ssize_t last,
                 const Ranking* ranking, const std::atomic<bool>& cancel) {
  const evaluate_hand score = select_evaluator(k);
  for (py::ssize_t begin = first; begin < last; begin += kBlockHands) {
    if (cancel.load(std::memory_order_relaxed)) return false;
    const py::ssize_t end = std::min(last, begin + kBlockHands);
    const CardCode* block = cards + begin * k;
    const py::ssize_t words = (end - begin) * k;
    CardCode mismatch = 0;
    for (py::ssize_t i = 0; i < words; ++i) mismatch |= card_code_mismatch(block[i]);
    if (mismatch != 0) return false;
    if (ranking != nullptr) {
      for (py::ssize_t h = begin; h < end; ++h) out[h] = evaluate(cards + h * k, k, *ranking);
    } else {
      for (py::ssize_t h = begin; h < end; ++h) out[h] = score(cards + h * k);
    }
  }
  return true;
}

// The first word that is no card code, as "cards[i, j] = 0x...".
std::string first_bad_code(const CardCode* cards, py::ssize_t n, int k) {
  for (py::ssize_t i = 0; i < n * k; ++i)
    if (!is_card_code(cards[i])) {
      char hex[16];
      std::snprintf(hex, sizeof hex, "0x%08X", cards[i]);
      return "cards[" + std::to_string(i / k) + ", " + std::to_string(i % k) + "] = " + hex +
             " is not a card code";
    }
  return "a card changed while it was scored";
}

py::array_t<HandValue> evaluate_many(py::handle cards_argument, py::handle threads_argument,
                                     py::handle ranking_argument_given) {
  Ranking ranking_storage;
  const Ranking* ranking = optional_ranking_argument(ranking_argument_given, ranking_storage);
  if (PyUnicode_Check(cards_argument.ptr()) || PyBytes_Check(cards_argument.ptr()))
    throw py::type_error(
        "evaluate_many() takes an array of card codes; orvix.codes() makes one from card text");
  // One row after the other in memory, as the evaluators read them (a copy
  // only when they are not already).
  const auto codes = uint32_words(cards_argument, "evaluate_many", "card codes",
                                  "; orvix.codes() makes them from card text");
  if (codes.ndim() != 2)
    throw py::value_error(
        "evaluate_many() takes an array of shape (n, k), one hand of k cards per row, not " +
        shape_text(codes));
  const py::ssize_t n = codes.shape(0);
  const py::ssize_t k = codes.shape(1);
  if (k < 1 || k > kMaxHandSize)
    throw py::value_error("hands hold 1 to 20 cards, not " + std::to_string(k));

  int threads = 0;
  if (!threads_argument.is_none()) {
    threads = int32_argument(threads_argument, "threads");
    if (threads < 0)
      throw py::value_error("threads must be 0 (every core) or more, not " +
                            given_text(threads_argument));
  }

  py::array_t<HandValue> values(n);
  const CardCode* in = codes.data();
  HandValue* out = values.mutable_data();
  const int width = static_cast<int>(k);

  if (threads == 0) threads = processor_count();
  threads = static_cast<int>(
      std::max<py::ssize_t>(1, std::min<py::ssize_t>(threads, n / kMinHandsPerThread)));

  bool all_cards = true;
  auto score_all = [&](const std::atomic<bool>& cancel) {
    if (threads == 1) {
      all_cards = score_hands(in, width, out, 0, n, ranking, cancel);
    } else {
      std::vector<char> done(static_cast<std::size_t>(threads), 0);
      std::vector<std::thread> pool;
      const py::ssize_t share = (n + threads - 1) / threads;
      for (int t = 0; t < threads; ++t) {
        const py::ssize_t first = std::min(n, t * share);
        const py::ssize_t last = std::min(n, first + share);
        auto score_share = [&, t, first, last] {
          done[static_cast<std::size_t>(t)] =
              score_hands(in, width, out, first, last, ranking, cancel);
        };
        // A share no thread can be started for is scored here; the threads
        // already started are joined either way.
        try {
          pool.emplace_back(score_share);
        } catch (const std::system_error&) {
          score_share();
        }
      }
      for (std::thread& thread : pool) thread.join();
      all_cards = std::all_of(done.begin(), done.end(), [](char ok) { return ok != 0; });
    }
  };
  // A small array is scored before a thread could be started to watch for Ctrl-C.
  if (n < kMinHandsPerThread) {
    const std::atomic<bool> never{false};
    py::gil_scoped_release unlocked;
    score_all(never);
  } else {
    run_interruptible(score_all);
  }
  if (!all_cards) throw py::value_error(first_bad_code(in, n, width));
  return values;
}

}  // namespace

void bind_evaluate_many(py::module_& m) {
  m.def(
      "evaluate_many",
      [](Typed<ArrayLikeType> cards, Typed<IntOrNoneType> threads,
         Typed<RankingOrNoneType> ranking) {
        return evaluate_many(cards.value, threads.value, ranking.value);
      },
      py::arg("cards"), py::arg("threads") = py::none(), py::arg("ranking") = py::none(),
      R"(The values of many hands at once, each equal to evaluate() of its row.

The interpreter lock is released while it works, and large arrays are split
over every core; Ctrl-C stops it at once with KeyboardInterrupt.

Parameters
----------
cards : array_like of int, shape (n, k)
    Card codes (see codes()), one hand of k cards (1 to 20) per row.
threads : int or None, optional
    None or 0 uses every core; 1 keeps to one.
ranking : str or sequence of str, optional
    The order of the categories, as evaluate() takes it.

Returns
-------
numpy.ndarray of uint32, shape (n,)
    The value of each hand.

Raises
------
TypeError
    An array that is not of integers.
ValueError
    Another shape, or a word that is no card code.

Examples
--------
>>> hands = orvix.codes([["As", "Ks", "Qs", "Js", "Ts"], ["2d", "2s", "*", "9c", "4h"]])
>>> [orvix.category_name(v) for v in orvix.evaluate_many(hands)]
['Straight Flush', 'Three of a Kind'])");
}

}  // namespace orvix::python
