#pragma once
// The five cards that make a hand's value, and what each wild card in them
// stands for: for showing one hand (slower than evaluate, and allocation-free
// all the same).
//
//   CardCode hand[5];  // "As Ad * 9c 9h": the wild card makes a Full House
//   ...
//   const BestFive best = best_five(hand, 5);
//   best.value == evaluate(hand, 5)                   // 0x64001080: Aces over Nines
//   best.cards[2]: {kJoker, 12, kAnySuit}             // the joker plays as an Ace
//   best_five_text(best) == "Ad As A* 9c 9h"
//
// The cards come in the order they are read out: the largest group first,
// then by rank from the highest (a Five-high straight ends with its Ace:
// "5d 4s 3c 2h Ad"), natural cards before wild ones, suits in the order
// d s c h. Where several choices of five make the same value, natural
// cards win over wild ones, then the suit that comes first in that order.

#include <string>

#include <orvix/card.h>
#include <orvix/evaluate.h>
#include <orvix/ranking.h>

namespace orvix {

// The suit of a played card whose suit does not change the hand: a wild card
// anywhere but in a Flush or a Straight Flush.
inline constexpr int kAnySuit = -1;

// One card of the five: the card as held, and the rank index (0..12) and
// suit index (0..3, or kAnySuit) it plays as. A natural card plays as itself.
struct PlayedCard {
  CardCode card = 0;
  int rank = 0;
  int suit = kAnySuit;
};

// A hand's value and the cards that make it: five, or every card of a hand
// of fewer than five.
struct BestFive {
  HandValue value = 0;
  int count = 0;
  PlayedCard cards[5] = {};
};

// The value of the `count` cards from `cards` (1 to 20; exactly evaluate's
// value) and the cards that make it. Any other count gives count 0 and value
// 0 (and an assertion failure in builds that check them).
BestFive best_five(const CardCode* cards, int count);

// The same under `ranking`: the value is evaluate(cards, count, ranking)'s,
// read with hand_category(value, ranking) and top_rank(value, ranking).
// Short deck's A-6-7-8-9 reads "9d 8s 7c 6h Ad", its Ace last where it plays.
//   "Kh Kd Kc 9h 9s 5h 2h Jh" under shortdeck_ranking(): "Kh Jh 9h 5h 2h" (a Flush)
BestFive best_five(const CardCode* cards, int count, const Ranking& ranking);

// The played cards as text, blank-separated: a natural card as card_text
// writes it ("As"), a wild card as the rank it stands for and "*" ("A*"),
// with the suit between them in a Flush or Straight Flush ("Kh*").
std::string best_five_text(const BestFive& best);

}  // namespace orvix
