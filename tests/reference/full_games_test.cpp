// The whole test command against tables computed here by other means.
//
// The oracle never walks the hundreds of millions of hands. A hand's value
// depends only on its wild cards, the multiset of its natural ranks and, for
// flushes, on which ranks share a suit; so it groups the hands into classes of
// equal value, counts each class by combinatorics and values one
// representative hand per class with the brute-force evaluator. Where two
// suits could both reach a flush (three or more wild cards among seven) it
// falls back to visiting every natural hand.
//
// The oracle is itself checked against well-known totals and closed-form
// counts before the command's output is compared with it byte for byte.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "support/capture_stdout.h"
#include <orvix/internal/catalogue.h>
#include "reference/reference_games.h"
#include "support/brute_force.h"

namespace orvix {
namespace {

using Counts = std::array<std::int64_t, kCategoryCount>;

struct OracleTally {
  Counts per_category{};
  std::int64_t hands = 0;
  std::set<HandValue> values;
};

std::int64_t choose(int n, int k) {
  if (k < 0 || k > n) return 0;
  std::int64_t result = 1;
  for (int i = 1; i <= k; ++i) result = result * (n - k + i) / i;
  return result;
}

struct OracleGame {
  const char* header;
  int dealt;
  bool infinite;
  int lowest_natural_rank;                 // 1 when the Twos are wild
  std::vector<std::pair<int, int>> wilds;  // (wild cards in hand, ways to pick them)
};

class Oracle {
 public:
  explicit Oracle(const OracleGame& game) : game_(game) {}

  OracleTally run() {
    for (const auto& [wild_count, ways] : game_.wilds) {
      wild_ = wild_count;
      ways_ = ways;
      naturals_ = game_.dealt - wild_count;
      need_ = 5 - wild_count;  // naturals of one suit that make a flush
      if (!game_.infinite && 2 * need_ <= naturals_) {
        visit_every_natural_hand();
      } else {
        counts_.fill(0);
        walk_rank_multisets(game_.lowest_natural_rank, naturals_);
      }
    }
    return std::move(tally_);
  }

 private:
  void add(const std::vector<CardCode>& hand, std::int64_t weight) {
    if (weight == 0) return;
    std::vector<CardCode> full = hand;
    for (int i = 0; i < wild_; ++i) full.push_back(kJoker);
    const HandValue v = wild_ == 0 ? test::literal_value(full) : test::brute_force_value(full);
    tally_.per_category[hand_category(v)] += weight * ways_;
    tally_.hands += weight * ways_;
    tally_.values.insert(v);
  }

  void visit_every_natural_hand() {
    std::vector<CardCode> naturals;
    for (int r = game_.lowest_natural_rank; r < kRankCount; ++r)
      for (int s = 0; s < kSuitCount; ++s) naturals.push_back(make_card(r, s, false));
    std::vector<CardCode> hand;
    pick(naturals, 0, hand);
  }

  void pick(const std::vector<CardCode>& naturals, std::size_t from, std::vector<CardCode>& hand) {
    if (static_cast<int>(hand.size()) == naturals_) {
      add(hand, 1);
      return;
    }
    for (std::size_t i = from; i < naturals.size(); ++i) {
      hand.push_back(naturals[i]);
      pick(naturals, i + 1, hand);
      hand.pop_back();
    }
  }

  // counts_[r] = copies of rank r, for every multiset of `left` ranks >= rank.
  void walk_rank_multisets(int rank, int left) {
    if (rank == kRankCount) {
      if (left == 0) value_rank_multiset();
      return;
    }
    const int most = game_.infinite ? left : std::min(left, kSuitCount);
    for (int c = 0; c <= most; ++c) {
      counts_[rank] = c;
      walk_rank_multisets(rank + 1, left - c);
    }
    counts_[rank] = 0;
  }

  // Suits dealt in turn along the ranks: no suit gets more than ceil(k/4)
  // naturals, and copies of one rank get distinct suits.
  std::vector<CardCode> spread_hand() const {
    std::vector<CardCode> hand;
    int suit = 0;
    for (int r = 0; r < kRankCount; ++r)
      for (int i = 0; i < counts_[r]; ++i) {
        hand.push_back(make_card(r, suit, false));
        suit = (suit + 1) % kSuitCount;
      }
    return hand;
  }

  bool spread_has_flush_suit(const std::vector<CardCode>& hand) const {
    int per_suit[kSuitCount] = {};
    for (CardCode c : hand) ++per_suit[card_suit_index(c)];
    for (int n : per_suit)
      if (n >= need_) return true;
    return false;
  }

