#pragma once
// A grow-only set of HandValues for counting the distinct values of an exact
// count: hundreds of millions of insertions, at most a few thousand
// members. Open addressing with linear probing in one flat array, so an
// insertion of a value already present (the usual case) is a multiply, a
// shift and one or two loads from a table that stays in cache.

#include <cstdint>
#include <vector>

#include <orvix/evaluate.h>

namespace orvix {

// Call reset_value_set before the first insertion.
struct HandValueSet {
  std::vector<HandValue> slots;  // kEmptySlot where nothing is stored
  int shift = 0;                 // 32 - log2(slots.size())
  std::uint32_t mask = 0;        // slots.size() - 1
  std::int32_t stored = 0;       // members kept in slots
  bool holds_empty_key = false;  // kEmptySlot itself is a member (kept aside)
};

// No HandValue has category 15, so real values never collide with it; it is
// still accepted as a member (kept aside) so the set is exact for any input.
inline constexpr HandValue kEmptySlot = 0xFFFFFFFFu;
inline constexpr std::uint32_t kValueHashMultiplier = 0x9E3779B1u;  // 2^32 / golden ratio

// Empties the set and sizes it for about `expected` members without growing.
void reset_value_set(HandValueSet& set, int expected);

// Out-of-line half of insert_value: stores a value known to be absent,
// growing the table when it gets three quarters full.
void add_new_value(HandValueSet& set, HandValue value);

inline void insert_value(HandValueSet& set, HandValue value) {
  std::uint32_t i = (value * kValueHashMultiplier) >> set.shift;
  for (;;) {
    const HandValue slot = set.slots[i];
    if (slot == kEmptySlot) break;
    if (slot == value) return;
    i = (i + 1) & set.mask;
  }
  add_new_value(set, value);
}

inline std::int32_t value_set_size(const HandValueSet& set) {
  return set.stored + (set.holds_empty_key ? 1 : 0);
}

}  // namespace orvix
