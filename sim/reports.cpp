#include "reports.h"

namespace orvix {

// TODO(sim): placeholder bodies.
float display_percent(float percent) { return percent; }
void print_stats(ResultTable&) {}
void print_counts(ResultTable&) {}

}  // namespace orvix
