#include "sim/reports.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/capture_stdout.h"
#include "sim/lap_timer.h"

namespace orvix {
namespace {

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start) + "<no line end>");
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::string stats_of(const ResultTable& table) {
  return test::capture_stdout([&] { print_stats(table); });
}

std::string counts_of(const ResultTable& table) {
  return test::capture_stdout([&] { print_counts(table); });
}

// Column of the last character of rank r's percentage in a stats line.
std::size_t stats_rank_end(int rank) { return 25 + static_cast<std::size_t>(12 - rank) * 6; }

TEST(DisplayPercent, ShowsNoneAsZeroAndAlwaysAsHundredOnly) {
  const struct {
    float in, out;
  } cases[] = {{0.0f, 0.0f},      {1e-6f, 1.0f},  {0.3f, 1.0f},      {0.4999f, 1.0f},
               {0.5f, 0.5f},      {2.5f, 2.5f},   {50.0f, 50.0f},    {99.5f, 99.5f},
               {99.5001f, 99.0f}, {99.7f, 99.0f}, {99.9999f, 99.0f}, {100.0f, 100.0f}};
  for (const auto& c : cases) EXPECT_EQ(display_percent(c.in), c.out) << c.in;
}

TEST(PrintStats, ClearedTablePrintsTenRowsOfZeros) {
  ResultTable table;
  clear_results(table);
  const auto lines = lines_of(stats_of(table));
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(
      lines[0],
      "HAND            WINS   ACE  KING QUEEN  JACK   TEN  NINE EIGHT SEVEN   SIX  FIVE  FOUR "
      "THREE   TWO");
  EXPECT_EQ(
      lines[1],
      "----            ----   ---  ---- -----  ----   ---  ---- ----- -----   ---  ----  ---- "
      "-----   ---");
  std::string zeros;
  for (int i = 0; i < 14; ++i) zeros += i == 0 ? "  0%" : "    0%";
  EXPECT_EQ(lines[2], "High Card       " + zeros.substr(0, 4) + "  " + zeros.substr(4 + 2));
  EXPECT_EQ(lines[5], "Three of a Kind " + zeros.substr(0, 4) + "  " + zeros.substr(6));
  EXPECT_EQ(lines[11], "Five of a Kind  " + zeros.substr(0, 4) + "  " + zeros.substr(6));
  for (const auto& line : lines) EXPECT_EQ(line.size(), 98u) << line;
}

TEST(PrintStats, EveryPercentEndsUnderItsHeadingsLastLetter) {
  ResultTable table;
  clear_results(table);
  const auto lines = lines_of(stats_of(table));
  ASSERT_EQ(lines.size(), 12u);
  const std::string& header = lines[0];
  std::vector<std::size_t> ends = {19};  // WINS
  for (int r = 12; r >= 0; --r) ends.push_back(stats_rank_end(r));
  for (std::size_t end : ends) {
    EXPECT_TRUE(std::isupper(static_cast<unsigned char>(header[end]))) << end;
    EXPECT_TRUE(end + 1 == header.size() || header[end + 1] == ' ') << end;
    for (std::size_t row = 2; row < lines.size(); ++row) EXPECT_EQ(lines[row][end], '%') << row;
  }
}

TEST(PrintStats, RoundsHalvesAwayFromZeroAfterTheDisplayAdjustments) {
  struct Cell {
    int rank;
    std::uint64_t wins, losses;
    const char* shown;
  };
  const Cell cells[] = {
      {12, 1, 199, "  1%"},                     // exactly 0.5
      {11, 1, 39, "  3%"},                      // exactly 2.5
      {10, 199, 1, "100%"},                     // exactly 99.5
      {9, 3, 997, "  1%"},                      // 0.3
      {8, 997, 3, " 99%"},                      // 99.7
      {7, 5, 0, "100%"},                        // always won
      {6, 1, 1, " 50%"},    {5, 0, 7, "  0%"},  // occurred, never won
      {4, 0, 0, "  0%"},                        // never occurred
      {3, 1, 7, " 13%"},                        // 12.5
      {2, 7, 1, " 88%"},                        // 87.5
  };
  ResultTable table;
  clear_results(table);
  for (const Cell& cell : cells) {
    table.wins[kTwoPair][cell.rank] = cell.wins;
    table.losses[kTwoPair][cell.rank] = cell.losses;
  }
  compute_percentages(table);
  const auto lines = lines_of(stats_of(table));
  ASSERT_EQ(lines.size(), 12u);
  const std::string& row = lines[2 + kTwoPair];
  EXPECT_EQ(row.substr(0, 16), "Two Pair        ");
  // 1215 wins in 2470 hands: 49.19%.
  EXPECT_EQ(row.substr(16, 4), " 49%");
  for (const Cell& cell : cells)
    EXPECT_EQ(row.substr(stats_rank_end(cell.rank) - 3, 4), cell.shown) << "rank " << cell.rank;
}

