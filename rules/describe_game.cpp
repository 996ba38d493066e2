#include "describe.h"

namespace orvix {

void describe_game(const GameRules&) {}  // TODO(rules)

}  // namespace orvix
