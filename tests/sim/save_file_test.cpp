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

TEST(SaveFile, EveryFormatVersionLoadsTheSameResults) {
  const std::string current_text = test::read_file(ORVIX_SAVE_SAMPLES "save_v2.json");
  SavedResults first;
  SavedResults current;
  std::string reason;
  ASSERT_TRUE(parse_save(test::read_file(ORVIX_SAVE_SAMPLES "save_v1.json"), first, reason))
      << reason;
  ASSERT_TRUE(parse_save(current_text, current, reason)) << reason;

  EXPECT_EQ(std::memcmp(first.table.wins, current.table.wins, sizeof first.table.wins), 0);
  EXPECT_EQ(std::memcmp(first.table.losses, current.table.losses, sizeof first.table.losses), 0);
  ASSERT_EQ(current.runs.size(), 2u);
  ASSERT_EQ(first.runs.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    const RunRecord& a = first.runs[i];
    const RunRecord& b = current.runs[i];
    EXPECT_TRUE(a.game == b.game && a.seed == b.seed && a.part == b.part && a.parts == b.parts &&
                a.deals == b.deals && a.seconds == b.seconds)
        << "run " << i;
    // Copies per kind: As added twice, Qd removed once.
    EXPECT_EQ(b.game.card_delta[12][1], 2);
    EXPECT_EQ(b.game.card_delta[10][0], -1);
  }
  EXPECT_EQ(current.runs[1].deals, 4096u);

  // Saved again, the old file is written in today's layout.
  EXPECT_EQ(save_json_text(first.table, first.runs), current_text);
}

}  // namespace
}  // namespace orvix
