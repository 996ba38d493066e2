#pragma once
// The process-wide stopwatch that times runs.

namespace orvix {

// Starts (or restarts) the stopwatch at the current tick.
void start_lap_timer();

// Prints "Simulation time ... seconds." for the time since the last start or
// report, and restarts from now. If never started, only starts it.
void report_lap_time();

}  // namespace orvix
