#include "interruptible.h"

#include <pybind11/pybind11.h>

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace orvix::python {

namespace py = pybind11;

namespace {

// Long enough to cost nothing, short enough that Ctrl-C feels immediate.
constexpr std::chrono::milliseconds kSignalPoll{50};

}  // namespace

void run_interruptible(const std::function<void(const std::atomic<bool>& cancel)>& work) {
  std::atomic<bool> cancel{false};
  std::exception_ptr failure;
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  auto run = [&] {
    try {
      work(cancel);
    } catch (...) {
      failure = std::current_exception();
    }
    const std::lock_guard<std::mutex> lock(mutex);
    done = true;
    finished.notify_one();
  };

  std::thread worker;
  try {
    worker = std::thread(run);
  } catch (const std::system_error&) {
    py::gil_scoped_release unlocked;
    run();
  }
  bool interrupted = false;
  if (worker.joinable()) {
    for (;;) {
      {
        py::gil_scoped_release unlocked;
        std::unique_lock<std::mutex> lock(mutex);
        if (finished.wait_for(lock, kSignalPoll, [&] { return done; })) break;
      }
      if (PyErr_CheckSignals() != 0) {
        interrupted = true;
        cancel.store(true, std::memory_order_relaxed);
        break;
      }
    }
    py::gil_scoped_release unlocked;
    worker.join();
  }
  if (interrupted) throw py::error_already_set();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace orvix::python
