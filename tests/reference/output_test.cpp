#include <gtest/gtest.h>

#include <string>

#include "support/capture_stdout.h"
#include "reference/reference_games.h"

namespace orvix {
namespace {

TEST(ReferenceHeader, NamesTheGameAndLeavesTheLineOpen) {
  struct Case {
    ReferenceGame game;
    const char* text;
  };
  const Case cases[] = {
      {{false, 5, false, false}, "Testing all single deck 5 card hands, distinct hands: "},
      {{false, 5, false, true},
       "Testing all single deck 5 card hands with one joker per deck, distinct hands: "},
      {{false, 5, true, false},
       "Testing all single deck 5 card hands with deuces wild, distinct hands: "},
      {{false, 7, false, false}, "Testing all single deck 7 card hands, distinct hands: "},
      {{false, 7, true, false},
       "Testing all single deck 7 card hands with deuces wild, distinct hands: "},
      {{false, 7, false, true},
       "Testing all single deck 7 card hands with one joker per deck, distinct hands: "},
      {{true, 5, false, false}, "Testing all infinite deck 5 card hands, distinct hands: "},
      // An infinite deck deals five whatever is asked.
      {{true, 7, false, false}, "Testing all infinite deck 5 card hands, distinct hands: "},
      {{false, 5, true, true},
       "Testing all single deck 5 card hands with deuces wild with one joker per deck, "
       "distinct hands: "},
  };
  for (const Case& c : cases)
    EXPECT_EQ(test::capture_stdout([&] { print_reference_header(c.game); }), c.text);
}

TEST(ReferenceTable, PrintsCountRowsAndTotalInFixedColumns) {
  ReferenceCounts counts{};
  for (int c = 0; c < kCategoryCount; ++c) counts.category_hands[c] = c * 1000 + 7;
  counts.category_hands[0] = 380204032;  // widest number any game prints
  counts.category_hands[9] = 0;
  counts.hands = 123456789;
  counts.distinct_values = 4824;
  const std::string expected =
      "4824\n"
      "\n"
      "High Card          380204032\n"
      "One Pair                1007\n"
      "Two Pair                2007\n"
      "Three of a Kind         3007\n"
      "Straight                4007\n"
      "Flush                   5007\n"
      "Full House              6007\n"
      "Four of a Kind          7007\n"
      "Straight Flush          8007\n"
      "Five of a Kind             0\n"
      "                   ---------\n"
      "Total              123456789\n";
  EXPECT_EQ(test::capture_stdout([&] { print_reference_table(counts); }), expected);
}

TEST(DistinguishableHands, PrintsTheCatalogueCategorySizes) {
  const std::string expected =
      "Number of possible distinguishable poker hands with multiple decks:\n"
      "\n"
      "High Card               1277\n"
      "One Pair                2860\n"
      "Two Pair                 858\n"
      "Three of a Kind          858\n"
      "Straight                  10\n"
      "Flush                   5853\n"
      "Full House               156\n"
      "Four of a Kind           156\n"
      "Straight Flush            10\n"
      "Five of a Kind            13\n"
      "                   ---------\n"
      "Total                  12051\n";
  EXPECT_EQ(test::capture_stdout([] { print_distinguishable_hands(); }), expected);
}

}  // namespace
}  // namespace orvix
