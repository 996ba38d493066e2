// The seed and shard commands: the session's record of each run, how a seed
// is read, a seed that repeats its run through the real program, and a long
// seeded run that agrees with "exact".

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/command_loop.h"
#include "app/run_commands.h"
#include "sim/run_settings.h"
#include "support/files.h"
#include "support/session.h"
#include "support/start_program.h"
#include "support/temp_dir.h"

namespace orvix {
namespace {

using test::Session;

// Runs orvix /i on the commands to the end; returns standard output.
std::string run(const std::string& commands, std::string* err = nullptr) {
  const test::ScopedTempDir dir;
  test::write_file(dir.file("commands.cmd"), commands);
  const test::Finished finished =
      test::run_to_end(ORVIX_BINARY, {ORVIX_BINARY, "/i", dir.file("commands.cmd")});
  EXPECT_EQ(finished.status, 0);
  if (err != nullptr) *err = finished.error;
  return finished.output;
}

TEST(RunRecords, RunsAreRecordedWithTheirSeedsAndClearedWithTheTable) {
  Session session;
  session.run({"seed 42", "hands 40", "players 2", "go", "hands 30", "more", "shard 2 5",
               "hands 20000", "more"});
  const RunRecords& runs = session.state.runs;
  ASSERT_EQ(runs.size(), 3u);
  const std::uint64_t seeds[] = {42, seed_sequence_value(42, 1), seed_sequence_value(42, 2)};
  const std::uint64_t hands[] = {40, 30, 4096};  // part 2 of 5 plays the second block alone
  std::uint64_t counted = 0;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(runs[i].seed, seeds[i]);
    EXPECT_EQ(runs[i].deals, hands[i]);
    EXPECT_EQ(runs[i].game.players, 2);
    EXPECT_GE(runs[i].seconds, 0.0);
    counted += runs[i].deals * 2;
  }
  EXPECT_EQ(runs[2].part, 2u);
  EXPECT_EQ(runs[2].parts, 5u);
  EXPECT_EQ(runs[1].parts, 1u);
  EXPECT_EQ(counted_player_hands(session.state.table), counted);

  EXPECT_EQ(session.run({"seed"}), "Last run used seed " + std::to_string(seeds[2]) + ".\n");
  session.run({"go"});
  ASSERT_EQ(session.state.runs.size(), 1u);
  EXPECT_EQ(session.state.runs[0].seed, seed_sequence_value(42, 3));
  session.run({"clear"});
  EXPECT_TRUE(session.state.runs.empty());

  // reset: the game and the counters go; the seed sequence and the part are
  // the session's and go on, so a part script with a reset in it still
  // plays its own part of the seeded run.
  session.run({"more", "reset"});
  EXPECT_TRUE(session.state.runs.empty());
  EXPECT_TRUE(session.state.run_settings.fixed_seed);
  EXPECT_EQ(session.state.run_settings.part, 2u);
  EXPECT_EQ(session.state.run_settings.parts, 5u);
  EXPECT_EQ(session.run({"seed"}),
            "Last run used seed " + std::to_string(seed_sequence_value(42, 4)) + ".\n");
  session.run({"hands 20000", "go"});
  ASSERT_EQ(session.state.runs.size(), 1u);
  EXPECT_EQ(session.state.runs[0].seed, seed_sequence_value(42, 5));
  EXPECT_EQ(session.state.runs[0].part, 2u);

  // A refused seed or shard leaves the settings alone.
  session.run({"seed 5", "shard 3 4"});
  session.run({"seed 5x", "shard 5 4", "seed -1", "shard 1"});
  const RunSettings& settings = session.state.run_settings;
  EXPECT_TRUE(settings.fixed_seed);
  EXPECT_EQ(settings.seed_base, 5u);
  EXPECT_EQ(settings.seeded_runs, 0u);
  EXPECT_EQ(settings.part, 3u);
  EXPECT_EQ(settings.parts, 4u);
}

// The counts table of an output (from its header to its total line).
std::string counts_table(const std::string& output) {
  const std::size_t at = output.find("HAND                    DIST");
  return at == std::string::npos ? "" : output.substr(at);
}

TEST(RunSeeds, TheSeedOfARunRepeatsItExactly) {
  std::string err;
  const std::string first = run("players 3\nhands 30000\ngo\ncounts\nseed\n", &err);
  EXPECT_EQ(err, "");
  const std::string prefix = "Last run used seed ";
  const std::size_t at = first.rfind(prefix);
  ASSERT_NE(at, std::string::npos);
  const std::string seed =
      first.substr(at + prefix.size(), first.find('.', at) - at - prefix.size());
  const std::string table = counts_table(first.substr(0, at));
  ASSERT_FALSE(table.empty());
  EXPECT_EQ(counts_table(run("seed " + seed + "\nplayers 3\nhands 30000\ngo\ncounts\n")), table);
  // "seed S", go, more repeats as a whole; another seed deals another run.
  const std::string both = "players 3\nhands 9000\ngo\nmore\ncounts\n";
  EXPECT_EQ(counts_table(run("seed 5\n" + both)), counts_table(run("seed 5\n" + both)));
  EXPECT_NE(counts_table(run("seed 6\n" + both)), counts_table(run("seed 5\n" + both)));
}

// The first number after `name` at or after `from`; `from` moves past it.
std::uint64_t number_after(const std::string& text, const std::string& name, std::size_t& from) {
  const std::size_t at = text.find(name, from);
  if (at == std::string::npos) return ~std::uint64_t{0};
  from = at + name.size();
  return std::strtoull(text.c_str() + from, nullptr, 10);
}

TEST(RunSeeds, ALongRunOfOneHandAgreesWithTheExactTable) {
  // Five-card hands from one deck with every Two wild, one player: the run's
  // category counts against the exact ones, chi-square over the categories
  // the game can deal.
  const std::string output = run("players 1\nwild 2\nseed 31\nhands 3000000\ngo\ncounts\nexact\n");
  const char* names[] = {"High Card",      "One Pair",      "Two Pair",   "Three of a Kind",
                         "Straight",       "Flush",         "Full House", "Four of a Kind",
                         "Straight Flush", "Five of a Kind"};
  const std::size_t exact_at = output.find("Counting ");
  ASSERT_NE(exact_at, std::string::npos);
  std::size_t from = exact_at;
  const double total = static_cast<double>(number_after(output, "Counting", from));
  ASSERT_EQ(total, 2598960.0);
  std::size_t run_from = output.find("HAND                    DIST");
  ASSERT_NE(run_from, std::string::npos);
  double chi_square = 0;
  int categories = 0;
  for (const char* name : names) {
    const double seen =
        static_cast<double>(number_after(output, std::string(name) + " ", run_from));
    std::size_t exact_from = exact_at;
    const double exact =
        static_cast<double>(number_after(output, std::string(name) + " ", exact_from));
    if (exact == 0) {
      EXPECT_EQ(seen, 0) << name;
      continue;
    }
    const double expected = 3000000.0 * exact / total;
    chi_square += (seen - expected) * (seen - expected) / expected;
    ++categories;
  }
  EXPECT_EQ(categories, 10);  // deuces wild can deal every category
  // 9 degrees of freedom: mean 9, five standard deviations below 40.
  EXPECT_LT(chi_square, 40.0);
}

}  // namespace
}  // namespace orvix
