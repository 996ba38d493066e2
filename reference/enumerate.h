#pragma once
// The three ways the reference games deal their hands, as loops that call a
// visitor once per hand. Each loop level writes only its own slot of the hand
// buffer, so moving to the next hand costs one store, not a rebuild; the
// visitor is inlined into the innermost loop.
//
// visit(const CardCode* hand) sees a buffer of 5 or 7 cards that stays valid
// only for that call.

#include "eval/card.h"

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
// for an endless supply of that card: n^5 hands.
template <class Visit>
void for_each_tuple_5(const CardCode* cards, int n, Visit&& visit) {
  CardCode hand[5];
  for (int a = 0; a < n; ++a) {
    hand[0] = cards[a];
    for (int b = 0; b < n; ++b) {
      hand[1] = cards[b];
      for (int c = 0; c < n; ++c) {
        hand[2] = cards[c];
        for (int d = 0; d < n; ++d) {
          hand[3] = cards[d];
          for (int e = 0; e < n; ++e) {
            hand[4] = cards[e];
            visit(static_cast<const CardCode*>(hand));
          }
        }
      }
    }
  }
}

}  // namespace orvix
