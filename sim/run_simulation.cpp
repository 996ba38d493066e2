#include "run_simulation.h"

namespace orvix {

void run_simulation(const GameRules&, ResultTable&) {}  // TODO(sim)

}  // namespace orvix
