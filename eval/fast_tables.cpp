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

// Slots of each rank hash as a power of two, by hand size and wild count,
// sized for the number of keys each must hold: rank counters of 0..3 summing
// to the natural cards, 44,473 keys for seven natural cards down to 91 for two.
constexpr int kSlotBits7[kTableWilds] = {16, 15, 13, 12};
constexpr int kSlotBits5[kTableWilds] = {13, 12, 10, 8};
constexpr int kBucketSpread = 3;  // a bucket for every 8 slots

constexpr int total_slots(const int (&bits)[kTableWilds]) {
  int n = 0;
  for (int b : bits) n += 1 << b;
  return n;
}
constexpr int kValueCount = total_slots(kSlotBits7) + total_slots(kSlotBits5);
constexpr int kDisplacementCount = kValueCount >> kBucketSpread;

// The storage the RankHash entries point into.
HandValue g_values[kValueCount];
std::uint16_t g_displacements[kDisplacementCount];

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

std::uint64_t splitmix(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

// Hash and displace: try multipliers until every bucket finds a displacement
// that puts all its keys on free slots. A few tries at most at these loads.
RankHash build_hash(const std::vector<std::uint64_t>& keys, const std::vector<HandValue>& values, int slot_bits,
                    HandValue* value_store, std::uint16_t* displacement_store, std::uint64_t seed) {
  const int bucket_bits = slot_bits - kBucketSpread;
  const std::uint32_t slots = 1u << slot_bits, buckets = 1u << bucket_bits;
  const auto key_count = static_cast<std::uint32_t>(keys.size());
  RankHash h{};
  h.displacements = displacement_store;
  h.values = value_store;
  assert(slot_bits <= 16 && kBucketShift + bucket_bits <= 64);
  h.bucket_mask = buckets - 1;
  h.position_mask = slots - 1;
  // The keys by bucket, as one array: bucket b's positions and key indices
  // sit from start[b] to start[b + 1].
  std::vector<std::uint32_t> start(buckets + 1), fill(buckets), position(key_count), index(key_count);
  std::vector<char> taken(slots);
  std::vector<std::uint32_t> order(buckets);
  for (int attempt = 0; attempt < 1000; ++attempt) {
    h.mul = splitmix(seed) | 1;
    std::fill(start.begin(), start.end(), 0);
    for (const std::uint64_t key : keys) ++start[1 + (static_cast<std::uint32_t>((key * h.mul) >> kBucketShift) & h.bucket_mask)];
    for (std::uint32_t b = 0; b < buckets; ++b) start[b + 1] += start[b];
    std::copy(start.begin(), start.end() - 1, fill.begin());
    for (std::uint32_t i = 0; i < key_count; ++i) {
      const std::uint64_t x = keys[i] * h.mul;
      const std::uint32_t at = fill[static_cast<std::uint32_t>(x >> kBucketShift) & h.bucket_mask]++;
      position[at] = static_cast<std::uint32_t>(x >> kPositionShift) & h.position_mask;
      index[at] = i;
    }
    // Two keys of one bucket on one position would share a slot under every
    // displacement: such a multiplier is dropped before any search.
    bool separable = true;
    for (std::uint32_t b = 0; b < buckets && separable; ++b)
      for (std::uint32_t j = start[b]; j < start[b + 1] && separable; ++j)
        for (std::uint32_t k = start[b]; k < j && separable; ++k) separable = position[j] != position[k];
    if (!separable) continue;
    for (std::uint32_t b = 0; b < buckets; ++b) order[b] = b;
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
      return start[a + 1] - start[a] > start[b + 1] - start[b];
    });
    std::fill(taken.begin(), taken.end(), 0);
    bool placed_all = true;
    for (const std::uint32_t b : order) {
      std::uint32_t d = 0;
      for (; d < slots; ++d) {
        bool fits = true;
        for (std::uint32_t j = start[b]; j < start[b + 1] && fits; ++j) fits = !taken[position[j] ^ d];
        if (fits) break;
      }
      if (d == slots) {
        placed_all = false;
        break;
      }
      displacement_store[b] = static_cast<std::uint16_t>(d);
      for (std::uint32_t j = start[b]; j < start[b + 1]; ++j) {
        taken[position[j] ^ d] = 1;
        value_store[position[j] ^ d] = values[index[j]];
      }
    }
    if (placed_all) return h;
  }
  std::abort();  // cannot happen at these loads; the tests would show it at once
}

