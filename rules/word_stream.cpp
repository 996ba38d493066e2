#include "rules/word_stream.h"

#include <charconv>
#include <cstdint>

#include "rules/ascii.h"

namespace orvix {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

void skip_space(WordStream& stream) {
  while (stream.pos < stream.text.size() && is_blank(stream.text[stream.pos])) ++stream.pos;
}

// Reads [sign] digits+ after white space. std::from_chars takes the '-' and
// the digits and consumes every digit even when the value is out of range;
// the '+' it does not know is stepped over here, and only when a digit
// follows, so "+-5" stays no number.
template <typename Int>
bool read_integer(WordStream& stream, Int& value) {
  skip_space(stream);
  const char* const end = stream.text.data() + stream.text.size();
  const char* first = stream.text.data() + stream.pos;
  if (first != end && *first == '+' && first + 1 != end && is_digit(first[1])) ++first;
  Int read = 0;
  const auto [stop, error] = std::from_chars(first, end, read);
  stream.pos = static_cast<std::size_t>(stop - stream.text.data());
  if (error != std::errc{}) return false;
  value = read;
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

bool parse_digits(std::string_view word, std::size_t max_digits, std::uint64_t limit,
                  std::uint64_t& value) {
  if (word.empty() || word.size() > max_digits) return false;
  for (const char c : word)
    if (!is_digit(c)) return false;
  std::uint64_t read = 0;
  const auto [stop, error] = std::from_chars(word.data(), word.data() + word.size(), read);
  if (error != std::errc{} || read > limit) return false;
  value = read;
  return true;
}

bool read_digits(WordStream& stream, std::size_t max_digits, std::uint64_t limit,
                 std::uint64_t& value) {
  return parse_digits(read_word(stream), max_digits, limit, value);
}

}  // namespace orvix
