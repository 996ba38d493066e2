// Reading command lines: any length, any byte, with or without a last line end.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/line_reader.h"

namespace orvix {
namespace {

std::vector<std::string> read_all(const std::string& input) {
  std::FILE* file = std::tmpfile();
  EXPECT_NE(file, nullptr);
  if (file == nullptr) return {};
  std::fwrite(input.data(), 1, input.size(), file);
  std::rewind(file);
  std::vector<std::string> lines;
  std::string line = "stale";
  while (read_line(file, line)) lines.push_back(line);
  EXPECT_TRUE(line.empty());  // a failed read leaves nothing behind to act on
  std::fclose(file);
  return lines;
}

TEST(ReadLine, SplitsAtLineFeedsOnly) {
  using namespace std::string_literals;
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {"", {}},
      {"\n", {""}},
      {"\n\n", {"", ""}},
      {"go\n", {"go"}},
      {"decks 2\ngo\n", {"decks 2", "go"}},
      {"decks 2\ngo", {"decks 2", "go"}},  // the last line counts without its line end
      {"a\r\nb\r\n", {"a\r", "b\r"}},      // CR stays; the word stream takes it for white space
      {"\r", {"\r"}},
      {"f\0o\n\0\n"s, {"f\0o"s, "\0"s}},
      {"\xff\xfe\x80\n", {"\xff\xfe\x80"}},
  };
  for (const auto& [input, expected] : cases) {
    SCOPED_TRACE(testing::PrintToString(input));
    EXPECT_EQ(read_all(input), expected);
  }
}

TEST(ReadLine, MegabyteLineArrivesWhole) {
  std::string huge(3 * 1024 * 1024 + 17, 'x');
  huge[12345] = '\0';
  const std::vector<std::string> lines = read_all(huge + "\nq");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], huge);
  EXPECT_EQ(lines[1], "q");
}

}  // namespace
}  // namespace orvix
