#pragma once
// The process-wide stopwatch that times runs.

#include <cstdint>

namespace orvix {

struct LapTimer {
  bool started = false;
  std::uint32_t start_tick = 0;  // tick_count() milliseconds, wrapping at 2^32
};

// The one stopwatch of the process.
extern LapTimer lap_timer;

// Starts (or restarts) the stopwatch at the current tick.
void start_lap_timer();

// Prints "Simulation time ... seconds." for the time since the last start or
// report, and restarts from now. If never started, only starts it.
void report_lap_time();

// The same on a given timer at a given tick, for callers that supply time.
void start_lap_timer(LapTimer& timer, std::uint32_t now);
void report_lap_time(LapTimer& timer, std::uint32_t now);

}  // namespace orvix
