// Saved files of every format version: a file of the first layout and the
// same results in today's layout load alike, and today's writer reproduces
// the current file byte for byte.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "sim/save_file.h"
#include "support/files.h"

namespace orvix {
namespace {

SavedResults load(const char* name) {
  SavedResults saved;
  std::string reason;
  const std::string text = test::read_file(std::string(ORVIX_SAVE_SAMPLES) + name);
  EXPECT_FALSE(text.empty()) << name;
  EXPECT_TRUE(parse_save(text, saved, reason)) << name << ": " << reason;
  return saved;
}

TEST(SaveFile, EveryFormatVersionLoadsTheSameResults) {
  const SavedResults first = load("save_v1.json");
  const SavedResults current = load("save_v2.json");

  EXPECT_EQ(std::memcmp(first.table.wins, current.table.wins, sizeof first.table.wins), 0);
  EXPECT_EQ(std::memcmp(first.table.losses, current.table.losses, sizeof first.table.losses), 0);
  ASSERT_EQ(first.runs.size(), 2u);
  ASSERT_EQ(current.runs.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    const RunRecord& a = first.runs[i];
    const RunRecord& b = current.runs[i];
    EXPECT_TRUE(a.game == b.game);
    EXPECT_EQ(a.seed, b.seed);
    EXPECT_EQ(a.part, b.part);
    EXPECT_EQ(a.parts, b.parts);
    EXPECT_EQ(a.deals, b.deals);
    EXPECT_EQ(a.seconds, b.seconds);
    // Copies per kind: As added twice, Qd removed once.
    EXPECT_EQ(b.game.card_delta[12][1], 2);
    EXPECT_EQ(b.game.card_delta[10][0], -1);
  }
  EXPECT_EQ(current.runs[0].deals, 300u);
  EXPECT_EQ(current.runs[1].deals, 4096u);

  // Saved again, the old file is written in today's layout.
  EXPECT_EQ(save_json_text(first.table, first.runs), test::read_file(std::string(ORVIX_SAVE_SAMPLES) + "save_v2.json"));
}

}  // namespace
}  // namespace orvix
