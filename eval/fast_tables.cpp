// The tables of the five- and seven-card paths, built once from the general
// evaluators, and the routed hands those paths hand back.
#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstdlib>
#include <mutex>
#include <vector>

#include <orvix/internal/evaluators.h>
#include <orvix/internal/fast_eval.h>

namespace orvix::fast_eval {
namespace {

// Every rank-counter key with counters 0..3 summing to the natural cards,
// with the value of a hand of those cards spread over the suits in turn
// (never more than two of a suit in seven cards, so with at most three wild
// cards no flush can be made) beside the `wilds` jokers already at the start
// of `cards`.
struct KeyBuilder {
  int size;  // 5 or 7
  int wilds;
  CardCode cards[7];
  std::vector<std::uint64_t> keys;
  std::vector<HandValue> values;

  void collect(int rank, int at, std::uint64_t key) {
    if (at == size) {
      keys.push_back(key);
      values.push_back(size == 5 ? evaluate_5_general(cards) : evaluate_7_general(cards));
      return;
    }
    if (rank == kRankCount) return;
    for (int n = 0; n <= 3 && at + n <= size; ++n) {
      for (int i = 0; i < n; ++i) cards[at + i] = make_card(rank, (at + i) % kSuitCount, false);
      collect(rank + 1, at + n, key + (static_cast<std::uint64_t>(n) << (kRankFieldBits * rank)));
    }
  }
};

// Hash and displace: the buckets, fullest first, each take the first
// displacement that puts all their keys on free slots. False when some bucket
// finds none (or two of its keys share a position, which no displacement
// separates): the multiplier does not suit these keys.
template <const RankHashShape& kShape>
bool place_keys(const std::vector<std::uint64_t>& keys, const std::vector<HandValue>& values,
                std::uint16_t* displacements, HandValue* slots_out) {
  constexpr std::uint32_t kSlots = 1u << kShape.slot_bits, kBuckets = 1u << kShape.bucket_bits;
  std::vector<std::vector<std::uint32_t>> by_bucket(kBuckets);  // key indices
  for (std::uint32_t i = 0; i < keys.size(); ++i)
    by_bucket[hash_bucket<kShape>(keys[i])].push_back(i);
  std::vector<std::uint32_t> order(kBuckets);
  for (std::uint32_t b = 0; b < kBuckets; ++b) order[b] = b;
  std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    return by_bucket[a].size() > by_bucket[b].size();
  });
  std::vector<char> taken(kSlots);
  for (const std::uint32_t b : order) {
    const std::vector<std::uint32_t>& members = by_bucket[b];
    // Two keys of one bucket on one position would share a slot under every
    // displacement, so that is tested once, before the search.
    for (std::size_t j = 0; j < members.size(); ++j)
      for (std::size_t k = 0; k < j; ++k)
        if (hash_position<kShape>(keys[members[j]]) == hash_position<kShape>(keys[members[k]]))
          return false;
    std::uint32_t d = 0;
    for (; d < kSlots; ++d) {
      bool fits = true;
      for (std::size_t j = 0; j < members.size() && fits; ++j)
        fits = !taken[hash_position<kShape>(keys[members[j]]) ^ d];
      if (fits) break;
    }
    if (d == kSlots) return false;
    displacements[b] = static_cast<std::uint16_t>(d);
    for (const std::uint32_t i : members) {
      const std::uint32_t slot = hash_position<kShape>(keys[i]) ^ d;
      taken[slot] = 1;
      slots_out[slot] = values[i];
    }
  }
  return true;
}

void fill_card_words(FastTables& t) {
  const std::uint64_t wild_word = std::uint64_t{1} << kWildCountShift | kSuitOnes;
  // The words start as zero (static storage) and only real cards' slots are
  // written, so the table's untouched pages never take memory.
  for (int r = 0; r < kRankCount; ++r) {
    for (int s = 0; s < kSuitCount; ++s) {
      assert(t.card_words[card_slot(make_card(r, s, false))] == 0);
      t.card_words[card_slot(make_card(r, s, false))] =
          std::uint64_t{1} << (kRankFieldBits * r) | std::uint64_t{1}
                                                         << (kSuitFieldShift + kSuitFieldBits * s);
    }
  }
  for (int r = 0; r < kRankCount; ++r)
    for (int s = 0; s < kSuitCount; ++s) {
      assert(t.card_words[card_slot(make_card(r, s, true))] == 0 ||
             t.card_words[card_slot(make_card(r, s, true))] == wild_word);
      t.card_words[card_slot(make_card(r, s, true))] = wild_word;
    }
  t.card_words[card_slot(kJoker)] = wild_word;
}

