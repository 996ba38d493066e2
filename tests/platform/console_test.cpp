#include "platform/console.h"

#include <gtest/gtest.h>

#include <string>

namespace orvix {
namespace {

struct FixedCase {
  double value;
  int decimals;
  const char* text;
};

TEST(FormatFixed, RoundsHalfwayCasesAwayFromZero) {
  const FixedCase cases[] = {
      {0.5, 0, "1"},         {1.5, 0, "2"},
      {2.5, 0, "3"},         {99.5, 0, "100"},
      {12.25, 1, "12.3"},    {0.05, 1, "0.1"},
      {-0.5, 0, "-1"},       {-2.5, 0, "-3"},
      {0.3, 0, "0"},         {99.7, 0, "100"},
      {100.0, 0, "100"},     {50.0, 0, "50"},
      {9.999, 3, "9.999"},   {10.0, 1, "10.0"},
      {0.0, 3, "0.000"},     {123456.789, 1, "123456.8"},
      {1e-9, 1, "0.0"},      {0.449999, 0, "0"},
      {9.96, 1, "10.0"},     {9.95, 1, "9.9"},  // 9.95 is 9.9499999999999993 to 17 digits
      {999.96, 1, "1000.0"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(format_fixed(c.value, c.decimals), c.text) << c.value << " to " << c.decimals;
}

TEST(FormatFixed, AgreesWithPrintfAwayFromHalfwayCases) {
  // Where no halfway case arises, the C library's rounding is the same rule.
  const double values[] = {0.0, 0.1234, 3.14159, 42.0, 66.6666, 98.49, 1234.5678, 7.0e6};
  for (double v : values) {
    for (int decimals = 0; decimals <= 3; ++decimals) {
      char expected[64];
      std::snprintf(expected, sizeof expected, "%.*f", decimals, v);
      EXPECT_EQ(format_fixed(v, decimals), expected) << v << " to " << decimals;
    }
  }
}

TEST(Console, KnowsWhetherTheLastByteWasALineEnd) {
  out_text("partial");
  EXPECT_FALSE(out_at_line_start());
  out_line_end();
  EXPECT_TRUE(out_at_line_start());
  out_printf("%s", "x");
  EXPECT_FALSE(out_at_line_start());
  out_printf("%d\n", 7);
  EXPECT_TRUE(out_at_line_start());
  std::string long_text(2000, 'y');
  out_printf("%s", long_text.c_str());  // past the small formatting buffer
  EXPECT_FALSE(out_at_line_start());
  out_line_end();
}

}  // namespace
}  // namespace orvix