  void value_rank_multiset() {
    if (game_.infinite) {
      // Ordered hands with this rank multiset; each position takes any suit.
      std::int64_t orders = 120;
      for (int c : counts_)
        for (int i = 2; i <= c; ++i) orders /= i;
      std::vector<CardCode> suited;
      for (int r = 0; r < kRankCount; ++r)
        for (int i = 0; i < counts_[r]; ++i) suited.push_back(make_card(r, 0, false));
      add(suited, orders * 4);
      add(spread_hand(), orders * (1024 - 4));
      return;
    }
    std::int64_t total = 1;
    std::vector<int> present;
    for (int r = 0; r < kRankCount; ++r) {
      total *= choose(kSuitCount, counts_[r]);
      if (counts_[r] > 0) present.push_back(r);
    }
    // Hands whose one flush suit holds exactly the ranks in `in_suit`.
    std::int64_t with_flush_suit = 0;
    const int distinct = static_cast<int>(present.size());
    for (std::uint32_t subset = 0; subset < (1u << distinct); ++subset) {
      if (std::popcount(subset) < need_) continue;
      std::int64_t ways = kSuitCount;
      std::vector<CardCode> hand;
      for (int i = 0; i < distinct; ++i) {
        const int r = present[i];
        const bool in_suit = (subset >> i & 1) != 0;
        ways *= choose(kSuitCount - 1, counts_[r] - (in_suit ? 1 : 0));
        if (in_suit) hand.push_back(make_card(r, 0, false));
        for (int k = 0, s = 1; k < counts_[r] - (in_suit ? 1 : 0); ++k, ++s)
          hand.push_back(make_card(r, s, false));
      }
      add(hand, ways);
      with_flush_suit += ways;
    }
    const std::int64_t without = total - with_flush_suit;
    if (without > 0) {
      const std::vector<CardCode> hand = spread_hand();
      if (spread_has_flush_suit(hand)) {
        ADD_FAILURE() << "no flush-free representative for " << test::hand_text(hand);
        return;
      }
      add(hand, without);
    }
  }

