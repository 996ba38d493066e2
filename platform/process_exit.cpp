#include "platform/process_exit.h"

#include <cstdlib>

#include "platform/console.h"

namespace orvix {

void end_process(int status) {
  out_flush();
  std::_Exit(status);
}

}  // namespace orvix
