// The shuffle against the uniform distribution: each dealt position
// must hold every card equally often, and each pair of positions every
// ordered pair of cards, for every way the draws are grouped (three, two or
// one index per generator output). Fixed seeds keep the outcome fixed; the
// bounds are five standard deviations of the chi-square statistic.

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <string>
#include <vector>

#include "deal_helpers.h"
#include "sim/seeding.h"

namespace orvix {
namespace {

// Wilson-Hilferty: the chi-square value k degrees of freedom exceed with the
// probability of z standard deviations of a normal variable.
double chi_square_bound(double k, double z) {
  const double a = 2.0 / (9.0 * k);
  return k * std::pow(1.0 - a + z * std::sqrt(a), 3.0);
}

double chi_square(const std::vector<long>& counts, double expected) {
  double sum = 0;
  for (long c : counts)
    sum += (static_cast<double>(c) - expected) * (static_cast<double>(c) - expected) / expected;
  return sum;
}

// A worker over the cards 0 .. deck_size - 1, dealing `dealt` of them.
SimWorker numbered_worker(int deck_size, int dealt, std::uint64_t seed) {
  SimWorker worker;
  worker.deck.resize(static_cast<std::size_t>(deck_size));
  std::iota(worker.deck.begin(), worker.deck.end(), 0u);
  worker.layout = worker.deck;
  worker.deck_size = deck_size;
  worker.dealt_cards = dealt;
  seed_worker(worker, seed, 0);
  return worker;
}

TEST(ShuffleUniformity, EveryPositionOfADefaultDealHoldsEveryCardEvenly) {
  // 25 of 52 cards, from the sorted pack each time as a block starts, and
  // from the arrangement the last deal left, as within a block.
  for (const bool fresh : {true, false}) {
    SimWorker worker = numbered_worker(52, 25, fresh ? 11 : 12);
    const int deals = 104000;  // 2000 per card and position
    std::vector<std::vector<long>> counts(25, std::vector<long>(52, 0));
    for (int deal = 0; deal < deals; ++deal) {
      if (fresh) worker.deck = worker.layout;
      shuffle_deal(worker);
      for (int p = 0; p < 25; ++p)
        ++counts[static_cast<std::size_t>(p)][worker.deck[static_cast<std::size_t>(p)]];
    }
    double total = 0;
    for (int p = 0; p < 25; ++p) {
      const double x = chi_square(counts[static_cast<std::size_t>(p)], deals / 52.0);
      EXPECT_LT(x, chi_square_bound(51, 5)) << "position " << p << (fresh ? " fresh" : " carried");
      total += x;
    }
    EXPECT_LT(total, chi_square_bound(25 * 51, 5)) << (fresh ? "fresh" : "carried");
  }
}

TEST(ShuffleUniformity, EveryPairOfPositionsHoldsEveryPairOfCardsEvenly) {
  // Six of ten cards: each ordered pair of distinct cards at positions
  // (i, j) has probability 1 / 90. The six positions span two groups of three.
  SimWorker worker = numbered_worker(10, 6, 21);
  const int deals = 180000;  // 2000 per cell
  std::vector<std::vector<long>> counts(36, std::vector<long>(100, 0));
  for (int deal = 0; deal < deals; ++deal) {
    worker.deck = worker.layout;
    shuffle_deal(worker);
    for (int i = 0; i < 6; ++i)
      for (int j = 0; j < 6; ++j)
        if (i != j)
          ++counts[static_cast<std::size_t>(i * 6 + j)]
                  [worker.deck[static_cast<std::size_t>(i)] * 10 +
                   worker.deck[static_cast<std::size_t>(j)]];
  }
  for (int i = 0; i < 6; ++i)
    for (int j = i + 1; j < 6; ++j) {
      std::vector<long> cells;
      for (int a = 0; a < 10; ++a)
        for (int b = 0; b < 10; ++b) {
          const long c =
              counts[static_cast<std::size_t>(i * 6 + j)][static_cast<std::size_t>(a * 10 + b)];
          if (a == b) {
            EXPECT_EQ(c, 0) << "one card at two positions";
          } else {
            cells.push_back(c);
          }
        }
      EXPECT_LT(chi_square(cells, deals / 90.0), chi_square_bound(89, 5))
          << "positions " << i << ", " << j;
    }
}

TEST(ShuffleUniformity, PacksDrawnTwoOrOneIndexPerOutputAreEvenToo) {
  // 300 cards draw two indices per output, 5000 one; 8 of 52 end on a group
  // of two after two of three. Cards are counted in 20 bands of equal size
  // per position.
  struct Case {
    int deck_size, dealt;
  };
  for (const Case c : {Case{300, 300}, Case{300, 7}, Case{5000, 9}, Case{257, 5}, Case{52, 8}}) {
    SimWorker worker =
        numbered_worker(c.deck_size, c.dealt, static_cast<std::uint64_t>(c.deck_size));
    const int deals = 40000;  // about 2000 per band
    std::vector<std::vector<long>> bands(static_cast<std::size_t>(c.dealt),
                                         std::vector<long>(20, 0));
    for (int deal = 0; deal < deals; ++deal) {
      shuffle_deal(worker);
      for (int p = 0; p < c.dealt; ++p)
        ++bands[static_cast<std::size_t>(p)]
               [worker.deck[static_cast<std::size_t>(p)] * 20 / static_cast<unsigned>(c.deck_size)];
    }
    // Bands differ by a card when 20 does not divide the pack.
    std::vector<double> expected(20, 0.0);
    for (int card = 0; card < c.deck_size; ++card)
      expected[static_cast<std::size_t>(card * 20 / c.deck_size)] +=
          static_cast<double>(deals) / c.deck_size;
    for (int p = 0; p < c.dealt; ++p) {
      double x = 0;
      for (std::size_t b = 0; b < 20; ++b) {
        const double d = static_cast<double>(bands[static_cast<std::size_t>(p)][b]) - expected[b];
        x += d * d / expected[b];
      }
      EXPECT_LT(x, chi_square_bound(19, 5)) << c.deck_size << " cards, position " << p;
    }
  }
}

}  // namespace
}  // namespace orvix