  const OracleGame& game_;
  OracleTally tally_;
  int wild_ = 0;
  int ways_ = 1;
  int naturals_ = 0;
  int need_ = 5;
  std::array<int, kRankCount> counts_{};
};

// The seven games in the command's order.
const std::vector<OracleGame>& oracle_games() {
  static const std::vector<OracleGame> games = {
      {"Testing all single deck 5 card hands, distinct hands: ", 5, false, 0, {{0, 1}}},
      {"Testing all single deck 5 card hands with one joker per deck, distinct hands: ",
       5,
       false,
       0,
       {{0, 1}, {1, 1}}},
      {"Testing all single deck 5 card hands with deuces wild, distinct hands: ",
       5,
       false,
       1,
       {{0, 1}, {1, 4}, {2, 6}, {3, 4}, {4, 1}}},
      {"Testing all single deck 7 card hands, distinct hands: ", 7, false, 0, {{0, 1}}},
      {"Testing all single deck 7 card hands with deuces wild, distinct hands: ",
       7,
       false,
       1,
       {{0, 1}, {1, 4}, {2, 6}, {3, 4}, {4, 1}}},
      {"Testing all single deck 7 card hands with one joker per deck, distinct hands: ",
       7,
       false,
       0,
       {{0, 1}, {1, 1}}},
      {"Testing all infinite deck 5 card hands, distinct hands: ", 5, true, 0, {{0, 1}}},
  };
  return games;
}

const std::vector<OracleTally>& oracle_tallies() {
  static const std::vector<OracleTally> tallies = [] {
    build_eval_tables();
    std::vector<OracleTally> all;
    for (const OracleGame& game : oracle_games()) all.push_back(Oracle(game).run());
    return all;
  }();
  return tallies;
}

// Closed forms and well-known figures, category by category.
TEST(ReferenceOracle, AgreesWithKnownAndDerivedCounts) {
  const std::vector<OracleTally>& t = oracle_tallies();
  // One deck, five cards and seven cards: the well-known distributions.
  EXPECT_EQ(t[0].per_category,
            (Counts{1302540, 1098240, 123552, 54912, 10200, 5108, 3744, 624, 40, 0}));
  EXPECT_EQ(t[0].values.size(), 7462u);
  EXPECT_EQ(t[3].per_category, (Counts{23294460, 58627800, 31433400, 6461620, 6180020, 4047644,
                                       3473184, 224848, 41584, 0}));
  EXPECT_EQ(t[3].values.size(), 4824u);

  // With a joker: the 52-card hands plus joker and four naturals. Of the
  // four-rank sets, 41 fit in some straight window (10 windows x 5 subsets,
  // less the 9 shared by neighbouring windows).
  EXPECT_EQ(t[1].per_category, (Counts{1302540, 1098240 + 674 * 252, 123552,
                                       54912 + 13 * 6 * 66 * 16, 10200 + 41 * 252, 5108 + 674 * 4,
                                       3744 + 78 * 36, 624 + 13 * 48 * 4, 40 + 41 * 4, 13}));
  // New values: five of a kind (13) and Ace-Ace flushes (212 four-rank sets
  // with an Ace that complete no straight).
  EXPECT_EQ(t[1].values.size(), 7462u + 13 + 212);

  // Deuces wild, by the number of deuces w (natural ranks Three to Ace):
  // w=0 as a 12-rank deck; w=1 x4, 34 straight-completing 4-sets; w=2 x6, 55
  // straight-completing 3-sets; w=3 x4, 41 2-sets; w=4 five of a kind.
  const Counts deuces5{
      784 * 1020,
      12 * 6 * 165 * 64 + 4 * 461 * 252,
      66 * 36 * 40,
      12 * 4 * 55 * 16 + 4 * 12 * 6 * 55 * 16 + 6 * 165 * 60,
      8 * 1020 + 4 * 34 * 252 + 6 * 55 * 60,
      784 * 4 + 4 * 461 * 4 + 6 * 165 * 4,
      12 * 11 * 4 * 6 + 4 * 66 * 36,
      12 * 11 * 4 + 4 * 12 * 4 * 11 * 4 + 6 * 12 * 6 * 11 * 4 + 4 * (66 * 16 - 41 * 4),
      8 * 4 + 4 * 34 * 4 + 6 * 55 * 4 + 4 * 41 * 4,
      4 * 12 + 6 * 12 * 4 + 4 * 12 * 6 + 48};
  EXPECT_EQ(t[2].per_category, deuces5);

  // Five of a kind among seven cards: deuces wild needs w deuces and 5-w
  // naturals of one rank; a joker needs four of a kind beside it.
  EXPECT_EQ(t[4].per_category[kFiveOfAKind], 4 * 12 * choose(44, 2) +
                                                 6 * (12 * 4 * choose(44, 2) + 12 * 44) +
                                                 4 * (choose(48, 4) - 495 * 256) + choose(48, 3));
  EXPECT_EQ(t[5].per_category[kFiveOfAKind], 13 * choose(48, 2));

  // Infinite deck: ordered rank sequences by pattern, times the suit
  // sequences (4 one-suited of 1024). Every five-card value occurs.
  EXPECT_EQ(t[6].per_category, (Counts{153240 * 1020, 171600 * 1020, 25740 * 1020, 17160 * 1020,
                                       1200 * 1020, (17160 + 25740 + 171600 + 153240) * 4,
                                       1560 * 1024, 780 * 1024, 1200 * 4, 13 * 1024}));
  EXPECT_EQ(t[6].values.size(), static_cast<std::size_t>(kCatalogueSize));

  const std::int64_t hands[] = {choose(52, 5),           choose(53, 5), choose(52, 5),
                                choose(52, 7),           choose(52, 7), choose(53, 7),
                                52LL * 52 * 52 * 52 * 52};
  for (std::size_t g = 0; g < t.size(); ++g) {
    std::int64_t sum = 0;
    for (std::int64_t n : t[g].per_category) sum += n;
    EXPECT_EQ(t[g].hands, hands[g]) << g;
    EXPECT_EQ(sum, hands[g]) << g;
  }
}

std::string number_field(std::int64_t n) {
  std::string digits = std::to_string(n);
  return std::string(digits.size() < 12 ? 12 - digits.size() : 0, ' ') + digits;
}

std::string table_text(const char* const (&labels)[kCategoryCount], const Counts& rows,
                       std::int64_t total) {
  std::string text;
  for (int c = 0; c < kCategoryCount; ++c)
    text += std::string(labels[c]) + " " + number_field(rows[c]) + "\n";
  text += "                   ---------\n";
  text += "Total           " + number_field(total) + "\n";
  return text;
}

TEST(TestCommand, PrintsExactlyTheIndependentlyComputedTables) {
  const char* const labels[kCategoryCount] = {
      "High Card      ", "One Pair       ", "Two Pair       ", "Three of a Kind",
      "Straight       ", "Flush          ", "Full House     ", "Four of a Kind ",
      "Straight Flush ", "Five of a Kind "};
  std::string expected;
  for (std::size_t g = 0; g < oracle_games().size(); ++g) {
    const OracleTally& t = oracle_tallies()[g];
    expected += oracle_games()[g].header;
    expected += std::to_string(t.values.size()) + "\n\n";
    expected += table_text(labels, t.per_category, t.hands);
    expected += "\n";
  }
  expected += "Number of possible distinguishable poker hands with multiple decks:\n\n";
  expected += table_text(labels, Counts{1277, 2860, 858, 858, 10, 5853, 156, 156, 10, 13}, 12051);

  build_eval_tables();
  const std::string printed = test::capture_stdout([] { run_reference_games(); });
  EXPECT_EQ(printed, expected);
}

}  // namespace
}  // namespace orvix
