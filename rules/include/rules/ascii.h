#pragma once
// The byte tests every command and card text shares. Only ASCII letters
// change case; every other byte (NUL and bytes above 127 included) stays as
// it is, whatever the locale.

#include <string>
#include <string_view>

namespace orvix {

// 'a'..'z' to 'A'..'Z'; ascii_upper('q') == 'Q', ascii_upper('\xE9') == '\xE9'.
constexpr char ascii_upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The white space between words: blank, \t, \n, \v, \f, \r.
constexpr bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Copy of text with a-z folded to A-Z; every other byte unchanged.
std::string upper_copy(std::string_view text);

}  // namespace orvix
