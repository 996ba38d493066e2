#include "platform/done_signals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace orvix {
namespace {

TEST(DoneSignals, TakeReturnsTheLowestRaisedSignalAndConsumesIt) {
  DoneSignals signals;
  ASSERT_EQ(open_done_signals(signals, 5), 0);
  EXPECT_EQ(raise_done_signal(signals, 3), 0);
  EXPECT_EQ(raise_done_signal(signals, 1), 0);
  EXPECT_NE(raise_done_signal(signals, 3), 0);  // maximum count is 1
  EXPECT_NE(raise_done_signal(signals, 5), 0);  // no such signal
  EXPECT_NE(raise_done_signal(signals, -1), 0);
  EXPECT_EQ(take_done_signal(signals), 1);
  EXPECT_EQ(raise_done_signal(signals, 4), 0);
  EXPECT_EQ(take_done_signal(signals), 3);
  EXPECT_EQ(raise_done_signal(signals, 3), 0);  // taken, so it may rise again
  EXPECT_EQ(take_done_signal(signals), 3);
  EXPECT_EQ(take_done_signal(signals), 4);
  close_done_signals(signals);
  EXPECT_EQ(take_done_signal(signals), -1);  // closed: fails instead of waiting
}

TEST(DoneSignals, CollectEveryThreadOfARunExactlyOnce) {
  for (int round = 0; round < 20; ++round) {
    const int n = 8;
    DoneSignals signals;
    ASSERT_EQ(open_done_signals(signals, n), 0);
    std::vector<int> results(n, -1);
    std::vector<std::thread> threads;
    for (int i = 0; i < n; ++i)
      threads.emplace_back([&signals, &results, i] { results[i] = raise_done_signal(signals, i); });
    std::vector<int> taken;
    for (int i = 0; i < n; ++i) taken.push_back(take_done_signal(signals));
    for (std::thread& thread : threads) thread.join();
    std::sort(taken.begin(), taken.end());
    for (int i = 0; i < n; ++i) {
      EXPECT_EQ(taken[i], i);
      EXPECT_EQ(results[i], 0);
    }
    close_done_signals(signals);
  }
}

}  // namespace
}  // namespace orvix
