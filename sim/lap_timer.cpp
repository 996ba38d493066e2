#include "lap_timer.h"

namespace orvix {

// TODO(sim): placeholder bodies.
void start_lap_timer() {}
void report_lap_time() {}

}  // namespace orvix
