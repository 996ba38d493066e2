#include "platform/processors.h"
#include "platform/tick_count.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <time.h>

#include <functional>
#include <thread>

namespace orvix {
namespace {

TEST(TickCount, CountsMillisecondsForward) {
  const std::uint32_t before = tick_count();
  const timespec pause{0, 30 * 1000 * 1000};
  nanosleep(&pause, nullptr);
  const std::uint32_t elapsed = tick_count() - before;  // wraps like the count
  EXPECT_GE(elapsed, 29u);
  EXPECT_LT(elapsed, 600000u);
}

TEST(ProcessorCount, CountsTheCpusThisProcessMayUse) {
  cpu_set_t set;
  CPU_ZERO(&set);
  ASSERT_EQ(sched_getaffinity(0, sizeof set, &set), 0);
  EXPECT_EQ(processor_count(), CPU_COUNT(&set));
  EXPECT_GE(processor_count(), 1);
}

struct Pinned {
  int count = 0;
  bool pinned = false;
};

void count_on_one_cpu(Pinned& result) {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (sched_getaffinity(0, sizeof set, &set) != 0) return;
  int first = 0;
  while (!CPU_ISSET(first, &set)) ++first;
  CPU_ZERO(&set);
  CPU_SET(first, &set);
  result.pinned = sched_setaffinity(0, sizeof set, &set) == 0;
  result.count = processor_count();
}

TEST(ProcessorCount, FollowsARestrictedAffinity) {
  // As under `taskset -c 0`: pinned to one CPU, one worker.
  Pinned result;
  std::thread(count_on_one_cpu, std::ref(result)).join();
  ASSERT_TRUE(result.pinned);
  EXPECT_EQ(result.count, 1);
}

}  // namespace
}  // namespace orvix
