#include "sim/run_record.h"

namespace orvix {

RunRecord make_run_record(const GameRules& game, std::uint64_t seed, std::uint32_t part,
                          std::uint32_t parts, std::uint64_t player_hands_counted, double seconds) {
  RunRecord record;
  record.game = game;
  record.game.error_text = {};
  record.seed = seed;
  record.part = part;
  record.parts = parts;
  record.deals =
      game.players > 0 ? player_hands_counted / static_cast<std::uint64_t>(game.players) : 0;
  record.seconds = seconds;
  return record;
}

std::uint64_t counted_player_hands(const ResultTable& table) {
  std::uint64_t total = 0;
  for (int c = 0; c < kCategoryCount; ++c)
    for (int r = 0; r < kRankCount; ++r) total += table.wins[c][r] + table.losses[c][r];
  return total;
}

}  // namespace orvix
