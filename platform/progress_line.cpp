#include "platform/progress_line.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cinttypes>
#include <cmath>
#include <cstdio>

#include "platform/console.h"

namespace orvix {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kFirstDraw = std::chrono::milliseconds(500);
constexpr auto kRefresh = std::chrono::milliseconds(100);

// Standard output shows on the same terminal as standard error.
bool output_shares_terminal() {
  struct stat out {
  }, err{};
  if (!isatty(STDOUT_FILENO)) return false;
  if (fstat(STDOUT_FILENO, &out) != 0 || fstat(STDERR_FILENO, &err) != 0) return false;
  return out.st_rdev == err.st_rdev;
}

void write_error_text(const std::string& text) {
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(STDERR_FILENO, text.data() + written, text.size() - written);
    if (n <= 0) return;  // nothing sensible to do about a broken terminal
    written += static_cast<std::size_t>(n);
  }
}

constexpr char kEraseLine[] = "\r\033[K";

void tick(ProgressLine& line, bool shares_terminal) {
  const auto start = Clock::now();
  std::unique_lock<std::mutex> guard(line.lock);
  if (line.wake.wait_for(guard, kFirstDraw, [&] { return line.finishing; })) return;
  for (;;) {
    if (!shares_terminal || out_at_line_start()) {
      const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
      const std::uint64_t done = line.done.load(std::memory_order_relaxed);
      write_error_text(kEraseLine + progress_text(done, line.total, line.unit, seconds));
      line.drawn = true;
    }
    if (line.wake.wait_for(guard, kRefresh, [&] { return line.finishing; })) return;
  }
}

}  // namespace

std::string progress_text(std::uint64_t done, std::uint64_t total, const char* unit,
                          double seconds) {
  if (done > total) done = total;
  const unsigned percent = total == 0 ? 100u : static_cast<unsigned>(done * 100.0 / total);
  char text[160];
  int length = std::snprintf(text, sizeof text, "%3u%%  %" PRIu64 " of %" PRIu64 " %s", percent,
                             done, total, unit);
  if (seconds > 0 && done > 0 && length > 0) {
    const double rate = done / seconds;
    const double left = (total - done) / rate;
    char rate_text[32];
    if (rate >= 1e6)
      std::snprintf(rate_text, sizeof rate_text, "%.1f M/s", rate / 1e6);
    else if (rate >= 1e3)
      std::snprintf(rate_text, sizeof rate_text, "%.1f k/s", rate / 1e3);
    else
      std::snprintf(rate_text, sizeof rate_text, "%.0f/s", rate);
    char left_text[32];
    if (left < 120)
      std::snprintf(left_text, sizeof left_text, "%.0f s left", std::ceil(left));
    else
      std::snprintf(left_text, sizeof left_text, "%.0f min left", std::ceil(left / 60));
    std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length), "  %s  %s",
                  rate_text, left_text);
  }
  return text;
}

void start_progress(ProgressLine& line, std::uint64_t total, const char* unit) {
  line.done.store(0, std::memory_order_relaxed);
  line.total = total;
  line.unit = unit;
  line.finishing = false;
  line.drawn = false;
  if (!isatty(STDERR_FILENO)) return;
  const bool shares_terminal = output_shares_terminal();
  line.ticker = std::thread([&line, shares_terminal] { tick(line, shares_terminal); });
}

void finish_progress(ProgressLine& line) {
  if (!line.ticker.joinable()) return;
  {
    std::lock_guard<std::mutex> guard(line.lock);
    line.finishing = true;
  }
  line.wake.notify_all();
  line.ticker.join();
  if (line.drawn) write_error_text(kEraseLine);
  line.drawn = false;
}

}  // namespace orvix
