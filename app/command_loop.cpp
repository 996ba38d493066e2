#include "command_loop.h"

namespace orvix {

void command_loop(bool, bool) {}  // TODO(app)

}  // namespace orvix
