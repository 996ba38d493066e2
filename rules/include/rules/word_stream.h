#pragma once
// A read position over one command line, in the manner of a string stream:
// words are separated by white space (blank, \t, \n, \v, \f, \r).

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

}  // namespace orvix
