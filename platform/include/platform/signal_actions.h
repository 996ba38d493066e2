#pragma once
// Changing what a signal does, and putting back what it did when the process
// started. A process started with a signal ignored (a background job of a
// script ignores SIGINT) keeps it ignored: handlers are installed only over
// the action found at start that is not "ignore".

namespace orvix {

// Installs handler for signal `number` unless the process started with it
// ignored. `restart` restarts system calls the signal interrupts; without it
// a blocking read returns early (EINTR). Returns false when left ignored.
bool catch_signal(int number, void (*handler)(int), bool restart);

// Puts back the action signal `number` had when the process started.
void restore_signal(int number);

}  // namespace orvix
