#include <orvix/evaluate.h>

#include <cassert>

#include <orvix/internal/evaluators.h>
#include <orvix/internal/fast_eval.h>

#include "decide.h"

namespace orvix {
namespace {

// Carry-save adders count the cards bit by bit, whole words at a time:
// add3(a, b, c) leaves the sum bit in `sum` and the carry in `carry`.
struct SumCarry {
  std::uint32_t sum, carry;
};
inline SumCarry add3(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
  const std::uint32_t t = a ^ b;
  return {t ^ c, (a & b) | (t & c)};
}

// From a per-bit count in binary (ones, twos, fours; at most 7) to the
// at-least masks, plus the wild count from the wild flag's own count: its
// three binary digits shifted down to bits 0, 1 and 2.
inline HandCounts at_least_masks(std::uint32_t ones, std::uint32_t twos, std::uint32_t fours) {
  const int wilds = static_cast<int>((ones >> kWildShift & 1) | (twos >> (kWildShift - 1) & 2) |
                                     (fours >> (kWildShift - 2) & 4));
  return {ones | twos | fours,   twos | fours, (ones & twos) | fours, fours,
          fours & (ones | twos), wilds};
}

// The rare half, out of line so that the common path keeps its registers.
[[gnu::noinline]] HandValue rare(std::uint32_t ones, std::uint32_t twos, std::uint32_t fours,
                                 const CardCode* cards, int count) {
  return decide_rare(at_least_masks(ones, twos, fours), cards, count);
}

}  // namespace

HandValue evaluate_5_general(const CardCode* c) {
  assert(c != nullptr);
  const SumCarry x = add3(c[0], c[1], c[2]);
  const SumCarry y = add3(x.sum, c[3], c[4]);
  const std::uint32_t ones = y.sum, twos = x.carry ^ y.carry, fours = x.carry & y.carry;
  const std::uint32_t a1 = ones | twos | fours;
  if (needs_rare(a1, fours, fours & ones)) [[unlikely]]
    return rare(ones, twos, fours, c, 5);
  return decide_common_5(a1 & kRankBitsMask, (twos | fours) & kRankBitsMask,
                         ((ones & twos) | fours) & kRankBitsMask);
}

HandValue evaluate_7_general(const CardCode* c) {
  assert(c != nullptr);
  const SumCarry x = add3(c[0], c[1], c[2]);
  const SumCarry y = add3(c[3], c[4], c[5]);
  const SumCarry z = add3(x.sum, y.sum, c[6]);
  const SumCarry k = add3(x.carry, y.carry, z.carry);
  const std::uint32_t ones = z.sum, twos = k.sum, fours = k.carry;
  const std::uint32_t ones_or_twos = ones | twos;
  const std::uint32_t a1 = ones_or_twos | fours;
  if (needs_rare(a1, fours, fours & ones_or_twos)) [[unlikely]]
    return rare(ones, twos, fours, c, 7);
  return decide_common(a1 & kRankBitsMask, (twos | fours) & kRankBitsMask,
                       ((ones & twos) | fours) & kRankBitsMask);
}

HandValue evaluate_5(const CardCode* cards) {
  assert(cards != nullptr);
  return evaluate_5_fast(cards);
}

HandValue evaluate_7(const CardCode* cards) {
  assert(cards != nullptr);
  return evaluate_7_fast(cards);
}

void build_eval_tables() { fast_eval::tables(); }

// The first five cards by the adder, then one card at a time from the top
// mask down, so that each card lifts each bit by one step only.
HandValue evaluate_many(int count, const CardCode* cards) {
  assert(count >= 5 && count <= kMaxHandSize && cards != nullptr);
  const SumCarry x = add3(cards[0], cards[1], cards[2]);
  const SumCarry y = add3(x.sum, cards[3], cards[4]);
  HandCounts h = at_least_masks(y.sum, x.carry ^ y.carry, x.carry & y.carry);
  for (int i = 5; i < count; ++i) {
    const CardCode c = cards[i];
    h.a5 |= h.a4 & c;
    h.a4 |= h.a3 & c;
    h.a3 |= h.a2 & c;
    h.a2 |= h.a1 & c;
    h.a1 |= c;
    h.wilds += static_cast<int>(c >> kWildShift & 1);
  }
  if (needs_rare(h.a1, h.a4, h.a5)) return decide_rare(h, cards, count);
  return decide_common(h.a1 & kRankBitsMask, h.a2 & kRankBitsMask, h.a3 & kRankBitsMask);
}

namespace {

// The at-least masks of N cards (6 to 20), counted bit by bit in five binary
// planes of weights 1, 2, 4, 8 and 16 (no bit is set in more than 20 cards,
// so the planes never overflow). Four cards at a time go through three
// carry-save adders, whose weight-4 carry then ripples up; the last one to
// three cards take an adder of their own. About five instructions a card,
// against twelve for the step-by-step masks of evaluate_many, and the wild
// flag is counted on the way like any other bit.
struct CardPlanes {
  std::uint32_t b1 = 0, b2 = 0, b4 = 0, b8 = 0, b16 = 0;

