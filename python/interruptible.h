#pragma once
// Long work that Ctrl-C can interrupt. Python runs its signal handlers only
// when the interpreter gets to them, never while a C++ call holds the
// thread; so the work runs on a thread of its own, without the interpreter
// lock, while the calling thread runs the handlers every 50 ms. When one
// raises (KeyboardInterrupt, say), the work is asked to stop, joined, and
// the exception raised: no thread is left running.
//
//   run_interruptible([&](const std::atomic<bool>& cancel) {
//     options.cancel = &cancel;  // the work checks it between blocks
//     table = count_exact(game, options);
//   });

#include <atomic>
#include <functional>

namespace orvix::python {

// Call with the interpreter lock held. `work` must not touch Python objects;
// it should return soon once `cancel` turns true. What it throws is thrown
// here. Where no thread can be started the work runs on the calling thread,
// still without the lock, and cannot be interrupted.
void run_interruptible(const std::function<void(const std::atomic<bool>& cancel)>& work);

}  // namespace orvix::python
