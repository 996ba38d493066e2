#pragma once
// A live progress line on standard error for long work (runs, test, exact).
// It is drawn only when standard error is a terminal, first after about half
// a second, then at most ten times a second, and erased when the work ends:
//   " 42%  2100000 of 5000000 hands  12.3 M/s  3 s left"
// When standard output is the same terminal, it is drawn only while the last
// byte written to standard output was a line end, so it never overwrites a
// partial line. The work only adds to an atomic count; a ticker thread of the
// line's own does the drawing, so the hot loops never touch the terminal.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace orvix {

struct ProgressLine {
  std::atomic<std::uint64_t> done{0};
  std::uint64_t total = 0;
  const char* unit = "hands";
  std::thread ticker;
  std::mutex lock;
  std::condition_variable wake;
  bool finishing = false;  // guarded by lock
  bool drawn = false;      // the ticker's own: a line is on the screen
};

// Starts watching work of `total` units. Draws nothing unless standard error
// is a terminal (then a ticker thread runs until finish_progress).
void start_progress(ProgressLine& line, std::uint64_t total, const char* unit);

// Adds finished units; call it per block of work, from any thread.
inline void add_progress(ProgressLine& line, std::uint64_t units) {
  line.done.fetch_add(units, std::memory_order_relaxed);
}

// Stops the ticker and erases the line if one is drawn. Safe to call twice.
void finish_progress(ProgressLine& line);

// The text of one progress line (no line end), for the ticker and the tests:
//   progress_text(2100000, 5000000, "hands", 1.5) ==
//   " 42%  2100000 of 5000000 hands  1.4 M/s  3 s left"
std::string progress_text(std::uint64_t done, std::uint64_t total, const char* unit,
                          double seconds);

// A progress line for a scope; finishes itself on every way out.
struct ProgressScope {
  ProgressLine line;
  ProgressScope(std::uint64_t total, const char* unit) { start_progress(line, total, unit); }
  ~ProgressScope() { finish_progress(line); }
  ProgressScope(const ProgressScope&) = delete;
  ProgressScope& operator=(const ProgressScope&) = delete;
};

}  // namespace orvix
