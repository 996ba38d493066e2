#include "sim/seat_results.h"

#include <cmath>
#include <limits>

#include "sim/wilson.h"

namespace orvix {

namespace {

constexpr std::uint64_t kMax64 = std::numeric_limits<std::uint64_t>::max();

}  // namespace

bool add_seat_results(SeatResults& total, const SeatResults& more) {
  if (more.deals > kMax64 - total.deals) return false;
  for (int s = 0; s < kMaxPlayers; ++s)
    for (int k = 0; k <= kMaxPlayers; ++k)
      if (more.seat[s].by_winners[k] > kMax64 - total.seat[s].by_winners[k]) return false;
  if (total.deals == 0) total.game = more.game;
  total.deals += more.deals;
  for (int s = 0; s < kMaxPlayers; ++s)
    for (int k = 0; k <= kMaxPlayers; ++k)
      total.seat[s].by_winners[k] += more.seat[s].by_winners[k];
  return true;
}

// A seat's payoff in one deal is 1 for a win alone, 1/k for a tie among k
// winners and 0 for a loss; its equity is the mean payoff over the n deals,
//   equity = (wins + sum over k of ties_k / k) / n,
// and the margin is z * sqrt(var / n), z the 95% normal quantile, var the
// payoffs' sample variance. The counts give var exactly: with the sum of
// squares wins + sum over k of ties_k / k^2,
//   var = (sum of squares - n * equity^2) / (n - 1).
// It is computed here as the same sum of squared deviations from the mean,
// count by count, which loses no digits when the equity is near 0 or 1.
// Worked example: 4 deals, 1 won alone, 2 tied between 2 winners, 1 lost:
// payoffs 1, 1/2, 1/2, 0; equity 2/4 = 0.5; sum of squares 1 + 2/4 = 1.5;
// var = (1.5 - 4 * 0.25) / 3 = 1/6; margin = 1.96 * sqrt(1/24) = 0.4001.
SeatSummary summarize_seat(const SeatResults& results, int s) {
  assert(s >= 0 && s < kMaxPlayers);
  const std::uint64_t* const by_winners = results.seat[s].by_winners;
  SeatSummary summary;
  summary.losses = by_winners[0];
  summary.wins = by_winners[1];
  for (int k = 2; k <= kMaxPlayers; ++k) summary.ties += by_winners[k];
  if (results.deals == 0) return summary;

  const double n = static_cast<double>(results.deals);
  double payoffs = 0.0;
  for (int k = 1; k <= kMaxPlayers; ++k) payoffs += static_cast<double>(by_winners[k]) / k;
  const double mean = payoffs / n;
  summary.equity = mean;
  if (results.deals < 2) return summary;

  double squares = static_cast<double>(by_winners[0]) * mean * mean;
  for (int k = 1; k <= kMaxPlayers; ++k) {
    const double deviation = 1.0 / k - mean;
    squares += static_cast<double>(by_winners[k]) * deviation * deviation;
  }
  const double variance = squares / (n - 1.0);
  summary.margin = kZ95 * std::sqrt(variance / n);
  return summary;
}

}  // namespace orvix
