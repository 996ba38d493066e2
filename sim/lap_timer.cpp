#include "sim/lap_timer.h"

#include <string>

#include "platform/console.h"
#include "platform/tick_count.h"

namespace orvix {

LapTimer lap_timer;

void start_lap_timer(LapTimer& timer, std::uint32_t now) {
  timer.start_tick = now;
  timer.started = true;
}

void report_lap_time(LapTimer& timer, std::uint32_t now) {
  if (!timer.started) {
    start_lap_timer(timer, now);
    return;
  }
  // Unsigned difference: right across a wrap of the 32-bit tick count.
  const std::uint32_t elapsed = now - timer.start_tick;
  const auto seconds = static_cast<float>(elapsed * 0.001);
  const int decimals = seconds < 10.0f ? 3 : 1;
  const std::string text = format_fixed(static_cast<double>(seconds), decimals);
  out_printf("Simulation time %s seconds.\n", text.c_str());
  timer.start_tick = now;
}

void start_lap_timer() { start_lap_timer(lap_timer, tick_count()); }

void report_lap_time() { report_lap_time(lap_timer, tick_count()); }

}  // namespace orvix
