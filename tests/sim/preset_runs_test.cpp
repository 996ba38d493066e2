// Every named game deals: a short seeded run of each, on the default pack and
// players, values every seat's hand of every deal once and finds a winner in
// every deal.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "rules/game_rules.h"
#include "rules/presets.h"
#include "sim/result_table.h"
#include "sim/run_simulation.h"

namespace orvix {
namespace {

TEST(PresetRuns, EveryPresetPlaysEveryHandOfEveryDeal) {
  constexpr std::int64_t kDeals = 3000;
  for (const Preset& preset : kPresets) {
    SCOPED_TRACE(std::string(preset.name));
    GameRules rules;
    ASSERT_TRUE(apply_preset(rules, preset));
    ASSERT_EQ(use_refusal(rules), "");
    ASSERT_TRUE(set_run_length(rules, kDeals));
    ResultTable table;
    const RunOutcome outcome = run_simulation(rules, RunRequest{.seed = 7}, table);
    compute_percentages(table);
    EXPECT_EQ(outcome.deals, kDeals);
    EXPECT_EQ(table.total_hands, static_cast<std::uint64_t>(kDeals * rules.players));
    EXPECT_EQ(table.total_wins + table.total_losses, table.total_hands);
    EXPECT_GE(table.total_wins, static_cast<std::uint64_t>(kDeals));
    EXPECT_LT(table.total_wins, table.total_hands);
  }
}

}  // namespace
}  // namespace orvix
