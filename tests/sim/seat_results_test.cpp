#include "sim/seat_results.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

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

}  // namespace
}  // namespace orvix
