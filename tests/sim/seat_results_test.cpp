#include "sim/seat_results.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "sim/seat_report.h"
#include "support/capture_stdout.h"

namespace orvix {
namespace {

using Deal = std::vector<HandValue>;

// Four deals of three seats: seat 1 wins alone; seats 1 and 2 tie; all three
// tie; seat 3 wins alone.
const std::vector<Deal> kFourDeals = {{5, 3, 1}, {4, 4, 2}, {7, 7, 7}, {1, 2, 3}};

SeatResults count_deals(const std::vector<Deal>& deals) {
  SeatResults results;
  for (const Deal& deal : deals)
    count_seat_deal(results, deal.data(), static_cast<int>(deal.size()),
                    *std::max_element(deal.begin(), deal.end()));
  return results;
}

TEST(SeatResults, CreditsTheWidestTieAndNoSeatPastThePlayers) {
  // All fifty seats tie: the widest tie has its own counter, and one deal
  // says nothing of the spread.
  const SeatSummary last = summarize_seat(count_deals({Deal(kMaxPlayers, 9)}), kMaxPlayers - 1);
  EXPECT_EQ(last.ties, 1u);
  EXPECT_DOUBLE_EQ(last.equity, 1.0 / kMaxPlayers);
  EXPECT_EQ(last.margin, 0.0);
  EXPECT_TRUE(count_deals(kFourDeals).seat[3] == SeatOutcomes{});
}

TEST(SeatResults, AddsPartsExactlyAndRefusesToPassTheLargestCount) {
  const SeatResults all = count_deals(kFourDeals);
  SeatResults sum = count_deals({kFourDeals[0], kFourDeals[1]});
  ASSERT_TRUE(add_seat_results(sum, count_deals({kFourDeals[2], kFourDeals[3]})));
  EXPECT_TRUE(sum == all);

  // One counter of otherwise equal records is set near the limit (seat -1:
  // the deal count); a refused add must leave every counter as it was.
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  const struct {
    int seat, winners;
    std::uint64_t have, more;
    bool added;
  } cases[] = {{-1, 0, kMax - 3, 4, false},
               {kMaxPlayers - 1, kMaxPlayers, kMax - 1, 2, false},
               {kMaxPlayers - 1, kMaxPlayers, kMax - 1, 1, true}};
  for (const auto& c : cases) {
    SeatResults total = all, more = all;
    auto counter = [&](SeatResults& r) -> std::uint64_t& {
      return c.seat < 0 ? r.deals : r.seat[c.seat].by_winners[c.winners];
    };
    counter(total) = c.have;
    counter(more) = c.more;
    const SeatResults before = total;
    EXPECT_EQ(add_seat_results(total, more), c.added) << c.seat << " " << c.more;
    EXPECT_TRUE(c.added ? counter(total) == kMax : total == before) << c.seat << " " << c.more;
  }
}

TEST(SeatResults, PrintsTheTable) {
  // Four deals: each seat's payoffs, equity, sum of squares, variance
  // (squares - 4 * equity^2) / 3 and margin z * sqrt(var / 4), z = 1.959964:
  //   seat 1: 1, 1/2, 1/3, 0: equity 11/24, squares 49/36, var 25/144, margin z * 5/24
  //   seat 2: 0, 1/2, 1/3, 0: equity 5/24,  squares 13/36, var 9/144,  margin z / 8
  //   seat 3: 0, 0, 1/3, 1:   equity 1/3,   squares 10/9,  var 2/9,    margin z * sqrt(2) / 6
  // 128 deals: seat 1 wins 1 alone, seat 2 the rest; 1/128 = 0.78125% rounds
  // up; var = (1 - 128 / 128^2) / 127 = 1/128, margin z / 128 = 1.5312%.
  std::vector<Deal> split(128, Deal{1, 2});
  split[0] = {2, 1};
  const struct {
    SeatResults results;
    std::vector<std::string> holds;
    std::string text;
  } cases[] = {{count_deals(kFourDeals),
                {"As Ad", "", "Kh Kd Qs"},
                "SEAT  HOLDS              WINS           TIES         LOSSES      WIN%      TIE%   "
                "EQUITY%    +/-95%\n"
                "1     As Ad                 1              2              1   25.0000   50.0000   "
                "45.8333   40.8326\n"
                "2     -                     0              2              2    0.0000   50.0000   "
                "20.8333   24.4995\n"
                "3     Kh Kd Qs              1              1              2   25.0000   25.0000   "
                "33.3333   46.1968\n"},
               {count_deals(split),
                {"", ""},
                "SEAT  HOLDS           WINS           TIES         LOSSES      WIN%      TIE%   "
                "EQUITY%    +/-95%\n"
                "1     -                  1              0            127    0.7813    0.0000    "
                "0.7813    1.5312\n"
                "2     -                127              0              1   99.2188    0.0000   "
                "99.2188    1.5312\n"},
               {SeatResults{}, {"As"}, "No seat results yet.\n"}};
  for (const auto& c : cases)
    EXPECT_EQ(test::capture_stdout([&] { print_seat_results(c.results, c.holds); }), c.text);
}

}  // namespace
}  // namespace orvix
