// The exact tables' layout where the transcripts cannot reach cheaply:
// counts wider than the twelve-column minimum, a count of one, and notes
// only between categories the game can deal.

#include <gtest/gtest.h>

#include <string>

#include "exact/exact_report.h"
#include "support/capture_stdout.h"

namespace orvix {
namespace {

ExactTable empty_table() {
  ExactTable t;
  for (int c = 0; c < kCategoryCount; ++c) {
    t.by_category[c] = 0;
    for (int r = 0; r < kRankCount; ++r) t.by_rank[c][r] = 0;
  }
  t.total = 0;
  return t;
}

void put(ExactTable& t, int category, int rank, const BigCount& count) {
  t.by_rank[category][rank] += count;
  t.by_category[category] += count;
  t.total += count;
}

TEST(ExactReport, ColumnsWidenToTheTotalsDigits) {
  ExactTable t = empty_table();
  // 3 x 10^20 hands: 21 digits, so every count column is 21 wide.
  const BigCount big = BigCount(10000000000000000000u) * 10;
  put(t, kHighCard, 12, big * 2);
  put(t, kOnePair, 0, big);
  const std::string text = test::capture_stdout([&] { print_exact_table(t); });
  const std::string expected = "HAND" + std::string(28, ' ') +
                               "HANDS      PERCENT  ODDS\n"
                               "High Card       200000000000000000000   66.666667%  1 in 1.50\n"
                               "One Pair        100000000000000000000   33.333333%  1 in 3.00\n"
                               "Two Pair                            0    0.000000%  -\n"
                               "Three of a Kind                     0    0.000000%  -\n"
                               "Straight                            0    0.000000%  -\n"
                               "Flush                               0    0.000000%  -\n"
                               "Full House                          0    0.000000%  -\n"
                               "Four of a Kind                      0    0.000000%  -\n"
                               "Straight Flush                      0    0.000000%  -\n"
                               "Five of a Kind                      0    0.000000%  -\n"
                               "Total           300000000000000000000  100.000000%\n"
                               "\n";
  ASSERT_EQ(text.substr(0, expected.size()), expected);
  const std::string ranks = text.substr(expected.size());
  const std::string header =
      "HAND           " + std::string(19, ' ') + "ACE" + std::string(18, ' ') + "KING";
  EXPECT_EQ(ranks.substr(0, header.size()), header);
  const std::string high = "High Card       200000000000000000000" + std::string(21, ' ') + "0";
  EXPECT_NE(ranks.find(high), std::string::npos);
  const std::string pair_end = std::string(20, ' ') + "0 100000000000000000000\n";
  EXPECT_NE(ranks.find(pair_end), std::string::npos);
  // One Pair outnumbers nothing the game can deal: no note at all.
  EXPECT_EQ(ranks.find("Note:"), std::string::npos);
}

TEST(ExactReport, NotesEachInvertedPairInOrderAndRoundsHalfUp) {
  ExactTable t = empty_table();
  // Out of 8 hands: High Card 1, One Pair 3, Two Pair 2, Three of a Kind 2.
  put(t, kHighCard, 5, 1);
  put(t, kOnePair, 5, 3);
  put(t, kTwoPair, 5, 2);
  put(t, kThreeOfAKind, 5, 2);
  const std::string text = test::capture_stdout([&] { print_exact_table(t); });
  EXPECT_NE(text.find("High Card                  1   12.500000%  1 in 8.00\n"), std::string::npos);
  const std::string notes =
      "Note: One Pair (37.500000%) is more common than High Card (12.500000%), though it ranks "
      "higher.\n"
      "Note: Two Pair (25.000000%) is more common than High Card (12.500000%), though it ranks "
      "higher.\n"
      "Note: Three of a Kind (25.000000%) is more common than High Card (12.500000%), though it "
      "ranks higher.\n";
  ASSERT_GE(text.size(), notes.size());
  EXPECT_EQ(text.substr(text.size() - notes.size()), notes);
}

}  // namespace
}  // namespace orvix
