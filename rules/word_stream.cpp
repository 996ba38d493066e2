#include "rules/word_stream.h"

#include <cstdint>
#include <limits>

#include "rules/ascii.h"

namespace orvix {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

void skip_space(WordStream& stream) {
  while (stream.pos < stream.text.size() && is_blank(stream.text[stream.pos])) ++stream.pos;
}

// Reads [sign] digits+ and checks the magnitude against the width's limits.
// Every digit is consumed however many there are; the magnitude stops growing
// once it is out of range, so nothing overflows on the way.
template <typename Int>
bool read_integer(WordStream& stream, Int& value) {
  skip_space(stream);
  bool negative = false;
  if (stream.pos < stream.text.size() && (stream.text[stream.pos] == '+' || stream.text[stream.pos] == '-')) {
    negative = stream.text[stream.pos] == '-';
    ++stream.pos;
  }
  // The most negative value has one more unit of magnitude than the most positive.
  const std::uint64_t limit = static_cast<std::uint64_t>(std::numeric_limits<Int>::max()) + (negative ? 1 : 0);
  std::uint64_t magnitude = 0;
  bool any_digit = false;
  bool out_of_range = false;
  while (stream.pos < stream.text.size() && is_digit(stream.text[stream.pos])) {
    const auto digit = static_cast<std::uint64_t>(stream.text[stream.pos] - '0');
    any_digit = true;
    if (!out_of_range) {
      if (magnitude > (limit - digit) / 10)
        out_of_range = true;
      else
        magnitude = magnitude * 10 + digit;
    }
    ++stream.pos;
  }
  if (!any_digit || out_of_range) return false;
  if (negative)
    value = magnitude == 0 ? Int{0} : static_cast<Int>(-static_cast<Int>(magnitude - 1) - 1);
  else
    value = static_cast<Int>(magnitude);
  return true;
}

}  // namespace

bool at_end(const WordStream& stream) { return stream.pos >= stream.text.size(); }

std::string_view read_word(WordStream& stream) {
  skip_space(stream);
  const std::size_t start = stream.pos;
  while (stream.pos < stream.text.size() && !is_blank(stream.text[stream.pos])) ++stream.pos;
  return stream.text.substr(start, stream.pos - start);
}

bool read_int32(WordStream& stream, std::int32_t& value) { return read_integer(stream, value); }

bool read_int64(WordStream& stream, std::int64_t& value) { return read_integer(stream, value); }

}  // namespace orvix
