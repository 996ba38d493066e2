#include "rules/ascii.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace orvix {
namespace {

// Every byte against the C library in its default "C" locale, where only the
// ASCII letters change case and the white space is exactly these six.
TEST(Ascii, EveryByteAgreesWithTheCLocale) {
  for (int byte = 0; byte < 256; ++byte) {
    const char c = static_cast<char>(byte);
    const bool ascii = byte < 128;
    EXPECT_EQ(ascii_upper(c), ascii ? static_cast<char>(std::toupper(byte)) : c) << byte;
    EXPECT_EQ(is_blank(c), ascii && std::isspace(byte) != 0) << byte;
  }
}

TEST(Ascii, UpperCopyFoldsOnlyAsciiLetters) {
  const std::string bytes = std::string("az AZ `{@[ 09 \xE9\xFF", 16) + std::string(1, '\0') + "q";
  EXPECT_EQ(upper_copy(bytes),
            std::string("AZ AZ `{@[ 09 \xE9\xFF", 16) + std::string(1, '\0') + "Q");
  EXPECT_EQ(upper_copy("Wild Two hEARTS"), "WILD TWO HEARTS");
  EXPECT_EQ(upper_copy(""), "");
}

}  // namespace
}  // namespace orvix
