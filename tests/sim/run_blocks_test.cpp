// Seeded runs: blocks, workers, parts and stops. The counts of a run must
// depend on its seed, game, length and part alone.

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <vector>

#include "platform/stop_request.h"
#include "sim/run_simulation.h"
#include "sim/seeding.h"
#include "sim/trials.h"

namespace orvix {
namespace {

// Every counter of the table: the cells, then the seat counts.
std::vector<std::uint64_t> counters(const ResultTable& table) {
  std::vector<std::uint64_t> all;
  for (int c = 0; c < kCategoryCount; ++c)
    for (int r = 0; r < kRankCount; ++r) {
      all.push_back(table.wins[c][r]);
      all.push_back(table.losses[c][r]);
    }
  all.push_back(table.seats.deals);
  for (const SeatOutcomes& seat : table.seats.seat)
    all.insert(all.end(), std::begin(seat.by_winners), std::end(seat.by_winners));
  return all;
}

RunOutcome play(const GameRules& rules, std::uint64_t seed, std::uint32_t part, std::uint32_t parts,
                int workers, ResultTable& table) {
  RunOptions options;
  options.workers = workers;
  return run_simulation_with(rules, RunRequest{seed, part, parts}, table, options);
}

GameRules game(int players, int hand_size, std::int32_t run_length) {
  GameRules rules;
  rules.players = players;
  rules.hand_size = hand_size;
  rules.run_length = run_length;
  return rules;
}

// Hold'em with the Ace of spades in seat 1 and two board cards known.
GameRules holdem_with_holds(std::int32_t run_length) {
  GameRules rules = game(6, 2, run_length);
  rules.board = 5;
  rules.holds[0].count = 1;
  rules.holds[0].kinds[0] = 12 * kSuitCount + 1;
  rules.board_hold.count = 2;
  rules.board_hold.kinds[0] = 11 * kSuitCount + 3;
  rules.board_hold.kinds[1] = 5 * kSuitCount + 2;
  return rules;
}

// The run as its definition says, one block after another on one worker, a
// fresh worker per block: the judge of the threaded runs.
std::vector<std::uint64_t> block_by_block(const GameRules& rules, std::uint64_t seed,
                                          std::uint32_t part, std::uint32_t parts) {
  ResultTable table;
  clear_results(table);
  for (std::int64_t start = 0, block = 0; start < rules.run_length; start += kBlockDeals, ++block) {
    if (block % parts != part - 1) continue;
    SimWorker worker;
    configure_worker(worker, rules);
    play_block(worker, seed, static_cast<std::uint64_t>(block),
               std::min<std::int64_t>(kBlockDeals, rules.run_length - start));
    merge_worker_counts(worker, table);
  }
  return counters(table);
}

TEST(ResultCell, EqualsCategoryAndTopRankForEveryDealtValue) {
  // The branch-free cell against the definition, on every hand dealt in a
  // few thousand deals of games with flushes, wild cards and jokers.
  GameRules wild = game(8, 7, 1);
  wild.decks = 2;
  wild.jokers = 4;
  for (int s = 0; s < kSuitCount; ++s) wild.wild[0][s] = 1;
  for (const GameRules& rules : {game(10, 5, 1), wild, game(3, 13, 1)}) {
    SimWorker worker;
    configure_worker(worker, rules);
    seed_worker(worker, 3, 4);
    int flushes = 0;
    for (int deal = 0; deal < 3000; ++deal) {
      play_deals(worker, 1);
      for (int p = 0; p < worker.players; ++p) {
        const HandValue value =
            evaluate(worker.deck.data() + p * worker.hand_size, worker.hand_size);
        ASSERT_EQ(result_cell(value), hand_category(value) * kRankCount + top_rank(value)) << value;
        flushes += hand_category(value) == kFlush;
      }
    }
    EXPECT_GT(flushes, 0);
  }
}

TEST(RunBlocks, PartsHoldTheirShareOfTheBlocks) {
  EXPECT_EQ(part_deals(10000, 1, 1), 10000);
  EXPECT_EQ(part_deals(10000, 1, 3), 4096);
  EXPECT_EQ(part_deals(10000, 2, 3), 4096);
  EXPECT_EQ(part_deals(10000, 3, 3), 10000 - 2 * 4096);
  EXPECT_EQ(part_deals(10000, 4, 5), 0);  // three blocks only
  EXPECT_EQ(part_deals(8192, 2, 2), 4096);
  EXPECT_EQ(part_deals(1, 1, 1), 1);
  EXPECT_EQ(part_deals(0, 1, 1), 0);
  EXPECT_EQ(part_deals(-5, 1, 1), 0);
  EXPECT_EQ(part_deals(2147483647, 1, 1), 2147483647);
  EXPECT_EQ(part_deals(2147483647, 1, 4294967295u), 4096);
  EXPECT_EQ(part_deals(2147483647, 4294967295u, 4294967295u), 0);
  // The parts of any split add up to the run.
  for (std::int64_t length : {1, 4095, 4096, 4097, 50000, 2147483647})
    for (std::uint32_t parts : {1u, 2u, 3u, 7u, 1000u}) {
      std::int64_t sum = 0;
      for (std::uint32_t part = 1; part <= parts; ++part) sum += part_deals(length, part, parts);
      EXPECT_EQ(sum, length) << length << " in " << parts;
    }
}

TEST(RunBlocks, ASeededRunCountsTheSameOnAnyNumberOfWorkers) {
  for (const GameRules& rules :
       {game(5, 5, 50000), game(3, 7, 20001), game(4, 3, 9000), holdem_with_holds(20000)}) {
    const std::vector<std::uint64_t> expected = block_by_block(rules, 42, 1, 1);
    for (int workers : {1, 2, 3, 8}) {
      ResultTable table;
      clear_results(table);
      const RunOutcome outcome = play(rules, 42, 1, 1, workers, table);
      EXPECT_EQ(outcome.deals, rules.run_length);
      EXPECT_FALSE(outcome.stopped);
      EXPECT_EQ(counters(table), expected) << workers << " workers, hand size " << rules.hand_size;
    }
  }
}

TEST(RunBlocks, DifferentSeedsDealDifferentRuns) {
  const GameRules rules = game(5, 5, 20000);
  std::vector<std::vector<std::uint64_t>> runs;
  for (std::uint64_t seed : {0ULL, 1ULL, 2ULL, 1ULL << 63}) {
    ResultTable table;
    clear_results(table);
    play(rules, seed, 1, 1, 2, table);
    runs.push_back(counters(table));
  }
  for (std::size_t i = 0; i < runs.size(); ++i)
    for (std::size_t j = i + 1; j < runs.size(); ++j) EXPECT_NE(runs[i], runs[j]) << i << " " << j;
}

TEST(RunBlocks, PartsAddUpToTheWholeRunExactly) {
  // 8 blocks, the last of 1328 deals
  for (const GameRules& rules : {game(6, 5, 30000), holdem_with_holds(30000)}) {
    ResultTable whole;
    clear_results(whole);
    play(rules, 7, 1, 1, 2, whole);
    for (std::uint32_t parts : {2u, 3u, 8u, 11u}) {
      ResultTable sum;
      clear_results(sum);
      std::int64_t played = 0;
      for (std::uint32_t part = 1; part <= parts; ++part) {
        ResultTable piece;
        clear_results(piece);
        const RunOutcome outcome = play(rules, 7, part, parts, 3, piece);
        EXPECT_EQ(outcome.deals, part_deals(rules.run_length, part, parts));
        EXPECT_EQ(counters(piece), block_by_block(rules, 7, part, parts))
            << part << " of " << parts;
        played += outcome.deals;
        for (int c = 0; c < kCategoryCount; ++c)
          for (int r = 0; r < kRankCount; ++r) {
            sum.wins[c][r] += piece.wins[c][r];
            sum.losses[c][r] += piece.losses[c][r];
          }
        ASSERT_TRUE(add_seat_results(sum.seats, piece.seats));
      }
      EXPECT_EQ(played, rules.run_length);
      EXPECT_EQ(counters(sum), counters(whole)) << parts << " parts";
      EXPECT_EQ(sum.seats.deals, static_cast<std::uint64_t>(rules.run_length));
      EXPECT_TRUE(same_deal_rules(sum.seats.game, rules));
    }
  }
}

TEST(RunBlocks, AStopEndsTheRunBeforeTheNextBlockAndOnlyWhenWatched) {
  const GameRules rules = game(5, 5, 40000);
  ProgressLine progress;
  StopWindow window;
  request_stop();
  ResultTable table;
  clear_results(table);
  RunOptions options;
  options.workers = 3;
  options.watch_stop = true;
  options.progress = &progress;
  const RunOutcome stopped = run_simulation_with(rules, RunRequest{5, 1, 1}, table, options);
  EXPECT_TRUE(stopped.stopped);
  EXPECT_EQ(stopped.deals, 0);
  ResultTable empty;
  clear_results(empty);
  EXPECT_EQ(counters(table), counters(empty));
  EXPECT_EQ(progress.done.load(), 0u);

  // Not watched, the same request changes nothing; the progress line gets
  // every deal of the part.
  options.watch_stop = false;
  const RunOutcome whole = run_simulation_with(rules, RunRequest{5, 2, 3}, table, options);
  EXPECT_FALSE(whole.stopped);
  EXPECT_EQ(whole.deals, part_deals(40000, 2, 3));
  EXPECT_EQ(progress.done.load(), static_cast<std::uint64_t>(part_deals(40000, 2, 3)));

  // Still not watching the request, a caller's own flag ends the run.
  const std::atomic<bool> cancel{true};
  options.cancel = &cancel;
  const RunOutcome cancelled = run_simulation_with(rules, RunRequest{5, 1, 1}, table, options);
  EXPECT_TRUE(cancelled.stopped);
  EXPECT_EQ(cancelled.deals, 0);
}

}  // namespace
}  // namespace orvix
