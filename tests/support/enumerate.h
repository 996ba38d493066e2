#pragma once
// Plain walks over every hand of a card list, kept for tests and benchmarks
// (the counting engine replaced them in the product): loops that call a
// visitor once per hand. Each loop level writes only its own slot of the hand
// buffer, so moving to the next hand costs one store, not a rebuild; the
// visitor is inlined into the innermost loop.
//
// visit(const CardCode* hand) sees a buffer of 5 or 7 cards that stays valid
// only for that call.

#include <orvix/card.h>

namespace orvix {

// Every set of 5 distinct entries of cards[0..n), indices strictly increasing:
// C(n, 5) hands.
template <class Visit>
void for_each_combination_5(const CardCode* cards, int n, Visit&& visit) {
  CardCode hand[5];
  for (int a = 0; a < n - 4; ++a) {
    hand[0] = cards[a];
    for (int b = a + 1; b < n - 3; ++b) {
      hand[1] = cards[b];
      for (int c = b + 1; c < n - 2; ++c) {
        hand[2] = cards[c];
        for (int d = c + 1; d < n - 1; ++d) {
          hand[3] = cards[d];
          for (int e = d + 1; e < n; ++e) {
            hand[4] = cards[e];
            visit(static_cast<const CardCode*>(hand));
          }
        }
      }
    }
  }
}

// Every set of 7 distinct entries of cards[0..n): C(n, 7) hands.
template <class Visit>
void for_each_combination_7(const CardCode* cards, int n, Visit&& visit) {
  CardCode hand[7];
  for (int a = 0; a < n - 6; ++a) {
    hand[0] = cards[a];
    for (int b = a + 1; b < n - 5; ++b) {
      hand[1] = cards[b];
      for (int c = b + 1; c < n - 4; ++c) {
        hand[2] = cards[c];
        for (int d = c + 1; d < n - 3; ++d) {
          hand[3] = cards[d];
          for (int e = d + 1; e < n - 2; ++e) {
            hand[4] = cards[e];
            for (int f = e + 1; f < n - 1; ++f) {
              hand[5] = cards[f];
              for (int g = f + 1; g < n; ++g) {
                hand[6] = cards[g];
                visit(static_cast<const CardCode*>(hand));
              }
            }
          }
        }
      }
    }
  }
}

// Every ordered 5-tuple of entries with repetition, as if each entry stood
// for an endless supply of that card: n^5 hands. Order never changes a hand's
// value, so the tuples are visited as multisets (indices non-decreasing), each
// once with its weight: the number of orderings it stands for, 5! divided by
// the factorial of every repeat count. visit(hand, weight) sees C(n + 4, 5)
// hands whose weights add up to n^5.
template <class Visit>
void for_each_tuple_5(const CardCode* cards, int n, Visit&& visit) {
  // Indexed by four bits, bit i set when entry i equals entry i + 1.
  static constexpr int kOrderings[16] = {120, 60, 60, 20, 60, 30, 20, 5,
                                         60,  30, 30, 10, 20, 10, 5,  1};
  CardCode hand[5];
  for (int a = 0; a < n; ++a) {
    hand[0] = cards[a];
    for (int b = a; b < n; ++b) {
      hand[1] = cards[b];
      const int ab = b == a ? 1 : 0;
      for (int c = b; c < n; ++c) {
        hand[2] = cards[c];
        const int abc = ab | (c == b ? 2 : 0);
        for (int d = c; d < n; ++d) {
          hand[3] = cards[d];
          const int abcd = abc | (d == c ? 4 : 0);
          for (int e = d; e < n; ++e) {
            hand[4] = cards[e];
            visit(static_cast<const CardCode*>(hand), kOrderings[abcd | (e == d ? 8 : 0)]);
          }
        }
      }
    }
  }
}

}  // namespace orvix
