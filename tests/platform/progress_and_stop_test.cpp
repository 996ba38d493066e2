#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include "platform/console.h"
#include "platform/progress_line.h"
#include "platform/stop_request.h"

namespace orvix {
namespace {

TEST(ProgressText, ShowsShareCountsRateAndTimeLeft) {
  EXPECT_EQ(progress_text(2100000, 5000000, "hands", 1.5),
            " 42%  2100000 of 5000000 hands  1.4 M/s  3 s left");
  EXPECT_EQ(progress_text(0, 5000000, "hands", 0.6), "  0%  0 of 5000000 hands");
  EXPECT_EQ(progress_text(1000, 1000000, "hands", 2.0),
            "  0%  1000 of 1000000 hands  500/s  34 min left");
  EXPECT_EQ(progress_text(7, 7, "hands", 1.0), "100%  7 of 7 hands  7/s  0 s left");
  // More done than planned (a late count) never shows above 100%.
  EXPECT_EQ(progress_text(9, 7, "hands", 1.0), "100%  7 of 7 hands  7/s  0 s left");
  EXPECT_EQ(progress_text(0, 0, "hands", 0.0), "100%  0 of 0 hands");
}

TEST(ProgressLine, CountsWithoutATerminalAndFinishesTwice) {
  // Under ctest standard error is not a terminal: nothing is drawn, no
  // ticker runs, and the count still adds up.
  ProgressScope scope(100, "hands");
  add_progress(scope.line, 40);
  add_progress(scope.line, 2);
  EXPECT_EQ(scope.line.done.load(), 42u);
  finish_progress(scope.line);
  finish_progress(scope.line);
  EXPECT_FALSE(scope.line.drawn);
}

TEST(StopRequest, SigintInsideAWindowOnlyAsksWorkToStop) {
  {
    StopWindow window;
    EXPECT_FALSE(stop_requested());
    std::raise(SIGINT);  // would end the test program outside a window
    EXPECT_TRUE(stop_requested());
  }
  EXPECT_TRUE(stop_requested());  // readable after the window closes
  StopWindow next;
  EXPECT_FALSE(stop_requested());  // a new window starts clean
  request_stop();
  EXPECT_TRUE(stop_requested());
}

}  // namespace
}  // namespace orvix
