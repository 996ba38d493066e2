#include "brute_force.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace orvix::test {
namespace {

constexpr HandValue make_value(int category, unsigned major, unsigned minor) {
  return static_cast<HandValue>(category) << 28 | major << 14 | minor;
}

unsigned bit(int rank) { return 1u << rank; }

// Ranks sorted by (count, rank), both descending: the groups of the hand.
struct Groups {
  int rank[5];
  int count[5];
  int size = 0;
};

Groups group_ranks(const int* ranks, int n) {
  int counts[kRankCount] = {};
  for (int i = 0; i < n; ++i) ++counts[ranks[i]];
  Groups g;
  for (int c = 5; c >= 1; --c)
    for (int r = kRankCount - 1; r >= 0; --r)
      if (counts[r] == c) {
        g.rank[g.size] = r;
        g.count[g.size] = c;
        ++g.size;
      }
  return g;
}

unsigned all_ranks(const Groups& g) {
  unsigned m = 0;
  for (int i = 0; i < g.size; ++i) m |= bit(g.rank[i]);
  return m;
}

}  // namespace

HandValue five_card_value(const int ranks[5], bool one_suit) {
  const Groups g = group_ranks(ranks, 5);
  const unsigned mask = all_ranks(g);

  int straight_top = -1;
  if (g.size == 5) {
    if (mask == 0x100F) straight_top = 3;
    for (int low = 0; low + 4 < kRankCount; ++low)
      if (mask == 0x1Fu << low) straight_top = low + 4;
  }

  if (g.count[0] == 5) return make_value(kFiveOfAKind, bit(g.rank[0]), 0);
  if (straight_top >= 0 && one_suit) return make_value(kStraightFlush, bit(straight_top), mask);
  if (g.count[0] == 4) return make_value(kFourOfAKind, bit(g.rank[0]), mask);
  if (g.count[0] == 3 && g.count[1] == 2) return make_value(kFullHouse, bit(g.rank[0]), mask);
  if (one_suit) {
    int sorted[5];
    std::copy(ranks, ranks + 5, sorted);
    std::sort(sorted, sorted + 5, [](int a, int b) { return a > b; });
    HandValue v = make_value(kFlush, 0, 0);
    for (int i = 0; i < 5; ++i) v |= static_cast<HandValue>(sorted[i]) << (16 - 4 * i);
    return v;
  }
  if (straight_top >= 0) return make_value(kStraight, bit(straight_top), mask);
  if (g.count[0] == 3) return make_value(kThreeOfAKind, bit(g.rank[0]), mask);
  if (g.count[0] == 2 && g.count[1] == 2)
    return make_value(kTwoPair, bit(g.rank[0]) | bit(g.rank[1]), mask);
  if (g.count[0] == 2) return make_value(kOnePair, bit(g.rank[0]), mask);
  return make_value(kHighCard, mask, 0);
}

HandValue small_hand_value(const int* ranks, int count) {
  const Groups g = group_ranks(ranks, count);
  const unsigned mask = all_ranks(g);
  if (g.count[0] == 4) return make_value(kFourOfAKind, bit(g.rank[0]), mask);
  if (g.count[0] == 3) return make_value(kThreeOfAKind, bit(g.rank[0]), mask);
  if (g.count[0] == 2 && g.size > 1 && g.count[1] == 2)
    return make_value(kTwoPair, bit(g.rank[0]) | bit(g.rank[1]), mask);
  if (g.count[0] == 2) return make_value(kOnePair, bit(g.rank[0]), mask);
  return make_value(kHighCard, mask, 0);
}