TEST(PrintCounts, LaysOutTwoLinesPerCategoryAndTheTotal) {
  ResultTable table;
  clear_results(table);
  table.wins[kFullHouse][12] = 48;  // 49 hands of 400: 12.25% of all
  table.losses[kFullHouse][0] = 1;
  table.losses[kHighCard][5] = 351;
  compute_percentages(table);
  const auto lines = lines_of(counts_of(table));
  ASSERT_EQ(lines.size(), 23u);
  EXPECT_EQ(lines[0].substr(0, 44), "HAND                    DIST         WINS   ");
  EXPECT_EQ(lines[0].substr(198), "         TWO");
  EXPECT_EQ(lines[1].substr(0, 41), "----                    ----         ----");
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) EXPECT_EQ(lines[i].size(), 210u) << i;

  const std::string& full_wins = lines[2 + 2 * kFullHouse];
  const std::string& full_losses = lines[3 + 2 * kFullHouse];
  EXPECT_EQ(full_wins.substr(0, 55), "Full House                49           48           48 ");
  EXPECT_EQ(full_losses.substr(0, 42), "                       12.3%            1 ");
  EXPECT_EQ(full_losses.substr(198), "           1");
  EXPECT_EQ(full_wins.substr(198), "           0");

  const std::string& high_losses = lines[3 + 2 * kHighCard];
  EXPECT_EQ(high_losses.substr(0, 28), "                       87.8%");  // 351 of 400 = 87.75
  EXPECT_EQ(lines[3 + 2 * kFlush].substr(0, 42), "                        0.0%            0 ");
  EXPECT_EQ(lines[22], "                         400");
}

TEST(PrintCounts, WidensColumnsForLongCountsAndShowsAFullShare) {
  ResultTable table;
  clear_results(table);
  table.wins[kHighCard][12] = 1234567890123ull;
  compute_percentages(table);
  const auto lines = lines_of(counts_of(table));
  ASSERT_EQ(lines.size(), 23u);
  EXPECT_EQ(lines[2].substr(0, 57), "High Card       1234567890123 1234567890123 1234567890123");
  EXPECT_EQ(lines[2].size(), 213u);
  EXPECT_EQ(lines[3].substr(0, 28), "                      100.0%");
  EXPECT_EQ(lines[22], "                1234567890123");
}

TEST(LapTimer, PrintsSecondsWithThreeDecimalsUnderTenAndOneFrom) {
  struct Step {
    std::uint32_t now;
    const char* printed;
  };
  LapTimer timer;
  // Never started: only starts.
  EXPECT_EQ(test::capture_stdout([&] { report_lap_time(timer, 5000); }), "");
  EXPECT_TRUE(timer.started);
  const Step steps[] = {
      {5000 + 9999, "Simulation time 9.999 seconds.\n"},
      {5000 + 9999 + 10000, "Simulation time 10.0 seconds.\n"},
      {5000 + 9999 + 10000, "Simulation time 0.000 seconds.\n"},
      {5000 + 9999 + 10000 + 10050, "Simulation time 10.1 seconds.\n"},
      {5000 + 9999 + 10000 + 10050 + 500, "Simulation time 0.500 seconds.\n"},
  };
  for (const Step& step : steps)
    EXPECT_EQ(test::capture_stdout([&] { report_lap_time(timer, step.now); }), step.printed);

  // Across the wrap of the 32-bit tick count.
  start_lap_timer(timer, 0xFFFFFF00u);
  EXPECT_EQ(test::capture_stdout([&] { report_lap_time(timer, 0x100u); }),
            "Simulation time 0.512 seconds.\n");
}

}  // namespace
}  // namespace orvix
