#include "exact/exact_report.h"
#include "platform/console.h"

namespace orvix {

// Placeholder until the counting under a ranking is built.
void run_ranking_frequency(GameRules&, bool, int) {
  out_text("Error: ranking frequency is not available yet.\n");
}

}  // namespace orvix
