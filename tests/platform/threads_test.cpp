#include "platform/done_signals.h"
#include "platform/threads.h"

#include <gtest/gtest.h>

#include <algorithm>
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

struct Raiser {
  DoneSignals* signals;
  int index;
  int result = -1;
  bool ran = false;
};

int raise_entry(void* argument) {
  auto& raiser = *static_cast<Raiser*>(argument);
  raiser.ran = true;
  raiser.result = raise_done_signal(*raiser.signals, raiser.index);
  return 0;
}

TEST(DoneSignals, CollectEveryThreadOfARunExactlyOnce) {
  for (int round = 0; round < 20; ++round) {
    const int n = 8;
    DoneSignals signals;
    ASSERT_EQ(open_done_signals(signals, n), 0);
    std::vector<Raiser> raisers;
    for (int i = 0; i < n; ++i) raisers.push_back(Raiser{&signals, i});
    std::vector<ThreadHandle> threads(n);
    for (int i = 0; i < n; ++i) ASSERT_TRUE(start_thread(threads[i], raise_entry, &raisers[i]));
    std::vector<int> taken;
    for (int i = 0; i < n; ++i) taken.push_back(take_done_signal(signals));
    EXPECT_TRUE(join_threads(threads.data(), n));
    std::sort(taken.begin(), taken.end());
    for (int i = 0; i < n; ++i) {
      EXPECT_EQ(taken[i], i);
      EXPECT_TRUE(raisers[i].ran);
      EXPECT_EQ(raisers[i].result, 0);
    }
    close_done_signals(signals);
  }
}

TEST(Threads, JoinReportsHandlesThatNeverStarted) {
  ThreadHandle never_started[2];
  EXPECT_FALSE(join_threads(never_started, 2));
  EXPECT_TRUE(join_threads(never_started, 0));
}

}  // namespace
}  // namespace orvix
