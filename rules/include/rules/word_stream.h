#pragma once
// A read position over one command line, in the manner of a string stream:
// words are separated by white space (blank, \t, \n, \v, \f, \r).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "rules/ascii.h"  // upper_copy, for the callers that fold a line first

namespace orvix {

struct WordStream {
  std::string_view text;
  std::size_t pos = 0;
};

// True once the read position has reached the end of the line.
bool at_end(const WordStream& stream);

// Skips white space and returns the next word; empty when none is left.
std::string_view read_word(WordStream& stream);

// Skips white space, then an optional sign and one or more digits. Returns
// false (and leaves value alone) when no digit follows or the number does
// not fit the width; the rest of the line is never looked at.
bool read_int32(WordStream& stream, std::int32_t& value);
bool read_int64(WordStream& stream, std::int64_t& value);

// A whole word of decimal digits and nothing else (no sign, no blank), 1 to
// max_digits of them, worth at most limit. False leaves value alone:
// parse_digits("007", 20, 99, v) sets 7; "+1", "1e3" and "100" (above 99) fail.
bool parse_digits(std::string_view word, std::size_t max_digits, std::uint64_t limit,
                  std::uint64_t& value);

// Reads the next word (read_word) and parses it as parse_digits does. The
// word is consumed either way.
bool read_digits(WordStream& stream, std::size_t max_digits, std::uint64_t limit,
                 std::uint64_t& value);

}  // namespace orvix
