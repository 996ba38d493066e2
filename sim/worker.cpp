#include "sim_worker.h"

namespace orvix {

void configure_worker(SimWorker&, const GameRules&) {}  // TODO(sim)

}  // namespace orvix
