#pragma once
// The table paths for five and seven cards, inline so that a deal loop can
// take them into its own body. select_evaluator(5) and (7) call them too.
// Internal to the evaluator; not installed.
//
// Each card adds one 64-bit count word, looked up by a multiplicative hash of
// its code:
//
//   bits 0..38   13 rank counters of 3 bits (Two at the bottom)
//   bits 40..55  4 suit counters of 4 bits, each started at 3; a wild card
//                adds 1 to every suit, so a counter reaches 8 (its top bit)
//                exactly when that suit's natural cards and the wild cards
//                together could make five of one suit
//   bits 56..58  the number of wild cards
//
// One AND then sends to the out-of-line path every hand with a rank held four
// or more times or a possible flush. Every other hand's value depends only on
// its rank counters and its number of wild cards (at most three here: with
// four, a flush is always possible), and one perfect hash per wild count maps
// those 39 bits straight to the HandValue.
//
//   const HandValue v = evaluate_7_fast(cards);  // same value as evaluate_7_general

#include <cstdint>

#include <orvix/card.h>
#include <orvix/evaluate.h>

namespace orvix {

namespace fast_eval {

inline constexpr int kRankFieldBits = 3;
inline constexpr std::uint64_t kRankFieldsMask = (std::uint64_t{1} << (kRankCount * kRankFieldBits)) - 1;
// The top bit of every rank counter: set when a rank is held four times or more.
inline constexpr std::uint64_t kFourMask = 04444444444444ull;  // octal: 4 in each of 13 fields
static_assert((kFourMask & ~kRankFieldsMask) == 0 && (kFourMask >> 36) == 4);

inline constexpr int kSuitFieldShift = 40;
inline constexpr int kSuitFieldBits = 4;
inline constexpr std::uint64_t kSuitOnes = std::uint64_t{0x1111} << kSuitFieldShift;
inline constexpr std::uint64_t kSuitBias = 3 * kSuitOnes;
inline constexpr std::uint64_t kSuitFlagMask = 8 * kSuitOnes;
inline constexpr int kWildCountShift = 56;
inline constexpr std::uint64_t kRouteMask = kFourMask | kSuitFlagMask;

// The card's count word sits at card_words[(code * kCardHashMul) >> kCardHashShift]:
// the 52 natural cards take 52 different slots, and every wild card (whatever
// rank and suit it lists) one slot that no natural card takes. Checked where
// the words are filled.
inline constexpr std::uint32_t kCardHashMul = 2055;
inline constexpr int kCardHashShift = 25;
inline constexpr int kCardSlots = 1 << (32 - kCardHashShift);

constexpr unsigned card_slot(CardCode card) { return (card * kCardHashMul) >> kCardHashShift; }

// Maximum wild count a table covers, and the ranks' count of rank masks.
inline constexpr int kTableWilds = 4;  // 0..3
inline constexpr int kSuitMaskCount = 1 << kRankCount;

// One perfect hash from a hand's rank counters to its value: the key times
// `mul`; the top bits pick a bucket, the bits below a position that the
// bucket's displacement moves by XOR onto a slot of its own.
struct RankHash {
  std::uint64_t mul;
  const std::uint16_t* displacements;
  const HandValue* values;
  std::uint32_t bucket_shift;
  std::uint32_t position_shift;
  std::uint64_t position_mask;
};

struct FastTables {
  std::uint64_t card_words[kCardSlots];
  RankHash five[kTableWilds];   // by wild count
  RankHash seven[kTableWilds];  // by wild count
  // suit_values[w][m]: the best hand from natural cards of one suit with
  // ranks m and w wild cards, for 5 to 7 cards in all; 0 elsewhere.
  HandValue suit_values[kTableWilds][kSuitMaskCount];
};

// Fills the tables once, on first call from any thread; about 10 ms.
// Returns true so it can start a guard variable.
bool build_fast_tables();

extern FastTables g_tables;  // read only after build_fast_tables()

inline const FastTables& tables() {
  static const bool ready = build_fast_tables();
  (void)ready;
  return g_tables;
}

inline HandValue rank_value(const RankHash& h, std::uint64_t rank_key) {
  const std::uint64_t x = rank_key * h.mul;
  const auto bucket = static_cast<std::uint32_t>(x >> h.bucket_shift);
  const auto position = static_cast<std::uint32_t>((x >> h.position_shift) & h.position_mask);
  return h.values[position ^ h.displacements[bucket]];
}

// The routed hands: rank held four times, a possible flush, or four or more
// wild cards. `sum` is the hand's summed count word, bias included.
HandValue routed_5(const CardCode* cards, std::uint64_t sum);
HandValue routed_7(const CardCode* cards, std::uint64_t sum);

}  // namespace fast_eval

inline HandValue evaluate_5_fast(const CardCode* c) {
  const fast_eval::FastTables& t = fast_eval::tables();
  using fast_eval::card_slot;
  const std::uint64_t sum = fast_eval::kSuitBias + t.card_words[card_slot(c[0])] + t.card_words[card_slot(c[1])] +
                            t.card_words[card_slot(c[2])] + t.card_words[card_slot(c[3])] +
                            t.card_words[card_slot(c[4])];
  if ((sum & fast_eval::kRouteMask) != 0) [[unlikely]]
    return fast_eval::routed_5(c, sum);
  return fast_eval::rank_value(t.five[sum >> fast_eval::kWildCountShift], sum & fast_eval::kRankFieldsMask);
}

inline HandValue evaluate_7_fast(const CardCode* c) {
  const fast_eval::FastTables& t = fast_eval::tables();
  using fast_eval::card_slot;
  const std::uint64_t sum = fast_eval::kSuitBias + t.card_words[card_slot(c[0])] + t.card_words[card_slot(c[1])] +
                            t.card_words[card_slot(c[2])] + t.card_words[card_slot(c[3])] +
                            t.card_words[card_slot(c[4])] + t.card_words[card_slot(c[5])] +
                            t.card_words[card_slot(c[6])];
  if ((sum & fast_eval::kRouteMask) != 0) [[unlikely]]
    return fast_eval::routed_7(c, sum);
  return fast_eval::rank_value(t.seven[sum >> fast_eval::kWildCountShift], sum & fast_eval::kRankFieldsMask);
}

}  // namespace orvix
