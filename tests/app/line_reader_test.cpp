// Reading command lines: any byte, with or without a last line end, a bound
// on the length of a line, and read failures that are told from the end.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/line_reader.h"

namespace orvix {
namespace {

struct Read {
  ReadStatus status;
  std::string line;
  bool operator==(const Read&) const = default;
};

// Every read_line result up to and including the first end or failure.
std::vector<Read> read_all_from(int fd, int* waits = nullptr) {
  static int* wait_counter = nullptr;
  wait_counter = waits;
  LineReader reader;
  reader.fd = fd;
  reader.before_wait = [] {
    if (wait_counter != nullptr) ++*wait_counter;
  };
  std::vector<Read> reads;
  std::string line = "stale";
  for (;;) {
    const ReadStatus status = read_line(reader, line);
    reads.push_back({status, line});
    if (status == ReadStatus::kEnd || status == ReadStatus::kFailed) break;
  }
  return reads;
}

std::vector<Read> read_all(const std::string& input) {
  std::FILE* file = std::tmpfile();
  EXPECT_NE(file, nullptr);
  if (file == nullptr) return {};
  std::fwrite(input.data(), 1, input.size(), file);
  std::fflush(file);
  ::lseek(::fileno(file), 0, SEEK_SET);
  std::vector<Read> reads = read_all_from(::fileno(file));
  std::fclose(file);
  return reads;
}

constexpr ReadStatus kLine = ReadStatus::kLine;
constexpr ReadStatus kTooLong = ReadStatus::kTooLong;
constexpr ReadStatus kEnd = ReadStatus::kEnd;

TEST(ReadLine, SplitsAtLineFeedsOnly) {
  using namespace std::string_literals;
  const std::vector<std::pair<std::string, std::vector<Read>>> cases = {
      {"", {{kEnd, ""}}},
      {"\n", {{kLine, ""}, {kEnd, ""}}},
      {"\n\n", {{kLine, ""}, {kLine, ""}, {kEnd, ""}}},
      {"go\n", {{kLine, "go"}, {kEnd, ""}}},
      {"decks 2\ngo\n", {{kLine, "decks 2"}, {kLine, "go"}, {kEnd, ""}}},
      {"decks 2\ngo", {{kLine, "decks 2"}, {kLine, "go"}, {kEnd, ""}}},  // no last line end
      {"a\r\nb\r\n", {{kLine, "a\r"}, {kLine, "b\r"}, {kEnd, ""}}},      // CR stays
      {"\r", {{kLine, "\r"}, {kEnd, ""}}},
      {"f\0o\n\0\n"s, {{kLine, "f\0o"s}, {kLine, "\0"s}, {kEnd, ""}}},
      {"\xff\xfe\x80\n", {{kLine, "\xff\xfe\x80"}, {kEnd, ""}}},
  };
  for (const auto& [input, expected] : cases) {
    SCOPED_TRACE(testing::PrintToString(input));
    EXPECT_EQ(read_all(input), expected);
  }
}

// Lines around the limit, across many buffer refills: a line of exactly
// kMaxLineBytes arrives whole (a CR counts as a byte), one byte more is
// dropped whole, and the lines around it are untouched.
TEST(ReadLine, LinesPastTheLimitAreDroppedWhole) {
  std::string longest(kMaxLineBytes, 'x');
  longest[12345] = '\0';
  const std::string with_cr = std::string(kMaxLineBytes - 1, 'y') + "\r";
  const std::string one_over(kMaxLineBytes + 1, 'z');
  const std::string huge(3 * kMaxLineBytes + 17, 'w');
  const std::vector<std::pair<std::string, std::vector<Read>>> cases = {
      {longest + "\nq\n", {{kLine, longest}, {kLine, "q"}, {kEnd, ""}}},
      {with_cr + "\nq", {{kLine, with_cr}, {kLine, "q"}, {kEnd, ""}}},
      {with_cr + "\r\nq", {{kTooLong, ""}, {kLine, "q"}, {kEnd, ""}}},
      {"a\n" + one_over + "\nb\n", {{kLine, "a"}, {kTooLong, ""}, {kLine, "b"}, {kEnd, ""}}},
      {huge + "\n" + huge + "\n", {{kTooLong, ""}, {kTooLong, ""}, {kEnd, ""}}},
      {"a\n" + huge, {{kLine, "a"}, {kTooLong, ""}, {kEnd, ""}}},  // over-long last line
      {longest, {{kLine, longest}, {kEnd, ""}}},
  };
  for (const auto& [input, expected] : cases) {
    SCOPED_TRACE(input.size());
    const std::vector<Read> reads = read_all(input);
    ASSERT_EQ(reads.size(), expected.size());
    for (std::size_t i = 0; i < reads.size(); ++i) {
      EXPECT_EQ(reads[i].status, expected[i].status) << "read " << i;
      EXPECT_TRUE(reads[i].line == expected[i].line)
          << "read " << i << " has " << reads[i].line.size() << " bytes";
    }
  }
}

TEST(ReadLine, ReadFailuresAreNotTheEndOfTheInput) {
  // A folder opens for reading but every read fails.
  const int folder = ::open("/", O_RDONLY);
  ASSERT_GE(folder, 0);
  const std::vector<Read> reads = read_all_from(folder);
  ::close(folder);
  ASSERT_EQ(reads.size(), 1u);
  EXPECT_EQ(reads[0].status, ReadStatus::kFailed);

  // A failure noted before the first read (a closed standard input).
  LineReader reader;
  reader.fd = -1;
  reader.error_number = EBADF;
  std::string line = "stale";
  EXPECT_EQ(read_line(reader, line), ReadStatus::kFailed);
  EXPECT_EQ(reader.error_number, EBADF);
  EXPECT_EQ(line, "");
}

// The hook runs before every read that may wait: once per line typed into a
// pipe line by line, so each answer is out before the next line is awaited.
TEST(ReadLine, EveryWaitForInputIsAnnounced) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  ASSERT_EQ(::write(fds[1], "a\nb\n", 4), 4);
  ::close(fds[1]);
  int waits = 0;
  const std::vector<Read> reads = read_all_from(fds[0], &waits);
  ::close(fds[0]);
  EXPECT_EQ(reads, (std::vector<Read>{{kLine, "a"}, {kLine, "b"}, {kEnd, ""}}));
  EXPECT_EQ(waits, 2);  // the block holding both lines, then the end
}

}  // namespace
}  // namespace orvix
