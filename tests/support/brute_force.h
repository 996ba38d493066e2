#pragma once
// Slow reference evaluators written straight from the definition of hand
// values, for checking the fast evaluators. Never used by the product.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include <orvix/evaluate.h>

namespace orvix::test {

// The value of five concrete cards, given their rank indices (any order) and
// whether all five share one suit. The best category the cards satisfy wins.
HandValue five_card_value(const int ranks[5], bool one_suit);

// Calls visit(ranks) once for every multiset of five ranks (6188 of them),
// ranks[0] <= ranks[1] <= ... <= ranks[4].
template <class Visit>
void for_each_rank_multiset_5(Visit&& visit) {
  int r[5];
  for (r[0] = 0; r[0] < kRankCount; ++r[0])
    for (r[1] = r[0]; r[1] < kRankCount; ++r[1])
      for (r[2] = r[1]; r[2] < kRankCount; ++r[2])
        for (r[3] = r[2]; r[3] < kRankCount; ++r[3])
          for (r[4] = r[3]; r[4] < kRankCount; ++r[4]) visit(static_cast<const int*>(r));
}

// The value of one to four concrete cards (rank indices): no straights or flushes.
HandValue small_hand_value(const int* ranks, int count);

// Best value of a hand of 1..20 cards, wild cards fully wild. Fast enough for
// hundreds of thousands of hands: for five or more cards it walks every
// five-card rank multiset (each plain and one-suited) from the best value down
// and returns the first the hand can form. A hand can form a multiset M when
// its naturals matching M (at most M's multiplicity per rank; one suit only
// for the one-suited form) plus its wild cards number at least five.
HandValue brute_force_value(const CardCode* cards, int count);
inline HandValue brute_force_value(const std::vector<CardCode>& hand) {
  return brute_force_value(hand.data(), static_cast<int>(hand.size()));
}

// The literal definition: every five-card subset, every rank and suit for each
// wild card in it (52 choices each). Very slow; only for small hands with few
// wild cards, to keep brute_force_value honest.
// The greatest of value(five) over every five-card subset of the cards.
template <typename ValueOfFive>
HandValue best_of_five_card_subsets(const CardCode* cards, int count, ValueOfFive value) {
  HandValue best = 0;
  int pick[5];
  for (pick[0] = 0; pick[0] < count; ++pick[0])
    for (pick[1] = pick[0] + 1; pick[1] < count; ++pick[1])
      for (pick[2] = pick[1] + 1; pick[2] < count; ++pick[2])
        for (pick[3] = pick[2] + 1; pick[3] < count; ++pick[3])
          for (pick[4] = pick[3] + 1; pick[4] < count; ++pick[4]) {
            const CardCode five[5] = {cards[pick[0]], cards[pick[1]], cards[pick[2]],
                                      cards[pick[3]], cards[pick[4]]};
            best = std::max(best, value(five));
          }
  return best;
}

HandValue literal_value(const CardCode* cards, int count);
inline HandValue literal_value(const std::vector<CardCode>& hand) {
  return literal_value(hand.data(), static_cast<int>(hand.size()));
}

// "As Kd * 9c" -> cards. Rank char 23456789TJQKA and suit char dsch in any
// case, "*" for a joker; a card followed by '*' ("7c*") is that card made wild.
// Returns false (and leaves `cards` partly filled) on anything else.
bool parse_hand(std::string_view text, std::vector<CardCode>& cards);

// Like parse_hand, but a bad hand aborts the test program: for literal tables.
std::vector<CardCode> hand(std::string_view text);

// "As Kd * 9c" back from cards, for failure messages.
std::string hand_text(const CardCode* cards, int count);
inline std::string hand_text(const std::vector<CardCode>& hand) {
  return hand_text(hand.data(), static_cast<int>(hand.size()));
}

}  // namespace orvix::test
