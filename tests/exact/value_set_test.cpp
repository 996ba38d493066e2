#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <vector>

#include "exact/value_set.h"

namespace orvix {
namespace {

// The set must agree with std::set on any stream of values: heavy repetition,
// hash collisions, growth far past the size it was reset for, and the one
// value it uses to mark empty slots.
TEST(HandValueSet, CountsLikeAnOrderedSet) {
  struct Case {
    const char* name;
    int reset_for;
    int insertions;
    std::uint32_t value_range;  // values drawn from [0, value_range), 0 = any 32 bits
  };
  const Case cases[] = {
      {"few values, many repeats", 16, 200000, 50},
      {"grows from tiny", 1, 100000, 0},
      {"catalogue sized", 12051, 300000, 20000},
      {"dense range", 100, 50000, 70000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::mt19937 random(12345);
    HandValueSet set;
    reset_value_set(set, c.reset_for);
    std::set<HandValue> expected;
    for (int i = 0; i < c.insertions; ++i) {
      HandValue v = static_cast<HandValue>(random());
      if (c.value_range != 0) v %= c.value_range;
      insert_value(set, v);
      expected.insert(v);
    }
    EXPECT_EQ(value_set_size(set), static_cast<std::int32_t>(expected.size()));
  }
}

TEST(HandValueSet, CollidingValuesAreKeptApart) {
  // Values whose hash has 15 leading zero bits land in slot 0 of every table
  // of up to 2^15 slots, so each insertion walks a long probe chain.
  std::vector<HandValue> colliding;
  for (HandValue v = 0; colliding.size() < 500; ++v)
    if ((v * kValueHashMultiplier) >> 17 == 0) colliding.push_back(v);
  HandValueSet set;
  reset_value_set(set, 100);
  for (int round = 0; round < 3; ++round)
    for (HandValue v : colliding) insert_value(set, v);
  EXPECT_EQ(value_set_size(set), 500);
}

TEST(HandValueSet, EmptySlotMarkerIsAnOrdinaryMember) {
  HandValueSet set;
  reset_value_set(set, 4);
  insert_value(set, kEmptySlot);
  insert_value(set, kEmptySlot);
  insert_value(set, 0);
  insert_value(set, 0x94000000u);
  EXPECT_EQ(value_set_size(set), 3);
  reset_value_set(set, 4);
  EXPECT_EQ(value_set_size(set), 0);
  insert_value(set, 0x94000000u);
  EXPECT_EQ(value_set_size(set), 1);
}

}  // namespace
}  // namespace orvix