void fill_card_words(FastTables& t) {
  const std::uint64_t wild_word = std::uint64_t{1} << kWildCountShift | kSuitOnes;
  for (auto& w : t.card_words) w = 0;
  for (int r = 0; r < kRankCount; ++r) {
    for (int s = 0; s < kSuitCount; ++s) {
      assert(t.card_words[card_slot(make_card(r, s, false))] == 0);
      t.card_words[card_slot(make_card(r, s, false))] =
          std::uint64_t{1} << (kRankFieldBits * r) | std::uint64_t{1} << (kSuitFieldShift + kSuitFieldBits * s);
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

// Each table from the general evaluator of its size.
void fill_rank_hashes(FastTables& t) {
  HandValue* values = g_values;
  std::uint16_t* displacements = g_displacements;
  std::uint64_t seed = 0x6F7276697845ull;
  for (const int size : {5, 7}) {
    for (int w = 0; w < kTableWilds; ++w) {
      KeyBuilder k{size, w, {}, {}, {}};
      for (int i = 0; i < w; ++i) k.cards[i] = kJoker;
      k.collect(0, w, 0);
      const int slot_bits = size == 5 ? kSlotBits5[w] : kSlotBits7[w];
      RankHash& h = size == 5 ? t.five[w] : t.seven[w];
      h = build_hash(k.keys, k.values, slot_bits, values, displacements, seed);
      values += std::size_t{1} << slot_bits;
      displacements += std::size_t{1} << (slot_bits - kBucketSpread);
    }
  }
}

// The routed hands of either size. Four of a rank, four or more wild cards,
// or two suits that could each make a flush go to the general evaluator.
// A possible flush in one suit whose natural cards hold no rank twice is
// decided here: the best hand is either the best flush of that suit or the
// best hand of the ranks alone (which the rank tables know even here).
HandValue routed(const CardCode* cards, int size, std::uint64_t sum, const RankHash* by_wilds) {
  const auto wilds = static_cast<int>(sum >> kWildCountShift);
  const std::uint64_t flags = sum & kSuitFlagMask;
  const bool general = (sum & kFourMask) != 0 || wilds >= kTableWilds || (flags & (flags - 1)) != 0;
  if (general) return size == 5 ? evaluate_5_general(cards) : evaluate_7_general(cards);
  const int shift = std::countr_zero(flags) - (kSuitFieldBits - 1);
  const int suit = (shift - kSuitFieldShift) / kSuitFieldBits;
  const int in_suit = static_cast<int>(sum >> shift & 0xF) - 3 - wilds;
  const int up = 31 - kSuitBitShift - suit;
  unsigned mask = 0;
  for (int i = 0; i < size; ++i) {
    const CardCode c = cards[i];
    mask |= c & static_cast<unsigned>(static_cast<std::int32_t>(c << up) >> 31);
  }
  mask &= kRankBitsMask;
  if (std::popcount(mask) != in_suit) return size == 5 ? evaluate_5_general(cards) : evaluate_7_general(cards);
  const HandValue by_suit = g_tables.suit_values[wilds][mask];
  const HandValue by_ranks = rank_value(by_wilds[wilds], sum & kRankFieldsMask);
  return std::max(by_suit, by_ranks);
}

}  // namespace

FastTables g_tables;
std::atomic<bool> g_tables_ready{false};

void build_fast_tables() {
  static std::once_flag once;
  std::call_once(once, [] {
    fill_card_words(g_tables);
    fill_suit_values(g_tables);
    fill_rank_hashes(g_tables);
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

HandValue routed_5(const CardCode* cards, std::uint64_t sum) { return routed(cards, 5, sum, g_tables.five); }
HandValue routed_7(const CardCode* cards, std::uint64_t sum) { return routed(cards, 7, sum, g_tables.seven); }

}  // namespace orvix::fast_eval
