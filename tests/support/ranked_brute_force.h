#pragma once
// Slow reference evaluators under a ranking, written from what an order
// means: a five-card hand of natural cards has its standard value (short
// deck: A-2-3-4-5 is no straight, A-6-7-8-9 the lowest one), ranked by its
// category's position first and its standard low bits second; a larger hand,
// or one with wild cards, is worth its best five cards under the best
// substitution. Lowball rankings value five cards (or one to four) as the
// standard value with the ranks in their order, turned over, and take the
// best of those values the same way. Never used by the product.

#include <vector>

#include <orvix/ranking.h>

namespace orvix::test {

// The ranked value of five concrete cards (rank indices in any order, and
// whether all five share one suit), or of one to four (no straights or
// flushes; one_suit unused).
HandValue ranked_concrete_value(const int* ranks, int count, bool one_suit, const Ranking& ranking);

// The literal definition: every five-card subset and every one of the 52
// cards for each wild card in it (13 ranks for hands under five cards). Very
// slow; only for small hands with few wild cards.
HandValue literal_ranked_value(const CardCode* cards, int count, const Ranking& ranking);
inline HandValue literal_ranked_value(const std::vector<CardCode>& hand, const Ranking& ranking) {
  return literal_ranked_value(hand.data(), static_cast<int>(hand.size()), ranking);
}

// The same answer faster: for five cards and more, every five-card rank
// multiset, plain and one-suited, walked from the best ranked value down; the
// first the hand can form is its value. A plain form needs the hand's natural
// cards of its ranks (or wild cards) to fill it, with cards of two suits among
// them unless a wild card is free to take a second suit; a one-suited form
// needs them from one suit. Hands under five cards go to the literal form.
HandValue ranked_brute_force_value(const CardCode* cards, int count, const Ranking& ranking);
inline HandValue ranked_brute_force_value(const std::vector<CardCode>& hand,
                                          const Ranking& ranking) {
  return ranked_brute_force_value(hand.data(), static_cast<int>(hand.size()), ranking);
}

}  // namespace orvix::test
