#include "platform/console.h"

#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace orvix {
namespace {

std::atomic<bool> at_line_start{true};
const char* failure_program = "orvix";
int failure_status = 1;
int lost_output_error = 0;  // errno that every write reports once output is lost
thread_local std::string* capture_sink = nullptr;

// Standard error is the only place left to say it; the buffered output is
// dropped with the process (_Exit flushes nothing), so nothing is tried twice.
[[noreturn]] void output_failed(int error_number) {
  std::fprintf(stderr, "%s: output could not be written (%s).\n", failure_program,
               error_number != 0 ? std::strerror(error_number) : "unknown error");
  std::fflush(stderr);
  std::_Exit(failure_status);
}

// A write that failed leaves the stream's error flag set, and errno tells why.
// A flush alone writes nothing new, so lost output is only reported by the
// first call that had something to write (the one before it already failed).
void check(bool failed, bool wrote) {
  const int error_number = errno;
  if (wrote && lost_output_error != 0) output_failed(lost_output_error);
  if (failed || std::ferror(stdout)) output_failed(error_number);
}

}  // namespace

void set_output_failure(const char* program, int status) {
  failure_program = program;
  failure_status = status;
}

void mark_output_lost(int error_number) { lost_output_error = error_number; }

void out_printf(const char* format, ...) {
  // Formatted first, so the last byte is known; tables and texts are short.
  char small[512];
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  if (length < 0) {
    va_end(again);
    return;
  }
  if (static_cast<std::size_t>(length) < sizeof small) {
    out_text(std::string_view(small, static_cast<std::size_t>(length)));
  } else {
    std::string large(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(large.data(), large.size(), format, again);
    large.pop_back();
    out_text(large);
  }
  va_end(again);
}

void capture_output(std::string* sink) { capture_sink = sink; }

void out_text(std::string_view text) {
  if (text.empty()) return;
  if (capture_sink != nullptr) {
    capture_sink->append(text);
    return;
  }
  errno = 0;
  check(std::fwrite(text.data(), 1, text.size(), stdout) != text.size(), true);
  at_line_start.store(text.back() == '\n', std::memory_order_relaxed);
}

void out_line_end() {
  if (capture_sink != nullptr) {
    capture_sink->push_back('\n');
    return;
  }
  errno = 0;
  const bool failed = std::fputc('\n', stdout) == EOF || std::fflush(stdout) != 0;
  check(failed, true);
  at_line_start.store(true, std::memory_order_relaxed);
}

bool out_at_line_start() { return at_line_start.load(std::memory_order_relaxed); }

void out_flush() {
  if (capture_sink != nullptr) return;
  errno = 0;
  check(std::fflush(stdout) != 0, false);
}

std::string format_fixed(double value, int decimals) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  if (decimals < 0) decimals = 0;
  if (decimals > 40) decimals = 40;

  // "%.16e" gives exactly 17 significant digits: [-]d.dddddddddddddddde[+-]XX
  char sci[40];
  std::snprintf(sci, sizeof sci, "%.16e", value);
  const bool negative = sci[0] == '-';
  const char* p = sci + (negative ? 1 : 0);
  char significant[17];
  int count = 0;
  for (; *p != 'e'; ++p)
    if (*p != '.') significant[count++] = *p;
  const int exponent = std::atoi(p + 1);

  // digit(k): the decimal digit of weight 10^-k (k may be negative).
  auto digit = [&](int k) -> int {
    const int index = exponent + k;  // index into the significant digits
    return index >= 0 && index < count ? significant[index] - '0' : 0;
  };

  // Kept digits, from the highest integer place down to the last decimal.
  const int highest = exponent > 0 ? -exponent : 0;  // weight 10^-highest
  std::string kept;
  for (int k = highest; k <= decimals; ++k) kept.push_back(static_cast<char>('0' + digit(k)));
  if (digit(decimals + 1) >= 5) {
    std::size_t i = kept.size();
    while (i > 0 && kept[i - 1] == '9') kept[--i] = '0';
    if (i == 0)
      kept.insert(kept.begin(), '1');
    else
      ++kept[i - 1];
  }

  const std::size_t integer_digits = kept.size() - static_cast<std::size_t>(decimals);
  std::size_t lead = 0;
  while (lead + 1 < integer_digits && kept[lead] == '0') ++lead;
  std::string text = negative ? "-" : "";  // printf keeps the sign of "-0.0" too
  text.append(kept, lead, integer_digits - lead);
  if (decimals > 0) {
    text += '.';
    text.append(kept, integer_digits, std::string::npos);
  }
  return text;
}

void out_fixed(double value, int width, int decimals) {
  std::string text = format_fixed(value, decimals);
  if (static_cast<int>(text.size()) < width)
    text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  out_text(text);
}

}  // namespace orvix
