#pragma once
// The table paths for five and seven cards, inline so that a deal loop can
// take them into its own body. select_evaluator(5) and (7) call them too.
// Internal to the evaluator; not installed.
//
// Each card adds one 64-bit count word, looked up by the top half of its code:
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
// four, a flush is always possible), and one perfect hash per hand size, with
// a block per wild count, maps those 39 bits straight to the HandValue.
//
//   const HandValue v = evaluate_7_fast(cards);  // same value as evaluate_7_general

#include <atomic>
#include <cstddef>
#include <cstdint>

#include <orvix/card.h>
#include <orvix/evaluate.h>

namespace orvix {

namespace fast_eval {

inline constexpr int kRankFieldBits = 3;
inline constexpr std::uint64_t kRankFieldsMask =
    (std::uint64_t{1} << (kRankCount * kRankFieldBits)) - 1;
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

// The card's count word sits at card_words[card_slot(code)]: the code's top
// half, its rank index, wild flag, suit bit and suit index, which differ for
// every card. One 16-bit load per card, no multiply and no mask; of the 65,536
// slots (512 KB of address space) only the 105 of real cards are ever
// written, in about a dozen cache lines on eight pages, so the rest never takes
// memory. Any 32-bit code reads inside the table.
inline constexpr int kCardSlotShift = 16;
inline constexpr int kCardSlots = 1 << (32 - kCardSlotShift);

constexpr unsigned card_slot(CardCode card) { return card >> kCardSlotShift; }
static_assert(card_slot(~CardCode{0}) == kCardSlots - 1);

// Maximum wild count a table covers, and the ranks' count of rank masks.
inline constexpr int kTableWilds = 4;  // 0..3
inline constexpr int kSuitMaskCount = 1 << kRankCount;

// One perfect hash per hand size from a hand's rank counters to its value:
// the key times `mul`; the top bits pick a bucket, bits from 32 up a position
// that the bucket's displacement moves by XOR onto a slot of its own. Every
// wild count has a block of the same shape, so the hot path needs no loads
// beyond the displacement and the value: the multiplier, shifts and masks
// are constants. The multipliers were chosen once for these key sets; the
// tables are checked to place every key when they are built.
struct RankHashShape {
  int slot_bits;    // slots per wild count: 2^slot_bits
  int bucket_bits;  // buckets per wild count: 2^bucket_bits, 8 slots each
  std::uint64_t mul;
};
// 44,473 keys for seven natural cards, fewer with wild cards.
inline constexpr RankHashShape kSevenHash{16, 13, 0x6d6a653496fa124dull};
// 6,019 keys for five natural cards.
inline constexpr RankHashShape kFiveHash{13, 10, 0xa90cc365a84f13b9ull};
inline constexpr int kPositionShift = 32;

template <const RankHashShape& kShape>
struct RankHashTable {
  static constexpr std::size_t kSlots = std::size_t{1} << kShape.slot_bits;
  static constexpr std::size_t kBuckets = std::size_t{1} << kShape.bucket_bits;
  std::uint16_t displacements[kTableWilds][kBuckets];
  HandValue values[kTableWilds][kSlots];
};

struct FastTables {
  std::uint64_t card_words[kCardSlots];
  RankHashTable<kSevenHash> seven;
  RankHashTable<kFiveHash> five;
  // suit_values[w][m]: the best hand from natural cards of one suit with
  // ranks m and w wild cards, for 5 to 7 cards in all; 0 elsewhere.
  HandValue suit_values[kTableWilds][kSuitMaskCount];
};

// Fills g_tables once (std::call_once), whichever thread comes first.
void build_fast_tables();

extern FastTables g_tables;  // read only once g_tables_ready is set
extern std::atomic<bool> g_tables_ready;

// Whether the tables are built. Past the first hand this is one load and a
// branch that always goes the same way.
inline bool tables_ready() { return g_tables_ready.load(std::memory_order_acquire); }

// The tables, built on first use.
inline const FastTables& tables() {
  if (!tables_ready()) [[unlikely]]
    build_fast_tables();
  return g_tables;
}

// The slot of a rank key in its wild count's block.
template <const RankHashShape& kShape>
constexpr std::uint32_t hash_position(std::uint64_t rank_key) {
  return static_cast<std::uint32_t>(rank_key * kShape.mul >> kPositionShift) &
         ((1u << kShape.slot_bits) - 1);
}
template <const RankHashShape& kShape>
constexpr std::uint32_t hash_bucket(std::uint64_t rank_key) {
  return static_cast<std::uint32_t>(rank_key * kShape.mul >> (64 - kShape.bucket_bits));
}

// The value of a hand from its summed count word (bias included): its rank
// counters and its wild count, which must be below kTableWilds.
template <const RankHashShape& kShape>
inline HandValue rank_value(const RankHashTable<kShape>& table, std::uint64_t sum) {
  const auto wilds = static_cast<std::uint32_t>(sum >> kWildCountShift);
  const std::uint64_t key = sum & kRankFieldsMask;
  return table.values[wilds][hash_position<kShape>(key) ^
                             table.displacements[wilds][hash_bucket<kShape>(key)]];
}

// The routed hands: rank held four times, a possible flush, or four or more
// wild cards. `sum` is the hand's summed count word, bias included.
HandValue routed_5(const CardCode* cards, std::uint64_t sum);
HandValue routed_7(const CardCode* cards, std::uint64_t sum);

// The first hand of a size: builds the tables, then scores the hand. Kept out
// of line so that the paths below need no stack frame for the call.
HandValue first_5(const CardCode* cards);
HandValue first_7(const CardCode* cards);

}  // namespace fast_eval

// The table path for N = 5 or 7 cards with the tables in hand, for loops that
// fetch them once (fast_eval::tables()) and score many hands.
template <int N>
inline HandValue evaluate_with(const fast_eval::FastTables& t, const CardCode* c) {
  static_assert(N == 5 || N == 7);
  std::uint64_t sum = fast_eval::kSuitBias;
  for (int i = 0; i < N; ++i) sum += t.card_words[fast_eval::card_slot(c[i])];
  if ((sum & fast_eval::kRouteMask) != 0) [[unlikely]]
    return N == 5 ? fast_eval::routed_5(c, sum) : fast_eval::routed_7(c, sum);
  if constexpr (N == 5)
    return fast_eval::rank_value(t.five, sum);
  else
    return fast_eval::rank_value(t.seven, sum);
}

inline HandValue evaluate_5_fast(const CardCode* c) {
  if (!fast_eval::tables_ready()) [[unlikely]]
    return fast_eval::first_5(c);
  return evaluate_with<5>(fast_eval::g_tables, c);
}

inline HandValue evaluate_7_fast(const CardCode* c) {
  if (!fast_eval::tables_ready()) [[unlikely]]
    return fast_eval::first_7(c);
  return evaluate_with<7>(fast_eval::g_tables, c);
}

}  // namespace orvix
