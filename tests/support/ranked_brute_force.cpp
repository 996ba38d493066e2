#include "ranked_brute_force.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "brute_force.h"

namespace orvix::test {
namespace {

constexpr int kAce = 12;

bool has_exactly_ranks(const int* ranks, std::vector<int> wanted) {
  std::vector<int> have(ranks, ranks + 5);
  std::sort(have.begin(), have.end());
  std::sort(wanted.begin(), wanted.end());
  return have == wanted;
}

HandValue with_category(int category, HandValue low) {
  return static_cast<HandValue>(category) << kCategoryShift | low;
}

// The standard value of five cards, but with short deck's straights.
HandValue five_card_value_under(const int* ranks, bool one_suit, const Ranking& ranking) {
  if (ranking.ace_six_straights) {
    if (has_exactly_ranks(ranks, {kAce, 0, 1, 2, 3}))  // A-2-3-4-5: no straight
      return one_suit ? with_category(kFlush, 0xC3210) : with_category(kHighCard, 0x100F << 14);
    if (has_exactly_ranks(ranks, {kAce, 7, 6, 5, 4}))  // A-6-7-8-9: the lowest straight
      return with_category(one_suit ? kStraightFlush : kStraight, (1u << 3) << 14 | 0x10F0);
  }
  return five_card_value(ranks, one_suit);
}

// Lowball: the standard value with the ranks in the ranking's order (low: the
// Ace below the Two, no straights or flushes; deuce: A-2-3-4-5 no straight),
// its low bits turned over so that the lowest hand has the greatest value.
HandValue lowball_value_of(const int* ranks, int count, bool one_suit, const Ranking& ranking) {
  HandValue standard = 0;
  if (ranking.kind == RankingKind::kAceToFive) {
    int moved[5];
    unsigned mask = 0;
    for (int i = 0; i < count; ++i) {
      moved[i] = ranks[i] == kAce ? 0 : ranks[i] + 1;
      mask |= 1u << moved[i];
    }
    if (count < 5)
      standard = small_hand_value(moved, count);
    else if (std::popcount(mask) == 5)
      standard = with_category(kHighCard, mask << 14);
    else
      standard = five_card_value(moved, false);
  } else if (count < 5) {
    standard = small_hand_value(ranks, count);
  } else if (has_exactly_ranks(ranks, {kAce, 0, 1, 2, 3})) {
    standard = one_suit ? with_category(kFlush, 0xC3210) : with_category(kHighCard, 0x100F << 14);
  } else {
    standard = five_card_value(ranks, one_suit);
  }
  return with_category(ranking.position[standard >> kCategoryShift],
                       (standard & kLowballFlip) ^ kLowballFlip);
}

HandValue ranked(HandValue standard, const Ranking& ranking) {
  return with_category(ranking.position[standard >> kCategoryShift],
                       standard & ((HandValue{1} << kCategoryShift) - 1));
}

struct Slot {
  int rank;
  int suit;
  bool wild;
};

// Every card for every wild card among `five`, from index `at` on.
HandValue best_substitution(Slot* five, int count, int at, const Ranking& ranking) {
  if (at == count) {
    int ranks[5] = {};
    bool one_suit = true;
    for (int i = 0; i < count; ++i) {
      ranks[i] = five[i].rank;
      one_suit = one_suit && five[i].suit == five[0].suit;
    }
    return ranked_concrete_value(ranks, count, one_suit, ranking);
  }
  if (!five[at].wild) return best_substitution(five, count, at + 1, ranking);
  HandValue best = 0;
  const int suits = count == 5 ? kSuitCount : 1;  // suits matter only in five cards
  for (int r = 0; r < kRankCount; ++r)
    for (int s = 0; s < suits; ++s) {
      five[at].rank = r;
      five[at].suit = s;
      best = std::max(best, best_substitution(five, count, at + 1, ranking));
    }
  five[at].rank = 0;
  five[at].suit = 0;
  return best;
}

Slot slot_of(CardCode c) { return {card_rank_index(c), card_suit_index(c), is_wild(c)}; }

// Rank counts, at most five of a rank: what a five-card multiset needs.
struct Counts {
  int n[kRankCount] = {};
};

int common_cards(const Counts& have, const Counts& want) {
  int total = 0;
  for (int r = 0; r < kRankCount; ++r) total += std::min(have.n[r], want.n[r]);
  return total;
}

struct Target {
  HandValue value;  // ranked
  Counts ranks;
  bool one_suit;
};

// Every five-card rank multiset, plain and one-suited, best ranked value first.
std::vector<Target> build_targets(const Ranking& ranking) {
  std::vector<Target> targets;
  for_each_rank_multiset_5([&](const int* r) {
    Counts c;
    for (int i = 0; i < 5; ++i) ++c.n[r[i]];
    for (const bool one_suit : {false, true})
      targets.push_back({ranked_concrete_value(r, 5, one_suit, ranking), c, one_suit});
  });
  std::stable_sort(targets.begin(), targets.end(),
                   [](const Target& a, const Target& b) { return a.value > b.value; });
  return targets;
}

// The targets of the rankings seen so far (a test uses a handful).
const std::vector<Target>& targets_for(const Ranking& ranking) {
  static std::vector<std::pair<Ranking, std::vector<Target>>> built;
  for (const auto& [r, targets] : built)
    if (r == ranking) return targets;
  built.emplace_back(ranking, build_targets(ranking));
  return built.back().second;
}

}  // namespace

HandValue ranked_concrete_value(const int* ranks, int count, bool one_suit,
                                const Ranking& ranking) {
  if (ranking.kind != RankingKind::kCategoryOrder)
    return lowball_value_of(ranks, count, one_suit, ranking);
  if (count < 5) return ranked(small_hand_value(ranks, count), ranking);
  return ranked(five_card_value_under(ranks, one_suit, ranking), ranking);
}

HandValue literal_ranked_value(const CardCode* cards, int count, const Ranking& ranking) {
  if (count < 5) {
    Slot all[4];
    for (int i = 0; i < count; ++i) all[i] = slot_of(cards[i]);
    return best_substitution(all, count, 0, ranking);
  }
  return best_of_five_card_subsets(cards, count, [&ranking](const CardCode* five_cards) {
    Slot five[5];
    for (int i = 0; i < 5; ++i) five[i] = slot_of(five_cards[i]);
    return best_substitution(five, 5, 0, ranking);
  });
}

HandValue ranked_brute_force_value(const CardCode* cards, int count, const Ranking& ranking) {
  if (count < 5) return literal_ranked_value(cards, count, ranking);
  Counts all;
  Counts by_suit[kSuitCount];
  unsigned suits_of_rank[kRankCount] = {};  // suit bits of the natural cards of each rank
  int wilds = 0;
  for (int i = 0; i < count; ++i) {
    if (is_wild(cards[i])) {
      ++wilds;
      continue;
    }
    const int r = card_rank_index(cards[i]), s = card_suit_index(cards[i]);
    ++all.n[r];
    ++by_suit[s].n[r];
    suits_of_rank[r] |= 1u << s;
  }
  for (const Target& t : targets_for(ranking)) {
    if (t.one_suit) {
      for (const Counts& suit : by_suit)
        if (common_cards(suit, t.ranks) + wilds >= 5) return t.value;
      continue;
    }
    if (common_cards(all, t.ranks) + wilds < 5) continue;
    // Without a wild card the five are natural cards of the target's ranks,
    // chosen freely among the hand's: two suits unless all of them share one.
    unsigned suits = 0;
    for (int r = 0; r < kRankCount; ++r)
      if (t.ranks.n[r] > 0) suits |= suits_of_rank[r];
    if (wilds > 0 || std::popcount(suits) >= 2) return t.value;
  }
  std::fprintf(stdout, "ranked_brute_force_value: no five-card hand formed\n");
  std::abort();
}

}  // namespace orvix::test
