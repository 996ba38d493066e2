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
  const Case cases[] = {{1, 5, 5, 0, 0}, {1, 4, 13, 0, 0}, {1, 2, 20, 4, 0}, {2, 10, 7, 4, 0},
                        {1, 1, 1, 0, 0}, {1, 2, 1, 0, 0},  {5, 50, 5, 0, 0}, {1, 3, 7, 0, 70000}};
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

}  // namespace
}  // namespace orvix
