#pragma once
// Ending the whole process from any thread after a platform failure.

namespace orvix {

// Flushes standard output and ends the process with status at once, without
// running destructors that other threads of a run might still depend on.
[[noreturn]] void end_process(int status);

}  // namespace orvix
