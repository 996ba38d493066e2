#include "exact/value_set.h"

namespace orvix {

namespace {

// Smallest power of two, at least 16, that keeps `members` at most half
// load, where linear probing rarely looks past the first slot.
std::uint32_t table_size_for(std::int64_t members) {
  std::uint32_t size = 16;
  while (static_cast<std::int64_t>(size) < members * 2) size <<= 1;
  return size;
}

int log2_of(std::uint32_t power_of_two) {
  int bits = 0;
  while ((std::uint32_t{1} << bits) < power_of_two) ++bits;
  return bits;
}

void store(HandValueSet& set, HandValue value) {
  std::uint32_t i = (value * kValueHashMultiplier) >> set.shift;
  while (set.slots[i] != kEmptySlot) i = (i + 1) & set.mask;
  set.slots[i] = value;
}

void size_table(HandValueSet& set, std::uint32_t size) {
  set.slots.assign(size, kEmptySlot);
  set.shift = 32 - log2_of(size);
  set.mask = size - 1;
}

}  // namespace

void reset_value_set(HandValueSet& set, int expected) {
  size_table(set, table_size_for(expected < 1 ? 1 : expected));
  set.stored = 0;
  set.holds_empty_key = false;
}

void add_new_value(HandValueSet& set, HandValue value) {
  if (set.slots.empty()) reset_value_set(set, 1);
  if (value == kEmptySlot) {
    set.holds_empty_key = true;
    return;
  }
  if (static_cast<std::int64_t>(set.stored + 1) * 4 >
      static_cast<std::int64_t>(set.slots.size()) * 3) {
    std::vector<HandValue> old;
    old.swap(set.slots);
    size_table(set, static_cast<std::uint32_t>(old.size()) * 2);
    for (HandValue kept : old)
      if (kept != kEmptySlot) store(set, kept);
  }
  store(set, value);
  ++set.stored;
}

}  // namespace orvix
