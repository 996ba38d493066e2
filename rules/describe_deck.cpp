#include "describe.h"

namespace orvix {

void describe_deck(const GameRules&) {}  // TODO(rules)

}  // namespace orvix