namespace {

// Small hands: every rank for every wild card (suits never matter below five).
HandValue best_small(int* ranks, int count, const bool* wild, int at) {
  if (at == count) return small_hand_value(ranks, count);
  if (!wild[at]) return best_small(ranks, count, wild, at + 1);
  HandValue best = 0;
  for (int r = 0; r < kRankCount; ++r) {
    ranks[at] = r;
    best = std::max(best, best_small(ranks, count, wild, at + 1));
  }
  return best;
}

HandValue small_brute_force(const CardCode* cards, int count) {
  int ranks[4] = {};
  bool wild[4] = {};
  for (int i = 0; i < count; ++i) {
    wild[i] = is_wild(cards[i]);
    ranks[i] = card_rank_index(cards[i]);
  }
  return best_small(ranks, count, wild, 0);
}

// Rank counts packed four bits per rank (rank r in bits 4r..4r+3), each
// count at most 5, so that a whole multiset compares in a few word operations.
using RankCounts = std::uint64_t;
constexpr RankCounts kLaneHighBits = 0x8888888888888ull;  // 13 lanes

RankCounts add_rank(RankCounts c, int rank) {
  const RankCounts lane = c >> (4 * rank) & 0xF;
  return lane < 5 ? c + (RankCounts{1} << (4 * rank)) : c;
}

// sum over ranks of min(a[r], b[r]): how many of b's cards a can supply.
// (a | 8) - b keeps a lane's high bit exactly when a >= b, with no borrow
// between lanes since every lane is below 8.
int common_cards(RankCounts a, RankCounts b) {
  const RankCounts a_ge_b = (((a | kLaneHighBits) - b) & kLaneHighBits) >> 3;
  const RankCounts take_b = a_ge_b * 0xF;
  const RankCounts smaller = (b & take_b) | (a & ~take_b);
  // Add neighbouring lanes into bytes (each at most 10), then all bytes at once.
  const RankCounts bytes =
      (smaller & 0x0F0F0F0F0F0F0F0Full) + (smaller >> 4 & 0x0F0F0F0F0F0F0F0Full);
  return static_cast<int>((bytes * 0x0101010101010101ull) >> 56);
}

// One five-card rank multiset with its value, plain or one-suited.
struct Target {
  HandValue value;
  RankCounts ranks;
};

// All five-card rank multisets, plain or one-suited, best value first.
std::vector<Target> build_targets(bool one_suit) {
  std::vector<Target> targets;
  for_each_rank_multiset_5([&](const int* r) {
    RankCounts ranks = 0;
    for (int i = 0; i < 5; ++i) ranks = add_rank(ranks, r[i]);
    targets.push_back({five_card_value(r, one_suit), ranks});
  });
  std::stable_sort(targets.begin(), targets.end(),
                   [](const Target& a, const Target& b) { return a.value > b.value; });
  return targets;
}

}  // namespace

HandValue brute_force_value(const CardCode* cards, int count) {
  if (count < 5) return small_brute_force(cards, count);
  static const std::vector<Target> plain_targets = build_targets(false);
  static const std::vector<Target> suited_targets = build_targets(true);

  RankCounts counts = 0;
  RankCounts suit_counts[kSuitCount] = {};
  int suit_total[kSuitCount] = {};
  int wilds = 0;
  for (int i = 0; i < count; ++i) {
    if (is_wild(cards[i])) {
      ++wilds;
      continue;
    }
    const int r = card_rank_index(cards[i]);
    const int s = card_suit_index(cards[i]);
    counts = add_rank(counts, r);
    suit_counts[s] = add_rank(suit_counts[s], r);
    ++suit_total[s];
  }
  const int need = 5 - wilds;
  // Only suits with enough cards can hold the naturals of a one-suited hand.
  int flush_suits[kSuitCount];
  int flush_suit_count = 0;
  for (int s = 0; s < kSuitCount; ++s)
    if (suit_total[s] >= need) flush_suits[flush_suit_count++] = s;

  // The best plain hand the cards can form, then the best one-suited hand;
  // the hand's value is the greater of the two.
  HandValue best = 0;
  for (const Target& t : plain_targets) {
    if (common_cards(counts, t.ranks) >= need) {
      best = t.value;
      break;
    }
  }
  if (flush_suit_count > 0) {
    for (const Target& t : suited_targets) {
      if (t.value <= best) break;
      for (int i = 0; i < flush_suit_count; ++i)
        if (common_cards(suit_counts[flush_suits[i]], t.ranks) >= need) return t.value;
    }
  }
  if (best == 0) {
    std::fprintf(stdout, "brute_force_value: no five-card hand formed\n");
    std::abort();
  }
  return best;
}

