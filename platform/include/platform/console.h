#pragma once
// The one owner of standard output. Everything orvix prints goes through
// these calls, so output appears in exactly the order the calls are made.

#include <cstdarg>
#include <string>
#include <string_view>

namespace orvix {

// printf-style output to standard output (no flush).
void out_printf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Writes the bytes of text unchanged (NUL bytes included).
void out_text(std::string_view text);

// A line end: one '\n', then a flush.
void out_line_end();

// Flushes standard output.
void out_flush();

// True while the last byte written to standard output was a line end (or
// nothing was written yet). Read from any thread; the progress line uses it
// so it never draws over a partial line.
bool out_at_line_start();

// Fixed-decimal text of value, rounding halfway cases away from zero:
// the value is first written to 17 significant digits, and that digit
// string is cut to `decimals` places, rounding up in magnitude when the
// first digit cut off is 5 or more.
//   format_fixed(0.5, 0) == "1", format_fixed(2.5, 0) == "3",
//   format_fixed(12.25, 1) == "12.3", format_fixed(-0.5, 0) == "-1".
std::string format_fixed(double value, int decimals);

// format_fixed right-aligned in a field of `width` characters (like "%5.1f").
void out_fixed(double value, int width, int decimals);

}  // namespace orvix
