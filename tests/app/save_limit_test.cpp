// The size limit of saved files, at full scale: what a long session can
// save, load reads back, and what load would refuse, save never writes.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "rules/pack.h"
#include "sim/save_file.h"
#include "support/session.h"
#include "support/temp_dir.h"

namespace orvix {
namespace {

// The heaviest record a run can leave: a 100,000-card pack with every kind
// wild and added, one deal of one card.
RunRecord heaviest_run(std::uint64_t seed) {
  RunRecord run;
  GameRules& game = run.game;
  game.decks = kMaxDecks;
  game.jokers = kMaxJokers;
  game.players = 1;
  game.hand_size = 1;
  game.run_length = 1;
  const int kinds = kRankCount * kSuitCount;
  const int added = kMaxPackCards - kMaxDecks * kinds - kMaxJokers;
  for (int r = 0; r < kRankCount; ++r)
    for (int s = 0; s < kSuitCount; ++s) {
      game.wild[r][s] = 1;
      game.card_delta[r][s] = added / kinds + (r * kSuitCount + s < added % kinds ? 1 : 0);
    }
  run.seed = seed;
  run.deals = 1;
  run.seconds = 0.001;
  return run;
}

TEST(SaveLimit, TwoHundredThousandRunsOfTheLargestPackLoadAndMoreAreNeverWritten) {
  constexpr std::uint64_t kRuns = 200000;
  test::Session session;
  for (std::uint64_t i = 0; i < kRuns; ++i) session.state.runs.push_back(heaviest_run(i));
  ASSERT_EQ(cards_available(session.state.runs[0].game), kMaxPackCards);
  session.state.table.wins[0][12] = kRuns;

  const std::string text = save_json_text(session.state.table, session.state.runs);
  EXPECT_LE(text.size(), kMaxSaveBytes);
  SavedResults saved;
  std::string reason;
  ASSERT_TRUE(parse_save(text, saved, reason)) << reason;
  EXPECT_EQ(saved.runs.size(), kRuns);
  EXPECT_EQ(saved.runs.back(), session.state.runs.back());

  // Half as many again pass the limit: save refuses before writing anything.
  const test::ScopedTempDir dir;
  for (std::uint64_t i = 0; i < kRuns / 2; ++i)
    session.state.runs.push_back(heaviest_run(kRuns + i));
  session.state.table.wins[0][12] = kRuns + kRuns / 2;
  const std::string name = dir.file("big.json");
  EXPECT_EQ(session.run({"save " + name}),
            "Error: cannot write " + name + " (larger than the load limit of 256 MiB).\n");
  EXPECT_FALSE(std::filesystem::exists(name));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace orvix
