// The exact engine against three independent references:
// - the well-known tables of the classic games (the tables of the test command);
// - for small packs built with the rules operations, every subset of the
//   physical cards walked one by one and valued by the brute-force evaluator;
// - for packs of few kinds in huge numbers (totals past 2^64 and 2^128), every
//   multiset of card codes walked plainly, weighted and valued by brute force.
// The engine's suit symmetry, task splitting and threads all take part.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include <orvix/evaluate.h>
#include "platform/progress_line.h"
#include "platform/stop_request.h"
#include "exact/exact_engine.h"
#include "rules/game_rules.h"
#include "rules/ranking_text.h"
#include "support/brute_force.h"
#include "support/ranked_brute_force.h"
#include "support/small_games.h"

namespace orvix {
namespace {

using Table = std::vector<BigCount>;  // kCategoryCount x kRankCount, category-major

BigCount choose(std::int64_t n, int k) {
  if (k < 0 || n < k) return 0;
  BigCount result = 1;
  for (int i = 1; i <= k; ++i)
    result = result * static_cast<std::uint64_t>(n - k + i) / static_cast<unsigned>(i);
  return result;
}

Table table_of(const ExactTable& t) {
  Table cells;
  for (int c = 0; c < kCategoryCount; ++c)
    for (int r = 0; r < kRankCount; ++r) cells.push_back(t.by_rank[c][r]);
  return cells;
}

void expect_same_table(const Table& got, const Table& want) {
  for (int c = 0; c < kCategoryCount; ++c)
    for (int r = 0; r < kRankCount; ++r) {
      const std::size_t i = static_cast<std::size_t>(c * kRankCount + r);
      EXPECT_EQ(count_text(got[i]), count_text(want[i]))
          << kCategoryNames[c] << " of " << kRankWords[r];
    }
}

// The engine's table, after checking that its rows and total add up.
ExactTable engine_count(const ExactGame& game, int workers) {
  ExactOptions options;
  options.workers = workers;
  const ExactTable t = count_exact(game, options);
  EXPECT_FALSE(t.stopped);
  BigCount sum = 0;
  for (int c = 0; c < kCategoryCount; ++c) {
    BigCount row = 0;
    for (int r = 0; r < kRankCount; ++r) row += t.by_rank[c][r];
    EXPECT_EQ(count_text(row), count_text(t.by_category[c])) << kCategoryNames[c];
    sum += row;
  }
  EXPECT_EQ(count_text(sum), count_text(t.total));
  EXPECT_EQ(count_text(t.total), count_text(total_hands(game)));
  return t;
}

// The physical cards of the rules' pack, laid out independently of the engine.
std::vector<CardCode> physical_cards(const GameRules& rules) {
  std::vector<CardCode> cards;
  for (int r = 0; r < kRankCount; ++r)
    for (int s = 0; s < kSuitCount; ++s)
      for (int k = 0; k < rules.decks + rules.card_delta[r][s]; ++k)
        cards.push_back(make_card(r, s, rules.wild[r][s] != 0));
  for (int j = 0; j < rules.jokers; ++j) cards.push_back(kJoker);
  return cards;
}

// Every hand_size-subset of the cards, each valued by brute force under `ranking`.
Table subsets_by_brute_force(const std::vector<CardCode>& cards, int hand_size,
                             const Ranking& ranking = standard_ranking()) {
  Table cells(kCategoryCount * kRankCount, BigCount(0));
  std::vector<CardCode> hand;
  const int n = static_cast<int>(cards.size());
  const bool standard = ranking == standard_ranking();
  auto walk = [&](auto&& self, int from) -> void {
    if (static_cast<int>(hand.size()) == hand_size) {
      const HandValue v =
          standard ? test::brute_force_value(hand) : test::ranked_brute_force_value(hand, ranking);
      cells[static_cast<std::size_t>(hand_category(v, ranking) * kRankCount +
                                     top_rank(v, ranking))] += 1;
      return;
    }
    for (int i = from; i <= n - (hand_size - static_cast<int>(hand.size())); ++i) {
      hand.push_back(cards[static_cast<std::size_t>(i)]);
      self(self, i + 1);
      hand.pop_back();
    }
  };
  walk(walk, 0);
  return cells;
}

// Every multiset of codes of the pack (all wild cards one code), weighted by
// the product of C(copies, count), valued by brute force. Plain recursion
// over codes: no suit symmetry, no tasks.
Table multisets_by_brute_force(const ExactPack& pack, int hand_size) {
  struct Code {
    CardCode card;
    std::int64_t copies;
  };
  std::vector<Code> codes;
  for (int r = 0; r < kRankCount; ++r)
    for (int s = 0; s < kSuitCount; ++s)
      if (pack.natural[r][s] > 0) codes.push_back({make_card(r, s, false), pack.natural[r][s]});
  if (pack.wild > 0) codes.push_back({kJoker, pack.wild});
  Table cells(kCategoryCount * kRankCount, BigCount(0));
  std::vector<CardCode> hand;
  auto walk = [&](auto&& self, std::size_t code, const BigCount& weight) -> void {
    const int left = hand_size - static_cast<int>(hand.size());
    if (left == 0) {
      const HandValue v = test::brute_force_value(hand);
      cells[static_cast<std::size_t>(hand_category(v) * kRankCount + top_rank(v))] += weight;
      return;
    }
    if (code == codes.size()) return;
    for (int c = 0; c <= left && c <= codes[code].copies; ++c) {
      for (int k = 0; k < c; ++k) hand.push_back(codes[code].card);
      self(self, code + 1, weight * choose(codes[code].copies, c));
      for (int k = 0; k < c; ++k) hand.pop_back();
    }
  };
  walk(walk, 0, BigCount(1));
  return cells;
}

TEST(ExactEngine, ClassicGamesMatchTheKnownTables) {
  build_eval_tables();
  struct Case {
    const char* name;
    int hand_size;
    int jokers;
    bool deuces_wild;
    std::int64_t counts[kCategoryCount];
    std::int64_t total;
  };
  const Case cases[] = {
      {"one deck, five cards",
       5,
       0,
       false,
       {1302540, 1098240, 123552, 54912, 10200, 5108, 3744, 624, 40, 0},
       2598960},
      {"one joker, five cards",
       5,
       1,
       false,
       {1302540, 1268088, 123552, 137280, 20532, 7804, 6552, 3120, 204, 13},
       2869685},
      {"deuces wild, five cards",
       5,
       0,
       true,
       {799680, 1225008, 95040, 355080, 62232, 14472, 12672, 31552, 2552, 672},
       2598960},
      {"one deck, seven cards",
       7,
       0,
       false,
       {23294460, 58627800, 31433400, 6461620, 6180020, 4047644, 3473184, 224848, 41584, 0},
       133784560},
      {"deuces wild, seven cards",
       7,
       0,
       true,
       {10349640, 36920040, 19491840, 20151920, 19388800, 7993600, 9421824, 7504920, 1952216,
        609760},
       133784560},
      {"one joker, seven cards",
       7,
       1,
       false,
       {23294460, 61644960, 31433400, 13315300, 11083940, 6027224, 5997144, 1121024, 210964, 14664},
       154143080},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GameRules rules;
    reset_defaults(rules);
    ASSERT_TRUE(set_players(rules, 1));
    ASSERT_TRUE(set_hand_size(rules, c.hand_size));
    ASSERT_TRUE(set_jokers(rules, c.jokers));
    if (c.deuces_wild) set_wild_rank(rules, 0);
    ExactGame game;
    game.pack = pack_from_rules(rules);
    game.hand_size = c.hand_size;
    EXPECT_EQ(pack_size(game.pack), cards_available(rules));
    const ExactTable t = engine_count(game, 2);
    for (int k = 0; k < kCategoryCount; ++k)
      EXPECT_EQ(count_text(t.by_category[k]), std::to_string(c.counts[k])) << kCategoryNames[k];
    EXPECT_EQ(count_text(t.total), std::to_string(c.total));
  }
}

TEST(ExactEngine, FiveCardTopRanksFollowFromTheirDefinitions) {
  build_eval_tables();
  ExactGame game;
  GameRules rules;
  reset_defaults(rules);
  game.pack = pack_from_rules(rules);
  const ExactTable t = engine_count(game, 1);
  for (int r = 0; r < kRankCount; ++r) {
    SCOPED_TRACE(kRankWords[r]);
    EXPECT_EQ(count_text(t.by_rank[kOnePair][r]), "84480");      // 6 suit pairs x C(12,3) x 4^3
    EXPECT_EQ(count_text(t.by_rank[kThreeOfAKind][r]), "4224");  // 4 x C(12,2) x 16
    EXPECT_EQ(count_text(t.by_rank[kFullHouse][r]), "288");      // 4 x 12 x 6
    EXPECT_EQ(count_text(t.by_rank[kFourOfAKind][r]), "48");
    // Straights top out at Five (the wheel) to Ace: 4^5 - 4 plain, 4 flushed.
    const bool straight_top = r >= 3;
    EXPECT_EQ(count_text(t.by_rank[kStraight][r]), straight_top ? "1020" : "0");
    EXPECT_EQ(count_text(t.by_rank[kStraightFlush][r]), straight_top ? "4" : "0");
    // High card and flush: the other four ranks below, never a straight.
    const BigCount below = choose(r, 4);
    const int straights_under = r == 12 ? 2 : (r >= 4 ? 1 : 0);  // the wheel counts under Ace
    const BigCount patterns = r >= 4 ? below - straights_under : BigCount(0);
    EXPECT_EQ(count_text(t.by_rank[kHighCard][r]), count_text(patterns * 1020));
    EXPECT_EQ(count_text(t.by_rank[kFlush][r]), count_text(patterns * 4));
  }
}

// Short deck's 36 cards (every Two to Five removed), five cards, under its
// own order: the published counts of its 376,992 hands, and the distinct
// values (its six straights A-6-7-8-9 to T-J-Q-K-A among them).
TEST(ExactEngine, ShortDeckCountsItsOwnOrder) {
  build_eval_tables();
  GameRules rules;
  reset_defaults(rules);
  for (int rank = 0; rank <= 3; ++rank) ASSERT_TRUE(remove_rank(rules, rank));
  ExactGame game;
  game.pack = pack_from_rules(rules);
  game.hand_size = 5;
  game.ranking = shortdeck_ranking();
  ExactOptions options;
  options.workers = 2;
  options.distinct_values = true;
  const ExactTable t = count_exact(game, options);
  const std::int64_t want[kCategoryCount] = {122400, 193536, 36288, 16128, 6120,
                                             480,    1728,   288,   24,    0};
  for (int k = 0; k < kCategoryCount; ++k)
    EXPECT_EQ(count_text(t.by_category[k]), std::to_string(want[k])) << kCategoryNames[k];
  EXPECT_EQ(count_text(t.total), "376992");
  // High Card and Flush 126 - 6 each, six straights and straight flushes,
  // 504 One Pair, 252 Two Pair and Trips, 72 Full Houses and Quads.
  EXPECT_EQ(t.distinct_values, 1404);
  // A-6-7-8-9 is filed under Nine, the lowest straight's top rank.
  EXPECT_EQ(count_text(t.by_rank[kStraight][7]), "1020");
  EXPECT_EQ(count_text(t.by_rank[kStraight][3]), "0");
}

GameRules small_pack_rules() {
  GameRules rules;
  reset_defaults(rules);
  EXPECT_TRUE(set_players(rules, 1));
  return rules;
}

TEST(ExactEngine, SmallPacksMatchEverySubsetOfTheirCards) {
  build_eval_tables();
  struct Case {
    const char* name;
    void (*build)(GameRules&);
    int hand_sizes[4];
  };
  const Case cases[] = {
      {"hearts only with a joker",
       [](GameRules& r) {
         for (int s : {0, 1, 2}) EXPECT_TRUE(remove_suit(r, s));
         for (int rank : {0, 1}) EXPECT_TRUE(remove_card(r, rank, 3));
         EXPECT_TRUE(set_jokers(r, 1));
       },
       {2, 5, 6, 7}},
      {"nines to aces in two suits, nines wild",
       [](GameRules& r) {
         EXPECT_TRUE(remove_suit(r, 1));
         EXPECT_TRUE(remove_suit(r, 2));
         for (int rank = 0; rank <= 6; ++rank)
           for (int suit : {0, 3}) EXPECT_TRUE(remove_card(r, rank, suit));
         set_wild_rank(r, 7);
       },
       {1, 4, 5, 7}},
      {"two decks of a few kinds with a doubled added card",
       [](GameRules& r) {
         EXPECT_TRUE(set_decks(r, 2));
         for (int rank = 0; rank <= 9; ++rank) EXPECT_TRUE(remove_rank(r, rank));
         for (int rank = 0; rank <= 9; ++rank) EXPECT_TRUE(remove_rank(r, rank));
         for (int rank = 10; rank <= 12; ++rank) {
           EXPECT_TRUE(remove_card(r, rank, 0));
           EXPECT_TRUE(remove_card(r, rank, 0));
           EXPECT_TRUE(remove_card(r, rank, 1));
           EXPECT_TRUE(remove_card(r, rank, 2));
         }
         add_card(r, 12, 3);
         add_card(r, 12, 3);
         EXPECT_TRUE(set_jokers(r, 1));
       },
       {3, 5, 6, 8}},
      {"a straight's worth of ranks, wild rank and wild card, jokers",
       [](GameRules& r) {
         EXPECT_TRUE(remove_suit(r, 1));
         EXPECT_TRUE(remove_suit(r, 2));
         for (int rank = 5; rank <= 12; ++rank)
           for (int suit : {0, 3}) EXPECT_TRUE(remove_card(r, rank, suit));
         set_wild_rank(r, 4);
         set_wild_card(r, 0, 0);
         add_card(r, 3, 2);
         EXPECT_TRUE(set_jokers(r, 2));
       },
       {2, 5, 6, 7}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GameRules rules = small_pack_rules();
    c.build(rules);
    const std::vector<CardCode> cards = physical_cards(rules);
    ASSERT_GE(cards.size(), 10u);
    ASSERT_LE(cards.size(), 16u);
    ASSERT_EQ(static_cast<int>(cards.size()), cards_available(rules));
    for (const Ranking& ranking : test::small_game_rankings())
      for (int hand_size : c.hand_sizes) {
        SCOPED_TRACE("hand size " + std::to_string(hand_size) + ", " + ranking_order_text(ranking));
        ExactGame game;
        game.pack = pack_from_rules(rules);
        game.hand_size = hand_size;
        game.ranking = ranking;
        const Table want = subsets_by_brute_force(cards, hand_size, ranking);
        expect_same_table(table_of(engine_count(game, 1)), want);
        expect_same_table(table_of(engine_count(game, 3)), want);
        EXPECT_EQ(count_text(total_hands(game)),
                  count_text(choose(static_cast<std::int64_t>(cards.size()), hand_size)));
      }
  }
}

TEST(ExactEngine, HugePacksOfFewKindsCountPast64And128Bits) {
  build_eval_tables();
  struct Case {
    const char* name;
    std::int64_t copies;  // of each natural kind present
    std::int64_t wild;
    int hand_size;
    int bits_above;  // the total passes 2^bits_above
  };
  const Case cases[] = {
      {"thousands of copies, below 2^64", 3000, 7, 5, 0},
      {"a hundred thousand copies, past 2^64", 100000, 3, 7, 64},
      {"two billion copies, past 2^128", 2000000000, 5, 9, 128},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExactGame game;
    game.hand_size = c.hand_size;
    for (int s = 0; s < kSuitCount; ++s) game.pack.natural[12][s] = c.copies;  // Aces
    game.pack.natural[11][1] = c.copies;                                       // King of spades
    game.pack.natural[10][1] = c.copies;                                       // Queen of spades
    game.pack.wild = c.wild;
    const ExactTable t = engine_count(game, 2);
    EXPECT_TRUE(t.total > BigCount(1) << c.bits_above);
    EXPECT_EQ(count_text(t.total), count_text(choose(pack_size(game.pack), c.hand_size)));
    expect_same_table(table_of(t), multisets_by_brute_force(game.pack, c.hand_size));
  }
}

TEST(ExactEngine, OrderedDrawsCountEveryTupleOfTheListedEntries) {
  build_eval_tables();
  // "2d*" and "*" both wild: the two entries share a code, yet each is its
  // own endless supply, so tuples count 7^5 in all.
  const std::vector<CardCode> cards = test::hand("2d* * As Ks Qs Js 9d");
  ExactGame game;
  game.pack = pack_from_cards(cards.data(), static_cast<int>(cards.size()));
  game.hand_size = 5;
  game.draw = HandDraw::kOrdered;
  Table want(kCategoryCount * kRankCount, BigCount(0));
  std::vector<CardCode> hand(5);
  for (int code = 0; code < 16807; ++code) {
    for (int i = 0, rest = code; i < 5; ++i, rest /= 7)
      hand[static_cast<std::size_t>(i)] = cards[static_cast<std::size_t>(rest % 7)];
    const HandValue v = test::brute_force_value(hand);
    want[static_cast<std::size_t>(hand_category(v) * kRankCount + top_rank(v))] += 1;
  }
  expect_same_table(table_of(engine_count(game, 1)), want);
  expect_same_table(table_of(engine_count(game, 2)), want);
}

TEST(ExactEngine, CodeMultisetsAreCountedBeforeSymmetry) {
  ExactGame game;
  GameRules rules;
  reset_defaults(rules);
  game.pack = pack_from_rules(rules);
  EXPECT_EQ(distinct_code_multisets(game), 2598960u);
  game.hand_size = 7;
  EXPECT_EQ(distinct_code_multisets(game), 133784560u);
  // Wild Twos share one code: C(48,5) + C(48,4) + C(48,3) + C(48,2) + C(48,1).
  set_wild_rank(rules, 0);
  game.pack = pack_from_rules(rules);
  game.hand_size = 5;
  EXPECT_EQ(distinct_code_multisets(game), 1712304u + 194580u + 17296u + 1128u + 48u);
  // An endless supply of 52 codes: C(56,5) multisets; ten one-deck cards past the limit.
  game.pack = ExactPack{};
  for (auto& rank : game.pack.natural)
    for (auto& copies : rank) copies = 1;
  game.draw = HandDraw::kOrdered;
  EXPECT_EQ(distinct_code_multisets(game), 3819816u);
  game.draw = HandDraw::kSets;
  game.hand_size = 10;
  EXPECT_EQ(distinct_code_multisets(game), 15820024220u);
  // Copies beyond the hand size add nothing: one rank, 4 suits, 50 decks, 20 cards.
  game.pack = ExactPack{};
  for (auto& copies : game.pack.natural[0]) copies = 50;
  game.hand_size = 20;
  EXPECT_EQ(distinct_code_multisets(game), 1771u);  // C(23,3)
}

TEST(ExactEngine, StopsWhenAskedAndSaysSo) {
  build_eval_tables();
  ExactGame game;
  GameRules rules;
  reset_defaults(rules);
  game.pack = pack_from_rules(rules);
  game.hand_size = 7;
  StopWindow window;
  request_stop();
  ExactOptions options;
  options.workers = 2;
  options.watch_stop = true;
  const ExactTable t = count_exact(game, options);
  EXPECT_TRUE(t.stopped);
  EXPECT_EQ(t.evaluated, 0u);
  // Without watching, a pending request changes nothing.
  options.watch_stop = false;
  const ExactTable whole = count_exact(game, options);
  EXPECT_FALSE(whole.stopped);
  EXPECT_EQ(count_text(whole.total), "133784560");
  // Still not watching the request, a caller's own flag stops the count.
  const std::atomic<bool> cancel{true};
  options.cancel = &cancel;
  const ExactTable cancelled = count_exact(game, options);
  EXPECT_TRUE(cancelled.stopped);
  EXPECT_EQ(cancelled.evaluated, 0u);
}

TEST(ExactEngine, ProgressCoversEveryMultisetWhileSymmetryEvaluatesFewer) {
  build_eval_tables();
  struct Case {
    const char* name;
    void (*build)(GameRules&);
    std::uint64_t evaluated_at_most;  // what the suit symmetry must save
  };
  const Case cases[] = {
      {"four alike suits", [](GameRules&) {}, 2598960 / 19},
      {"hearts apart: three alike", [](GameRules& r) { EXPECT_TRUE(remove_card(r, 12, 3)); },
       2598960 / 5},
      {"no two suits alike",
       [](GameRules& r) {
         EXPECT_TRUE(remove_card(r, 12, 3));
         EXPECT_TRUE(remove_card(r, 11, 2));
         EXPECT_TRUE(remove_card(r, 10, 1));
       },
       ~std::uint64_t{0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GameRules rules;
    reset_defaults(rules);
    c.build(rules);
    ExactGame game;
    game.pack = pack_from_rules(rules);
    const std::uint64_t multisets = distinct_code_multisets(game);
    ProgressScope progress(multisets, "hands");
    ExactOptions options;
    options.workers = 2;
    options.progress = &progress.line;
    const ExactTable t = count_exact(game, options);
    EXPECT_EQ(progress.line.done.load(), multisets);
    EXPECT_LE(t.evaluated, c.evaluated_at_most);
    if (c.evaluated_at_most == ~std::uint64_t{0}) {
      EXPECT_EQ(t.evaluated, multisets);
    }
  }
}

TEST(CountText, WritesEveryDigit) {
  EXPECT_EQ(count_text(0), "0");
  EXPECT_EQ(count_text(7), "7");
  EXPECT_EQ(count_text(BigCount(10000000000000000000u)), "10000000000000000000");
  EXPECT_EQ(count_text(BigCount(1) << 64), "18446744073709551616");
  EXPECT_EQ(count_text((BigCount(1) << 128) - 1), "340282366920938463463374607431768211455");
  EXPECT_EQ(count_text(BigCount(10000000000000000000u) * 10000000000000000000u + 5),
            "100000000000000000000000000000000000005");
}

}  // namespace
}  // namespace orvix
