#include "result_table.h"

namespace orvix {

void run_trials(SimWorker&) {}  // TODO(sim)

}  // namespace orvix