namespace {

struct Concrete {
  int rank;
  int suit;
};

// Assign every one of the 52 cards to each wild card of a chosen five.
HandValue best_assignment(Concrete* five, const bool* wild, int at) {
  if (at == 5) {
    int ranks[5];
    bool one_suit = true;
    for (int i = 0; i < 5; ++i) {
      ranks[i] = five[i].rank;
      one_suit = one_suit && five[i].suit == five[0].suit;
    }
    return five_card_value(ranks, one_suit);
  }
  if (!wild[at]) return best_assignment(five, wild, at + 1);
  HandValue best = 0;
  for (int r = 0; r < kRankCount; ++r)
    for (int s = 0; s < kSuitCount; ++s) {
      five[at] = {r, s};
      best = std::max(best, best_assignment(five, wild, at + 1));
    }
  return best;
}

}  // namespace

HandValue literal_value(const CardCode* cards, int count) {
  if (count < 5) return small_brute_force(cards, count);
  return best_of_five_card_subsets(cards, count, [](const CardCode* five_cards) {
    Concrete five[5];
    bool wild[5];
    for (int i = 0; i < 5; ++i) {
      wild[i] = is_wild(five_cards[i]);
      five[i] = {card_rank_index(five_cards[i]), card_suit_index(five_cards[i])};
    }
    return best_assignment(five, wild, 0);
  });
}

bool parse_hand(std::string_view text, std::vector<CardCode>& cards) {
  cards.clear();
  std::size_t i = 0;
  const auto find_char = [](const char* set, char c) -> int {
    for (int k = 0; set[k] != '\0'; ++k)
      if (set[k] == c) return k;
    return -1;
  };
  while (i < text.size()) {
    if (text[i] == ' ' || text[i] == '\t') {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && text[end] != ' ' && text[end] != '\t') ++end;
    const std::string_view word = text.substr(i, end - i);
    i = end;
    if (word == "*") {
      cards.push_back(kJoker);
      continue;
    }
    if (word.size() != 2 && !(word.size() == 3 && word[2] == '*')) return false;
    const char rc = static_cast<char>(word[0] >= 'a' && word[0] <= 'z' ? word[0] - 32 : word[0]);
    const char sc = static_cast<char>(word[1] >= 'A' && word[1] <= 'Z' ? word[1] + 32 : word[1]);
    const int rank = find_char(kRankChars, rc);
    const int suit = find_char(kSuitChars, sc);
    if (rank < 0 || suit < 0) return false;
    cards.push_back(make_card(rank, suit, word.size() == 3));
  }
  return !cards.empty();
}

std::vector<CardCode> hand(std::string_view text) {
  std::vector<CardCode> cards;
  if (!parse_hand(text, cards)) {
    std::fprintf(stdout, "bad hand in test table: \"%.*s\"\n", static_cast<int>(text.size()),
                 text.data());
    std::abort();
  }
  return cards;
}

std::string hand_text(const CardCode* cards, int count) {
  std::string s;
  for (int i = 0; i < count; ++i) {
    if (i > 0) s += ' ';
    const CardCode c = cards[i];
    if (c == kJoker) {
      s += '*';
      continue;
    }
    s += kRankChars[card_rank_index(c)];
    s += kSuitChars[card_suit_index(c)];
    if (is_wild(c)) s += '*';
  }
  return s;
}

}  // namespace orvix::test
