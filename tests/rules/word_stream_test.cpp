#include "rules/word_stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvix {
namespace {

TEST(WordStream, WordsAreSeparatedByTheSixWhiteSpaceCharacters) {
  const std::string line =
      std::string(" \t\n\v\f\rGO\ta\rb\fc\vd\ne  x") + std::string(1, '\0') + "y\r";
  WordStream stream{line};
  std::vector<std::string> words;
  for (std::string_view w = read_word(stream); !w.empty(); w = read_word(stream))
    words.emplace_back(w);
  EXPECT_EQ(words,
            (std::vector<std::string>{"GO", "a", "b", "c", "d", "e", std::string("x\0y", 3)}));
  EXPECT_TRUE(at_end(stream));
  EXPECT_TRUE(read_word(stream).empty());
}

TEST(WordStream, AtEndOnlyWhenNothingFollowsTheWord) {
  struct Case {
    const char* line;
    bool at_end_after_command;
  };
  for (const Case& c : {Case{"WILD", true}, Case{"WILD ", false}, Case{"  WILD", true},
                        Case{"WILD\t", false}, Case{"", true}, Case{"   ", true}}) {
    SCOPED_TRACE(c.line);
    WordStream stream{c.line};
    read_word(stream);
    EXPECT_EQ(at_end(stream), c.at_end_after_command);
  }
}

struct NumberCase {
  std::string text;
  bool ok32;
  std::int32_t value32;
  bool ok64;
  std::int64_t value64;
};

TEST(WordStream, NumbersTakeASignAndDigitsAndRefuseWhatDoesNotFit) {
  const std::string huge(1000000, '9');
  const std::string zeros = std::string(500000, '0') + "42";
  const std::vector<NumberCase> cases = {
      {"3", true, 3, true, 3},
      {"  +7x", true, 7, true, 7},
      {"\t\v\f\r\n-5 9", true, -5, true, -5},
      {"2.9", true, 2, true, 2},
      {"3x", true, 3, true, 3},
      {"-0", true, 0, true, 0},
      {"007", true, 7, true, 7},
      {zeros, true, 42, true, 42},
      {"", false, 0, false, 0},
      {"    ", false, 0, false, 0},
      {"+", false, 0, false, 0},
      {"-", false, 0, false, 0},
      {"- 5", false, 0, false, 0},
      {"+-5", false, 0, false, 0},
      {"--5", false, 0, false, 0},
      {"TWO", false, 0, false, 0},
      {"0X1F", true, 0, true, 0},
      {"1,000", true, 1, true, 1},
      {"2147483647", true, 2147483647, true, 2147483647},
      {"2147483648", false, 0, true, 2147483648LL},
      {"-2147483648", true, -2147483647 - 1, true, -2147483648LL},
      {"-2147483649", false, 0, true, -2147483649LL},
      {"4294967296", false, 0, true, 4294967296LL},
      {"9223372036854775807", false, 0, true, 9223372036854775807LL},
      {"9223372036854775808", false, 0, false, 0},
      {"-9223372036854775808", false, 0, true, -9223372036854775807LL - 1},
      {"-9223372036854775809", false, 0, false, 0},
      {"18446744073709551616", false, 0, false, 0},
      {"99999999999999999999999999999", false, 0, false, 0},
      {huge, false, 0, false, 0},
      {"-" + huge, false, 0, false, 0},
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    std::int32_t v32 = 12345;  // a failed read must not touch it
    WordStream s32{c.text};
    EXPECT_EQ(read_int32(s32, v32), c.ok32);
    EXPECT_EQ(v32, c.ok32 ? c.value32 : 12345);
    std::int64_t v64 = 12345;
    WordStream s64{c.text};
    EXPECT_EQ(read_int64(s64, v64), c.ok64);
    EXPECT_EQ(v64, c.ok64 ? c.value64 : 12345);
  }
}

// Every value in a range round-trips through its decimal text, signs included.
TEST(WordStream, NumbersRoundTripNearTheLimits) {
  for (std::int64_t base : {0LL, 2147483647LL, -2147483648LL, 9223372036854775807LL - 50,
                            -9223372036854775807LL + 49}) {
    for (int offset = -50; offset <= 50; ++offset) {
      const std::int64_t v = base + offset;
      const std::string text = std::to_string(v);
      std::int64_t v64 = 0;
      WordStream s64{text};
      ASSERT_TRUE(read_int64(s64, v64)) << text;
      ASSERT_EQ(v64, v);
      std::int32_t v32 = 0;
      WordStream s32{text};
      const bool fits = v >= -2147483648LL && v <= 2147483647LL;
      ASSERT_EQ(read_int32(s32, v32), fits) << text;
      if (fits) {
        ASSERT_EQ(v32, v);
      }
    }
  }
}

// Seeds are 1 to 20 digits up to 2^64 - 1, parts 1 to 10 digits up to 2^32 - 1:
// digits only, so no sign, blank or exponent.
TEST(WordStream, DigitWordsKeepToTheirDigitCountAndLimit) {
  constexpr std::uint64_t kMax64 = ~std::uint64_t{0};
  constexpr std::uint64_t kMax32 = 4294967295u;
  struct Case {
    std::string text;
    std::size_t max_digits;
    std::uint64_t limit;
    bool ok;
    std::uint64_t value;
  };
  const Case cases[] = {
      {"0", 20, kMax64, true, 0},
      {"18446744073709551615", 20, kMax64, true, kMax64},
      {"18446744073709551614", 20, kMax64, true, kMax64 - 1},
      {"00000000000000000009", 20, kMax64, true, 9},
      {"000000000000000000009", 20, kMax64, false, 0},
      {"18446744073709551616", 20, kMax64, false, 0},
      {"18446744073709551625", 20, kMax64, false, 0},
      {"28446744073709551615", 20, kMax64, false, 0},
      {"99999999999999999999", 20, kMax64, false, 0},
      {"", 20, kMax64, false, 0},
      {"+1", 20, kMax64, false, 0},
      {"-0", 20, kMax64, false, 0},
      {"1 ", 20, kMax64, false, 0},
      {"0x1", 20, kMax64, false, 0},
      {std::string("1\0", 2), 20, kMax64, false, 0},
      {"4294967295", 10, kMax32, true, kMax32},
      {"4294967296", 10, kMax32, false, 0},
      {"0000000001", 10, kMax32, true, 1},
      {"00000000001", 10, kMax32, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::uint64_t value = 77;
    EXPECT_EQ(parse_digits(c.text, c.max_digits, c.limit, value), c.ok);
    EXPECT_EQ(value, c.ok ? c.value : 77u);
  }
  // A stream reads them a word at a time.
  WordStream stream{" 3\t12 x 5"};
  std::uint64_t a = 0, b = 0, c = 0;
  EXPECT_TRUE(read_digits(stream, 10, kMax32, a));
  EXPECT_TRUE(read_digits(stream, 10, kMax32, b));
  EXPECT_FALSE(read_digits(stream, 10, kMax32, c));
  EXPECT_TRUE(read_digits(stream, 10, kMax32, c));
  EXPECT_EQ(a, 3u);
  EXPECT_EQ(b, 12u);
  EXPECT_EQ(c, 5u);
}

}  // namespace
}  // namespace orvix
