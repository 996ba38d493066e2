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
  // PCG32 seeded with 42 on stream 54 (state 0, one step, add 42, one step):
  // the generator's published first outputs.
  std::uint64_t state = 0;
  const std::uint64_t increment = (54u << 1) | 1u;
  pcg_next(state, increment);
  state += 42;
  pcg_next(state, increment);
  const std::uint32_t expected[] = {0xa15c02b7, 0x7b47f409, 0xba1d3330, 0x83d2f293, 0xbfa4784b, 0xcbed606e};
  for (std::uint32_t value : expected) EXPECT_EQ(pcg_next(state, increment), value);
  EXPECT_EQ(splitmix64(0), 0xE220A8397B1DCDAFULL);
}

TEST(Generator, DigitsAreTheMixedRadixDigitsOfOneBoundedDraw) {
  // draw_digits(x, a, b, c) must be floor(x * R / 2^32) written in the digits
  // of a, b, c (R = a * b * c), with the low half of x * R left over: then it
  // is multiply-high bounding on R, exactly uniform with its redraw.
  EXPECT_EQ(rejection_threshold(52), 48u);  // 2^32 = 82595524 * 52 + 48
  EXPECT_EQ(rejection_threshold(1), 0u);
  EXPECT_EQ(rejection_threshold(52 * 51 * 50), 4294967296ULL % (52 * 51 * 50));
  std::uint64_t state = 7;
  const std::uint64_t increment = 9;
  const std::uint32_t ranges[][3] = {{52, 51, 50}, {108, 107, 106}, {256, 255, 254},
                                     {4096, 4095, 1}, {100000, 1, 1}, {3, 2, 1}, {1, 1, 1}};
  for (const auto& r : ranges) {
    const std::uint64_t product = std::uint64_t{r[0]} * r[1] * r[2];
    for (int i = 0; i < 20000; ++i) {
      const std::uint32_t x = pcg_next(state, increment);
      const DigitDraw d = draw_digits(x, r[0], r[1], r[2]);
      const std::uint64_t whole = x * product;  // product < 2^32: no overflow
      const std::uint64_t value = whole >> 32;
      ASSERT_EQ(d.low, static_cast<std::uint32_t>(whole));
      ASSERT_EQ(value, (std::uint64_t{d.first} * r[1] + d.second) * r[2] + d.third) << r[0];
      ASSERT_LT(d.first, r[0]);
      ASSERT_LT(d.second, r[1]);
      ASSERT_LT(d.third, r[2]);
    }
  }
}

TEST(Generator, BoundedDigitsRedrawExactlyTheLowHalvesBelowTheThreshold) {
  // Against a slow reference: draw, and draw again while the low half is
  // below 2^32 mod R, whatever bound the fast path tests first. Ranges with a large remainder (R = 3 * 2^30 + 1 leaves
  // 2^30 - 1) make the redraw common enough to be exercised.
  const std::uint32_t ranges[][3] = {{3, 2, 1}, {0x40000001u, 3, 1}, {0xC0000001u, 1, 1}, {52, 51, 50}, {7, 1, 1}};
  std::uint64_t fast = 99, slow = 99;
  const std::uint64_t increment = 0x1234567u;
  int redraws = 0;
  for (const auto& r : ranges) {
    const std::uint32_t product = r[0] * r[1] * r[2];
    const std::uint32_t threshold = rejection_threshold(product);
    for (int i = 0; i < 20000; ++i) {
      // Any bound from the product up gives the same draws.
      const std::uint32_t bound = i % 2 == 0 ? product : product + (0xFFFFFFFFu - product) / 3;
      const DigitDraw got = bounded_digits(fast, increment, r[0], r[1], r[2], bound);
      DigitDraw want = draw_digits(pcg_next(slow, increment), r[0], r[1], r[2]);
      while (want.low < threshold) {
        ++redraws;
        want = draw_digits(pcg_next(slow, increment), r[0], r[1], r[2]);
      }
      ASSERT_EQ(fast, slow) << r[0];  // as many outputs used
      ASSERT_EQ(got.first, want.first);
      ASSERT_EQ(got.second, want.second);
      ASSERT_EQ(got.third, want.third);
      ASSERT_GE(got.low, threshold);
    }
  }
  EXPECT_GT(redraws, 10000);
}

TEST(Generator, BlockStreamsDependOnSeedAndBlockAlone) {
  // The same (seed, block) always starts the same stream; any other pair,
  // neighbours included, starts another state on another stream.
  std::vector<std::uint64_t> states, increments;
  for (std::uint64_t seed : {0ULL, 1ULL, 2ULL, 0xFFFFFFFFFFFFFFFFULL})
    for (std::uint64_t block = 0; block < 64; ++block) {
      DealGenerator a, b;
      seed_block_stream(a, seed, block);
      seed_block_stream(b, seed, block);
      ASSERT_EQ(a.state, b.state);
      ASSERT_EQ(a.increment, b.increment);
      ASSERT_EQ(a.increment & 1, 1u);  // a full-period stream
      states.push_back(a.state);
      increments.push_back(a.increment);
    }
  for (auto* words : {&states, &increments}) {
    std::sort(words->begin(), words->end());
    EXPECT_EQ(std::adjacent_find(words->begin(), words->end()), words->end());
  }
}

}  // namespace
}  // namespace orvix