  void carry_into_16(std::uint32_t to16) { b16 |= to16; }
  void carry_into_8(std::uint32_t to8) {
    carry_into_16(b8 & to8);
    b8 ^= to8;
  }
  void carry_into_4(std::uint32_t to4) {
    carry_into_8(b4 & to4);
    b4 ^= to4;
  }
  void carry_into_2(std::uint32_t to2) {
    carry_into_4(b2 & to2);
    b2 ^= to2;
  }
};

template <int N>
HandCounts count_cards(const CardCode* c) {
  static_assert(N >= 5 && N <= kMaxHandSize && N < 32);
  CardPlanes p;
  int i = 0;
  for (; i + 4 <= N; i += 4) {
    const SumCarry x = add3(p.b1, c[i], c[i + 1]);
    const SumCarry y = add3(x.sum, c[i + 2], c[i + 3]);
    const SumCarry z = add3(p.b2, x.carry, y.carry);
    p.b1 = y.sum;
    p.b2 = z.sum;
    p.carry_into_4(z.carry);
  }
  if constexpr (N % 4 == 3) {
    const SumCarry x = add3(c[i], c[i + 1], c[i + 2]);
    const std::uint32_t to2 = p.b1 & x.sum;
    p.b1 ^= x.sum;
    const SumCarry z = add3(p.b2, x.carry, to2);
    p.b2 = z.sum;
    p.carry_into_4(z.carry);
  } else if constexpr (N % 4 == 2) {
    const SumCarry x = add3(p.b1, c[i], c[i + 1]);
    p.b1 = x.sum;
    p.carry_into_2(x.carry);
  } else if constexpr (N % 4 == 1) {
    const std::uint32_t to2 = p.b1 & c[i];
    p.b1 ^= c[i];
    p.carry_into_2(to2);
  }
  const std::uint32_t from8 = p.b8 | p.b16, from4 = p.b4 | from8, from2 = p.b2 | from4;
  const int wilds = static_cast<int>(
      (p.b1 >> kWildShift & 1) | (p.b2 >> (kWildShift - 1) & 2) | (p.b4 >> (kWildShift - 2) & 4) |
      (p.b8 >> (kWildShift - 3) & 8) | (p.b16 >> (kWildShift - 4) & 16));
  return {p.b1 | from2, from2, from4 | (p.b2 & p.b1), from4, from8 | (p.b4 & (p.b2 | p.b1)), wilds};
}

// The sizes without an evaluator of their own.
template <int N>
HandValue evaluate_n(const CardCode* cards) {
  assert(cards != nullptr);
  const HandCounts h = count_cards<N>(cards);
  if (needs_rare(h.a1, h.a4, h.a5)) return decide_rare(h, cards, N);
  return decide_common(h.a1 & kRankBitsMask, h.a2 & kRankBitsMask, h.a3 & kRankBitsMask);
}

// Indexed by hand size - 1.
constexpr evaluate_hand kBySize[kMaxHandSize] = {
    evaluate_1,     evaluate_2,     evaluate_3,     evaluate_4,     evaluate_5,
    evaluate_n<6>,  evaluate_7,     evaluate_n<8>,  evaluate_n<9>,  evaluate_n<10>,
    evaluate_n<11>, evaluate_n<12>, evaluate_n<13>, evaluate_n<14>, evaluate_n<15>,
    evaluate_n<16>, evaluate_n<17>, evaluate_n<18>, evaluate_n<19>, evaluate_n<20>};

}  // namespace

evaluate_hand select_evaluator(int hand_size) {
  assert(hand_size >= 1 && hand_size <= kMaxHandSize);
  if (hand_size < 1 || hand_size > kMaxHandSize) return nullptr;
  return kBySize[hand_size - 1];
}

HandValue evaluate(const CardCode* cards, int count) {
  const evaluate_hand evaluator = select_evaluator(count);
  if (evaluator == nullptr) return 0;
  assert(cards != nullptr);
  return evaluator(cards);
}

}  // namespace orvix
