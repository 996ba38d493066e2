// ranking frequency: the categories ordered by the first count's rarity, the
// order counted again, and the notes of the second count; refusals and the
// rules they leave alone.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include <orvix/evaluate.h>
#include "exact/exact_report.h"
#include "exact/seat_equity.h"
#include "platform/stop_request.h"
#include "rules/game_rules.h"
#include "rules/ranking_text.h"
#include "support/capture_stdout.h"

namespace orvix {
namespace {

GameRules one_hand_of_five() {
  GameRules rules;
  reset_defaults(rules);
  EXPECT_TRUE(set_players(rules, 1));
  EXPECT_TRUE(set_hand_size(rules, 5));
  return rules;
}

std::string frequency_output(GameRules& rules) {
  return test::capture_stdout([&] { run_ranking_frequency(rules, true, 2); });
}

// Deuces wild, five cards. exact's standard table (5K 672, SF 2552, FH
// 12672, FL 14472, 4K 31552, ST 62232, 2P 95040, 3K 355080, HC 799680,
// 1P 1225008) gives the order, rarest first. Counted again, the wild cards
// choose differently (checked by hand, of 2598960 hands):
//   1P  only natural pairs, 12 * 6 * C(11,3) * 64 = 760320 (a wild card
//       now keeps High Card, or makes something higher);
//   HC  799680 natural, and a wild card with four ranks no straight holds
//       (495 - 34 rank sets) and not four of a suit: 4 * 461 * 252, 1264368;
//   3K  only natural trips, 12 * 4 * 55 * 16 = 42240 (a pair and a wild
//       card make Two Pair);
//   2P  95040 natural, pair and wild card 12 * 6 * 4 * 55 * 16 = 253440,
//       two wild cards with three ranks no straight holds (220 - 55) in
//       mixed suits 6 * 165 * 60 = 59400: 407880;
//   4K  only natural quads, 12 * 44 = 528 (every wild Four of a Kind is now
//       a Full House: 12672 + 31552 - 528 = 43696);
//   ST, FL, SF, 5K as before.
// Out of order by the new order: HC over 1P, 2P over 3K, ST over 3K, FL over
// 4K, FH over 3K, 4K and FL, SF and 5K over 4K, in the notes' order (by the
// higher one's position, then the lower one's).
TEST(RankingFrequency, DeucesWildOrdersByRarityAndNotesWhatMovedAfter) {
  build_eval_tables();
  GameRules rules = one_hand_of_five();
  set_wild_rank(rules, 0);
  EXPECT_EQ(frequency_output(rules),
            "Ranking now custom: Five of a Kind, Straight Flush, Full House, Flush, Four of a "
            "Kind, Straight, Two Pair, Three of a Kind, High Card, One Pair.\n"
            "Note: High Card (48.648998%) is more common than One Pair (29.254779%), though it "
            "ranks higher.\n"
            "Note: Two Pair (15.693970%) is more common than Three of a Kind (1.625265%), though "
            "it ranks higher.\n"
            "Note: Straight (2.394496%) is more common than Three of a Kind (1.625265%), though "
            "it ranks higher.\n"
            "Note: Flush (0.556838%) is more common than Four of a Kind (0.020316%), though it "
            "ranks higher.\n"
            "Note: Full House (1.681288%) is more common than Three of a Kind (1.625265%), "
            "though it ranks higher.\n"
            "Note: Full House (1.681288%) is more common than Four of a Kind (0.020316%), though "
            "it ranks higher.\n"
            "Note: Full House (1.681288%) is more common than Flush (0.556838%), though it ranks "
            "higher.\n"
            "Note: Straight Flush (0.098193%) is more common than Four of a Kind (0.020316%), "
            "though it ranks higher.\n"
            "Note: Five of a Kind (0.025856%) is more common than Four of a Kind (0.020316%), "
            "though it ranks higher.\n");
  EXPECT_FALSE(rules.ranking.ace_six_straights);
}

// Short deck without wild cards: five natural cards keep their categories, so
// the second count equals the first and nothing is out of order. Five of a
// Kind never occurs and goes last; A-6-7-8-9 stays a straight.
TEST(RankingFrequency, ShortDeckKeepsItsCountsAndItsStraights) {
  build_eval_tables();
  GameRules rules = one_hand_of_five();
  for (int rank = 0; rank <= 3; ++rank) ASSERT_TRUE(remove_rank(rules, rank));
  rules.ranking = shortdeck_ranking();
  EXPECT_EQ(frequency_output(rules),
            "Ranking now custom: Straight Flush, Four of a Kind, Flush, Full House, Straight, "
            "Three of a Kind, Two Pair, High Card, One Pair, Five of a Kind.\n"
            "No category is more common than one it outranks.\n");
  EXPECT_TRUE(rules.ranking.ace_six_straights);
}

// Refused as exact refuses, the ranking left as it was: a closed hand with
// too many card combinations, and seat 1's hand with a board past the limit.
TEST(RankingFrequency, RefusesWhatExactRefusesAndChangesNothing) {
  build_eval_tables();
  GameRules closed = one_hand_of_five();
  ASSERT_TRUE(set_hand_size(closed, 13));
  closed.ranking = shortdeck_ranking();
  EXPECT_EQ(frequency_output(closed),
            "Error: exact would evaluate 635013559600 hands (limit 10000000000); use go to "
            "simulate.\n");
  EXPECT_EQ(closed.ranking, shortdeck_ranking());

  GameRules boarded = one_hand_of_five();
  ASSERT_TRUE(set_hand_size(boarded, 8));
  boarded.board = 5;
  EXPECT_EQ(frequency_output(boarded), seat_one_refusal(boarded));
  EXPECT_NE(seat_one_refusal(boarded), "");
  EXPECT_EQ(boarded.ranking, standard_ranking());
}

// Ctrl-C during the counts, typed at a terminal (a pseudo-terminal stands in
// for standard input, so the session goes on): "Stopped." as exact prints it,
// and the ranking as it was. Stop requests keep coming until the command
// returns; eight cards from one deck would take minutes unstopped.
TEST(RankingFrequencyDeathTest, CtrlCPrintsStoppedAndKeepsTheRanking) {
  build_eval_tables();
  EXPECT_EXIT(
      {
        const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (terminal < 0 || ::grantpt(terminal) != 0 || ::unlockpt(terminal) != 0) std::_Exit(2);
        const int follower = ::open(::ptsname(terminal), O_RDWR | O_NOCTTY);
        if (follower < 0 || ::dup2(follower, STDIN_FILENO) < 0) std::_Exit(2);
        GameRules rules = one_hand_of_five();
        ASSERT_TRUE(set_hand_size(rules, 8));
        rules.ranking = shortdeck_ranking();
        std::atomic<bool> done{false};
        std::thread interrupter([&done] {
          while (!done.load()) request_stop();
        });
        const std::string text = frequency_output(rules);
        done.store(true);
        interrupter.join();
        std::fprintf(stderr, "%s", text.c_str());
        std::_Exit(text == "Stopped.\n\n" && rules.ranking == shortdeck_ranking() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "^Stopped.\n\n$");
}

}  // namespace
}  // namespace orvix