void fill_suit_values(FastTables& t) {
  CardCode cards[kMaxHandSize];
  for (int w = 0; w < kTableWilds; ++w) {
    for (unsigned m = 0; m < kSuitMaskCount; ++m) {
      const int naturals = std::popcount(m);
      HandValue v = 0;
      if (naturals + w >= 5 && naturals + w <= 7) {
        int n = 0;
        for (int i = 0; i < w; ++i) cards[n++] = kJoker;
        for (int r = 0; r < kRankCount; ++r)
          if (m >> r & 1) cards[n++] = make_card(r, 0, false);
        v = evaluate_many(n, cards);
      }
      t.suit_values[w][m] = v;
    }
  }
}

// Every key with counters 0..3 for `size` cards of which `wilds` are wild.
KeyBuilder rank_keys(int size, int wilds) {
  KeyBuilder k{size, wilds, {}, {}, {}};
  for (int i = 0; i < wilds; ++i) k.cards[i] = kJoker;
  k.collect(0, wilds, 0);
  return k;
}

// Each table from the general evaluator of its size. The multipliers are
// fixed, so a failure here is a fault of the constants, shown by every test.
template <const RankHashShape& kShape>
void fill_rank_hash(RankHashTable<kShape>& table, int size) {
  for (int w = 0; w < kTableWilds; ++w) {
    const KeyBuilder k = rank_keys(size, w);
    if (!place_keys<kShape>(k.keys, k.values, table.displacements[w], table.values[w]))
      std::abort();
  }
}

// The routed hands of either size. Four of a rank, four or more wild cards,
// or two suits that could each make a flush go to the general evaluator.
// A possible flush in one suit whose natural cards hold no rank twice is
// decided here: the best hand is either the best flush of that suit or the
// best hand of the ranks alone (which the rank tables know even here).
template <int kSize, const RankHashShape& kShape>
HandValue routed(const CardCode* cards, std::uint64_t sum,
                 const RankHashTable<kShape>& by_ranks_table) {
  constexpr evaluate_hand general = kSize == 5 ? evaluate_5_general : evaluate_7_general;
  const auto wilds = static_cast<int>(sum >> kWildCountShift);
  const std::uint64_t flags = sum & kSuitFlagMask;
  if ((sum & kFourMask) != 0 || wilds >= kTableWilds || (flags & (flags - 1)) != 0)
    return general(cards);
  const int shift = std::countr_zero(flags) - (kSuitFieldBits - 1);
  const int suit = (shift - kSuitFieldShift) / kSuitFieldBits;
  const int up = 31 - kSuitBitShift - suit;
  // The suit's rank bits, ORed and added: they differ exactly when some rank
  // of the suit is held twice (several decks), a hand for the general path.
  // (Comparing sums keeps a popcount, a library call on plain x86-64, off
  // this path.)
  unsigned mask = 0, added = 0;
  for (int i = 0; i < kSize; ++i) {
    const CardCode c = cards[i];
    const unsigned in_suit =
        c & kRankBitsMask & static_cast<unsigned>(static_cast<std::int32_t>(c << up) >> 31);
    mask |= in_suit;
    added += in_suit;
  }
  if (added != mask) return general(cards);
  const HandValue by_suit = g_tables.suit_values[wilds][mask];
  const HandValue by_ranks = rank_value(by_ranks_table, sum);
  return std::max(by_suit, by_ranks);
}

}  // namespace

// All the tables together stay under 2 MB of address space (of which the
// card words' untouched pages take no memory at all).
static_assert(sizeof(FastTables) < 2 * 1024 * 1024);
FastTables g_tables;
std::atomic<bool> g_tables_ready{false};

void build_fast_tables() {
  static std::once_flag once;
  std::call_once(once, [] {
    fill_card_words(g_tables);
    fill_suit_values(g_tables);
    fill_rank_hash(g_tables.seven, 7);
    fill_rank_hash(g_tables.five, 5);
    g_tables_ready.store(true, std::memory_order_release);
  });
}

HandValue first_5(const CardCode* cards) {
  build_fast_tables();
  return evaluate_5_fast(cards);
}
HandValue first_7(const CardCode* cards) {
  build_fast_tables();
  return evaluate_7_fast(cards);
}

HandValue routed_5(const CardCode* cards, std::uint64_t sum) {
  return routed<5>(cards, sum, g_tables.five);
}
HandValue routed_7(const CardCode* cards, std::uint64_t sum) {
  return routed<7>(cards, sum, g_tables.seven);
}

}  // namespace orvix::fast_eval
