#include "deal_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "sim/random.h"
#include "sim/seeding.h"

namespace orvix {
namespace {

SimWorker seeded_worker(const GameRules& rules, std::uint64_t seed, std::uint64_t stream) {
  SimWorker worker;
  configure_worker(worker, rules);
  seed_worker(worker, seed, stream);
  return worker;
}

TEST(ShuffleDeal, SameSeedAndStreamDealTheSameDeals) {
  GameRules rules;
  rules.decks = 2;
  rules.jokers = 3;
  SimWorker a = seeded_worker(rules, 12345, 7);
  SimWorker b = seeded_worker(rules, 12345, 7);
  SimWorker other_seed = seeded_worker(rules, 12346, 7);
  SimWorker other_stream = seeded_worker(rules, 12345, 8);
  int differs_seed = 0;
  int differs_stream = 0;
  for (int deal = 0; deal < 200; ++deal) {
    shuffle_deal(a);
    shuffle_deal(b);
    shuffle_deal(other_seed);
    shuffle_deal(other_stream);
    ASSERT_EQ(a.deck, b.deck) << "deal " << deal;
    differs_seed += a.deck != other_seed.deck;
    differs_stream += a.deck != other_stream.deck;
  }
  EXPECT_EQ(differs_seed, 200);
  EXPECT_EQ(differs_stream, 200);
}

TEST(ShuffleDeal, KeepsThePackAndDealsAllOfAnExactlySizedDeck) {
  struct Case {
    int decks, players, hand_size, jokers, extra_aces;
  };
  // Packs up to 256 cards draw indices in threes, then in pairs; the last
  // pack is too large for more than one index per output.
  const Case cases[] = {{1, 5, 5, 0, 0}, {1, 4, 13, 0, 0},  {1, 2, 20, 4, 0},
                        {2, 10, 7, 4, 0}, {1, 1, 1, 0, 0},  {1, 2, 1, 0, 0},
                        {5, 50, 5, 0, 0}, {1, 3, 7, 0, 70000}};
  for (const auto& c : cases) {
    GameRules rules;
    rules.decks = c.decks;
    rules.players = c.players;
    rules.hand_size = c.hand_size;
    rules.jokers = c.jokers;
    rules.card_delta[12][3] = c.extra_aces;
    SimWorker worker = seeded_worker(rules, 99, 1);
    auto sorted = worker.deck;
    std::sort(sorted.begin(), sorted.end());
    for (int deal = 0; deal < 50; ++deal) shuffle_deal(worker);
    auto after = worker.deck;
    std::sort(after.begin(), after.end());
    EXPECT_EQ(after, sorted) << c.players << "x" << c.hand_size;
  }
}

TEST(ShuffleDeal, SwapsFromTheLastArrangementAndTouchesOnlyDealtPositionsAndPartners) {
  // One card dealt from 52: each deal swaps position 0 with one partner of
  // the arrangement the previous deal left, and changes nothing else.
  GameRules rules;
  rules.players = 1;
  rules.hand_size = 1;
  SimWorker worker = seeded_worker(rules, 5, 5);
  std::vector<CardCode> seen_first;
  for (int deal = 0; deal < 1000; ++deal) {
    const auto before = worker.deck;
    shuffle_deal(worker);
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < before.size(); ++i)
      if (worker.deck[i] != before[i]) changed.push_back(i);
    if (changed.empty()) continue;  // the card stayed at position 0
    ASSERT_EQ(changed.size(), 2u) << deal;
    ASSERT_EQ(changed[0], 0u) << deal;
    EXPECT_EQ(worker.deck[0], before[changed[1]]);
    EXPECT_EQ(worker.deck[changed[1]], before[0]);
    seen_first.push_back(worker.deck[0]);
  }
  std::sort(seen_first.begin(), seen_first.end());
  seen_first.erase(std::unique(seen_first.begin(), seen_first.end()), seen_first.end());
  EXPECT_EQ(seen_first.size(), 52u);
}

TEST(ShuffleDeal, EveryCardReachesEveryDealtPositionEvenly) {
  // Kinds x 5 positions of a one-player five-card game, 104000 deals: each
  // cell expects 2000, standard deviation about 44. One deck draws indices in
  // threes, five decks in pairs.
  for (int decks : {1, 5}) {
    GameRules rules;
    rules.players = 1;
    rules.decks = decks;
    SimWorker worker = seeded_worker(rules, 2024, 11);
    std::vector<int> counts(kCardKinds * 5, 0);
    const int deals = 104000;
    for (int deal = 0; deal < deals; ++deal) {
      shuffle_deal(worker);
      for (int pos = 0; pos < 5; ++pos) {
        const CardCode card = worker.deck[static_cast<std::size_t>(pos)];
        const int kind = card_rank_index(card) * kSuitCount + card_suit_index(card);
        ++counts[static_cast<std::size_t>(kind * 5 + pos)];
      }
    }
    double chi_square = 0;
    for (int count : counts) chi_square += (count - 2000.0) * (count - 2000.0) / 2000.0;
    // 259 degrees of freedom: mean 259, sd about 23; 400 is beyond six sd.
    EXPECT_LT(chi_square, 400.0) << decks << " decks";
    EXPECT_GT(chi_square, 150.0) << decks << " decks";  // far too even is just as wrong
  }
}

TEST(Generator, MatchesPublishedPcg32AndSplitmix64Values) {
  // PCG32 seeded with 42 on stream 54: the generator's well-known first outputs.
  SimWorker worker;
  seed_worker(worker, 42, 54);
  const std::uint32_t expected[] = {0xa15c02b7, 0x7b47f409, 0xba1d3330,
                                    0x83d2f293, 0xbfa4784b, 0xcbed606e};
  for (std::uint32_t value : expected) EXPECT_EQ(next_random(worker), value);
  // splitmix64 from state 0 first yields 0xE220A8397B1DCDAF.
  EXPECT_EQ(splitmix64(0), 0xE220A8397B1DCDAFULL);
}

TEST(Generator, BoundedIndexStaysInRangeAndCoversIt) {
  std::uint64_t state = 1;
  const std::uint64_t increment = 3;
  for (std::uint32_t range : {1u, 2u, 3u, 7u, 52u, 2700u, 0x80000001u, 0xFFFFFFFFu}) {
    std::uint32_t low = 0xFFFFFFFF, high = 0;
    for (int i = 0; i < 4000; ++i) {
      const std::uint32_t index = bounded_index(state, increment, range);
      ASSERT_LT(index, range);
      low = std::min(low, index);
      high = std::max(high, index);
    }
    if (range <= 52) {
      EXPECT_EQ(low, 0u) << range;
      EXPECT_EQ(high, range - 1) << range;
    }
  }
}

TEST(Generator, PairedAndTripledIndicesAreUniformAndIndependent) {
  // All 5 x 4 index pairs of range 5 equally often: 20000 draws expect 1000
  // each; chi-square with 19 degrees of freedom (mean 19, sd about 6).
  std::uint64_t state = 0x853C49E6748FEA9BULL;
  const std::uint64_t increment = 0xDA3E39CB94B95BDBULL;
  int counts[5][4] = {};
  for (int i = 0; i < 20000; ++i) {
    std::uint32_t first = 99, second = 99;
    bounded_pair(state, increment, 5, first, second);
    ASSERT_LT(first, 5u);
    ASSERT_LT(second, 4u);
    ++counts[first][second];
  }
  double chi_square = 0;
  for (auto& row : counts)
    for (int count : row) chi_square += (count - 1000.0) * (count - 1000.0) / 1000.0;
  EXPECT_LT(chi_square, 55.0);

  // Triples of range 4: all 4 x 3 x 2 = 24 combinations, 24000 draws.
  int triples[4][3][2] = {};
  for (int i = 0; i < 24000; ++i) {
    std::uint32_t a = 99, b = 99, c = 99;
    bounded_triple(state, increment, 4, a, b, c);
    ASSERT_LT(a, 4u);
    ASSERT_LT(b, 3u);
    ASSERT_LT(c, 2u);
    ++triples[a][b][c];
  }
  chi_square = 0;
  for (auto& plane : triples)
    for (auto& row : plane)
      for (int count : row) chi_square += (count - 1000.0) * (count - 1000.0) / 1000.0;
  EXPECT_LT(chi_square, 62.0);  // 23 degrees of freedom

  // The largest paired range still fits its product in 32 bits.
  std::uint32_t first = 0, second = 0;
  for (int i = 0; i < 1000; ++i) {
    bounded_pair(state, increment, kPairRangeLimit, first, second);
    ASSERT_LT(first, kPairRangeLimit);
    ASSERT_LT(second, kPairRangeLimit - 1);
  }
}

TEST(Generator, RunsAndWorkersNeverShareAStream) {
  std::vector<std::uint64_t> streams;
  for (std::uint64_t key : {0ULL, 0x123456789ABCDEFULL, ~0ULL})
    for (std::uint64_t run = 1; run <= 300; ++run)
      for (int worker = 0; worker < 64; ++worker) {
        const std::uint64_t stream = worker_stream(key, run, worker);
        EXPECT_LT(stream, 1ULL << 63);
        if (key == 0x123456789ABCDEFULL) streams.push_back(stream);
      }
  std::sort(streams.begin(), streams.end());
  EXPECT_EQ(std::adjacent_find(streams.begin(), streams.end()), streams.end());

  // Seeded at the same tick, workers of one run and the same worker of two
  // runs get different increments and deal differently.
  GameRules rules;
  std::vector<std::uint64_t> increments;
  std::vector<std::vector<CardCode>> first_deals;
  for (std::uint64_t run = 1; run <= 3; ++run)
    for (int index = 0; index < 32; ++index) {
      SimWorker worker;
      configure_worker(worker, rules);
      seed_run_worker(worker, 1000, run, index);
      EXPECT_EQ(worker.generator_increment & 1, 1u);
      increments.push_back(worker.generator_increment);
      shuffle_deal(worker);
      first_deals.emplace_back(worker.deck.begin(), worker.deck.begin() + 25);
    }
  std::sort(increments.begin(), increments.end());
  EXPECT_EQ(std::adjacent_find(increments.begin(), increments.end()), increments.end());
  std::sort(first_deals.begin(), first_deals.end());
  EXPECT_EQ(std::adjacent_find(first_deals.begin(), first_deals.end()), first_deals.end());
}

TEST(ConfigureWorker, SizesTheWorkerFromTheGame) {
  GameRules rules;
  rules.decks = 2;
  rules.players = 7;
  rules.hand_size = 3;
  rules.jokers = 4;
  rules.run_length = 1234;
  SimWorker worker;
  configure_worker(worker, rules);
  EXPECT_EQ(worker.deck_size, 108);
  EXPECT_EQ(worker.deck.size(), 108u);
  EXPECT_EQ(worker.dealt_cards, 21);
  EXPECT_EQ(worker.trials, 0);  // each worker's share is set by the run
  EXPECT_EQ(worker.evaluate, select_evaluator(3));
  EXPECT_EQ(worker.hands, (WorkerArray<std::int32_t>{0, 3, 6, 9, 12, 15, 18}));
  EXPECT_EQ(worker.values.size(), 7u);
}

}  // namespace
}  // namespace orvix
