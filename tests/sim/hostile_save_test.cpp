// Save texts built to hurt the loader: each is refused, with its reason,
// before the loader builds anything from it.

#include <gtest/gtest.h>

#include <string>

#include "sim/save_file.h"

namespace orvix {
namespace {

TEST(HostileSaves, AreRefusedWithTheirReason) {
  const std::string valid = save_json_text(ResultTable{}, RunRecords{});
  SavedResults saved;
  std::string reason;
  ASSERT_TRUE(parse_save(valid, saved, reason)) << reason;

  std::string duplicate_nested = valid;
  duplicate_nested.replace(duplicate_nested.find("\"occurred\""), 0, "\"won\": 0, ");
  struct Case {
    std::string text;
    const char* reason;
  };
  const Case cases[] = {
      // Nested arrays and one more member: a recursive copy of the parsed
      // document used to overflow the stack.
      {"{\"x\":" + std::string(100000, '[') + std::string(100000, ']') + ",\"y\":1}",
       "nested deeper than 5 levels"},
      {"{\"a\":[[[[[1]]]]]}", "nested deeper than 5 levels"},
      // Brackets inside texts are no nesting; the file is refused for what it is.
      {"{\"format\": \"[[[[[[[[\"}", "not an orvix save file"},
      {valid + std::string(1, '\0') + "junk", "a NUL byte in the text"},
      {"{\"format\": \"orvix-save\", \"format\": \"orvix-save\"}", "member \"format\" given twice"},
      {duplicate_nested, "member \"won\" given twice"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 60));
    EXPECT_FALSE(parse_save(c.text, saved, reason));
    EXPECT_EQ(reason, c.reason);
  }
}

}  // namespace
}  // namespace orvix
