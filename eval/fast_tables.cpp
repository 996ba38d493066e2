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

// Every rank-counter key with counters 0..3 summing to `cards`, with a hand
// of those natural cards spread over the suits in turn (never more than two
// of a suit in seven cards, so no flush can be made of them).
struct KeyHand {
  std::uint64_t key;
  std::vector<CardCode> cards;
};

void collect_keys(int rank, int left, std::uint64_t key, std::vector<CardCode>& cards,
                  std::vector<KeyHand>& out) {
  if (rank == kRankCount) {
    if (left == 0) out.push_back({key, cards});
    return;
  }
  for (int n = 0; n <= 3 && n <= left; ++n) {
    for (int i = 0; i < n; ++i) cards.push_back(make_card(rank, static_cast<int>(cards.size()) % kSuitCount, false));
    collect_keys(rank + 1, left - n, key + (static_cast<std::uint64_t>(n) << (kRankFieldBits * rank)), cards, out);
    cards.resize(cards.size() - static_cast<std::size_t>(n));
  }
}

std::uint64_t splitmix(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

// Hash and displace: try multipliers until every bucket finds a displacement
// that puts all its keys on free slots. A few tries at most at these loads.
RankHash build_hash(const std::vector<KeyHand>& keys, const std::vector<HandValue>& values, int slot_bits,
                    HandValue* value_store, std::uint16_t* displacement_store, std::uint64_t seed) {
  const int bucket_bits = slot_bits - kBucketSpread;
  const std::uint32_t slots = 1u << slot_bits, buckets = 1u << bucket_bits;
  RankHash h{};
  h.displacements = displacement_store;
  h.values = value_store;
  assert(slot_bits <= 16 && kBucketShift + bucket_bits <= 64);
  h.bucket_mask = buckets - 1;
  h.position_mask = slots - 1;
  std::vector<std::vector<std::uint32_t>> members(buckets);
  std::vector<char> taken(slots);
  std::vector<std::uint32_t> order(buckets);
  for (int attempt = 0; attempt < 1000; ++attempt) {
    h.mul = splitmix(seed) | 1;
    for (auto& m : members) m.clear();
    for (std::uint32_t i = 0; i < keys.size(); ++i)
      members[static_cast<std::uint32_t>((keys[i].key * h.mul) >> kBucketShift) & h.bucket_mask].push_back(i);
    const auto position = [&](std::uint32_t i) {
      return static_cast<std::uint32_t>((keys[i].key * h.mul) >> kPositionShift) & h.position_mask;
    };
    for (std::uint32_t b = 0; b < buckets; ++b) order[b] = b;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return members[a].size() > members[b].size(); });
    std::fill(taken.begin(), taken.end(), 0);
    bool placed_all = true;
    for (std::uint32_t b : order) {
      std::uint32_t d = 0;
      for (; d < slots; ++d) {
        bool fits = true;
        for (std::size_t j = 0; j < members[b].size() && fits; ++j) {
          const std::uint32_t s = position(members[b][j]) ^ d;
          fits = !taken[s];
          for (std::size_t k = 0; k < j && fits; ++k) fits = (position(members[b][k]) ^ d) != s;
        }
        if (fits) break;
      }
      if (d == slots) {
        placed_all = false;
        break;
      }
      displacement_store[b] = static_cast<std::uint16_t>(d);
      for (std::uint32_t i : members[b]) {
        const std::uint32_t s = position(i) ^ d;
        taken[s] = 1;
        value_store[s] = values[i];
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
      std::vector<KeyHand> keys;
      std::vector<CardCode> scratch;
      collect_keys(0, size - w, 0, scratch, keys);
      std::vector<HandValue> key_values;
      key_values.reserve(keys.size());
      for (KeyHand& k : keys) {
        for (int i = 0; i < w; ++i) k.cards.push_back(kJoker);
        key_values.push_back(size == 5 ? evaluate_5_general(k.cards.data()) : evaluate_7_general(k.cards.data()));
      }
      const int slot_bits = size == 5 ? kSlotBits5[w] : kSlotBits7[w];
      RankHash& h = size == 5 ? t.five[w] : t.seven[w];
      h = build_hash(keys, key_values, slot_bits, values, displacements, seed);
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
