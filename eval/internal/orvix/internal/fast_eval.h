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

#include <atomic>
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
// `mul`; bits from 51 up pick a bucket, bits from 32 up a position that the
// bucket's displacement moves by XOR onto a slot of its own. The shifts are
// the same for every table (only the masks differ), so they stay constants.
inline constexpr int kBucketShift = 51;    // up to 13 bucket bits
inline constexpr int kPositionShift = 32;  // up to 16 slot bits
struct RankHash {
  std::uint64_t mul;
  const std::uint16_t* displacements;
  const HandValue* values;
  std::uint32_t bucket_mask;
  std::uint32_t position_mask;
};

struct FastTables {
  std::uint64_t card_words[kCardSlots];
  RankHash five[kTableWilds];   // by wild count
  RankHash seven[kTableWilds];  // by wild count
  // suit_values[w][m]: the best hand from natural cards of one suit with
  // ranks m and w wild cards, for 5 to 7 cards in all; 0 elsewhere.
  HandValue suit_values[kTableWilds][kSuitMaskCount];
};

// Fills g_tables once (std::call_once), whichever thread comes first.
void build_fast_tables();

extern FastTables g_tables;                  // read only once g_tables_ready is set
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

inline HandValue rank_value(const RankHash& h, std::uint64_t rank_key) {
  const std::uint64_t x = rank_key * h.mul;
  const auto bucket = static_cast<std::uint32_t>(x >> kBucketShift) & h.bucket_mask;
  const auto position = static_cast<std::uint32_t>(x >> kPositionShift) & h.position_mask;
  return h.values[position ^ h.displacements[bucket]];
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

// The two paths with the tables in hand, for loops that fetch them once
// (fast_eval::tables()) and score many hands.
inline HandValue evaluate_5_with(const fast_eval::FastTables& t, const CardCode* c) {
  using fast_eval::card_slot;
  const std::uint64_t sum = fast_eval::kSuitBias + t.card_words[card_slot(c[0])] + t.card_words[card_slot(c[1])] +
                            t.card_words[card_slot(c[2])] + t.card_words[card_slot(c[3])] +
                            t.card_words[card_slot(c[4])];
  if ((sum & fast_eval::kRouteMask) != 0) [[unlikely]]
    return fast_eval::routed_5(c, sum);
  return fast_eval::rank_value(t.five[sum >> fast_eval::kWildCountShift], sum & fast_eval::kRankFieldsMask);
}

inline HandValue evaluate_7_with(const fast_eval::FastTables& t, const CardCode* c) {
  using fast_eval::card_slot;
  const std::uint64_t sum = fast_eval::kSuitBias + t.card_words[card_slot(c[0])] + t.card_words[card_slot(c[1])] +
                            t.card_words[card_slot(c[2])] + t.card_words[card_slot(c[3])] +
                            t.card_words[card_slot(c[4])] + t.card_words[card_slot(c[5])] +
                            t.card_words[card_slot(c[6])];
  if ((sum & fast_eval::kRouteMask) != 0) [[unlikely]]
    return fast_eval::routed_7(c, sum);
  return fast_eval::rank_value(t.seven[sum >> fast_eval::kWildCountShift], sum & fast_eval::kRankFieldsMask);
}

inline HandValue evaluate_5_fast(const CardCode* c) {
  if (!fast_eval::tables_ready()) [[unlikely]]
    return fast_eval::first_5(c);
  return evaluate_5_with(fast_eval::g_tables, c);
}

inline HandValue evaluate_7_fast(const CardCode* c) {
  if (!fast_eval::tables_ready()) [[unlikely]]
    return fast_eval::first_7(c);
  return evaluate_7_with(fast_eval::g_tables, c);
}

}  // namespace orvix
