#pragma once
// The one owner of standard output. Everything orvix prints goes through
// these calls, so output appears in exactly the order the calls are made.
// Output that cannot be written (a full disk, a closed pipe or descriptor)
// ends the process at the first failed write or flush: one line on standard
// error names the program and the reason, and the exit status is the one set
// by set_output_failure (1 unless changed).

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

// Output capture, for callers that want a description as text (the Python
// module): while a sink is set, this thread's out_text, out_printf and
// out_line_end append to *sink instead of writing, and out_flush does
// nothing. Other threads keep writing to standard output. Pass nullptr to
// end the capture.
void capture_output(std::string* sink);

// True while the last byte written to standard output was a line end (or
// nothing was written yet). Read from any thread; the progress line uses it
// so it never draws over a partial line.
bool out_at_line_start();

// How a failed write is reported: "<program>: output could not be written
// (<reason>).\n" on standard error, then exit with `status`. program must
// outlive the process (a literal).
void set_output_failure(const char* program, int status);

// Marks standard output as lost before anything is written to it (it was
// closed at start-up and now points at /dev/null): the first write or flush
// fails with error_number as its reason.
void mark_output_lost(int error_number);

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
