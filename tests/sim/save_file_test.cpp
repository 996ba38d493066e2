// Saved files of every format version: files of the older layouts and the
// same results in today's layout load alike, today's writer reproduces the
// current file byte for byte, and what only today's layout holds comes back.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "sim/save_file.h"
#include "support/files.h"

namespace orvix {
namespace {

TEST(SaveFile, EveryFormatVersionLoadsTheSameResults) {
  const std::string current_text = test::read_file(ORVIX_SAVE_SAMPLES "save_v4.json");
  SavedResults first;
  SavedResults second;
  SavedResults third;
  SavedResults current;
  std::string reason;
  ASSERT_TRUE(parse_save(test::read_file(ORVIX_SAVE_SAMPLES "save_v1.json"), first, reason))
      << reason;
  ASSERT_TRUE(parse_save(test::read_file(ORVIX_SAVE_SAMPLES "save_v2.json"), second, reason))
      << reason;
  ASSERT_TRUE(parse_save(test::read_file(ORVIX_SAVE_SAMPLES "save_v3.json"), third, reason))
      << reason;
  ASSERT_TRUE(parse_save(current_text, current, reason)) << reason;

  // Games of older layouts play the standard order, as today's file says.
  EXPECT_EQ(third.runs, current.runs);
  EXPECT_EQ(third.table.seats, current.table.seats);
  for (const SavedResults* older : {&first, &second}) {
    EXPECT_EQ(std::memcmp(older->table.wins, current.table.wins, sizeof current.table.wins), 0);
    EXPECT_EQ(std::memcmp(older->table.losses, current.table.losses, sizeof current.table.losses),
              0);
    EXPECT_EQ(older->runs, current.runs);
    EXPECT_EQ(older->table.seats.deals, 0u);  // older layouts hold no seat counts
  }
  ASSERT_EQ(current.runs.size(), 2u);
  for (const RunRecord& run : current.runs) {
    // Copies per kind: As added twice, Qd removed once.
    EXPECT_EQ(run.game.card_delta[12][1], 2);
    EXPECT_EQ(run.game.card_delta[10][0], -1);
  }
  EXPECT_EQ(current.runs[1].deals, 4096u);
  EXPECT_EQ(current.table.seats.deals, 300u);
  EXPECT_EQ(current.table.seats.game, current.runs[0].game);
  EXPECT_EQ(current.table.seats.seat[1].by_winners[0], 199u);

  // Saved again with those seat counts, the old file is written in today's layout.
  first.table.seats = current.table.seats;
  EXPECT_EQ(save_json_text(first.table, first.runs), current_text);
}

// A game with a board, a use rule and holds, and seat counts of that game,
// written and read back.
TEST(SaveFile, BoardUseHoldsAndSeatCountsComeBackAsSaved) {
  RunRecord run;
  GameRules& game = run.game;
  game.players = 4;
  game.hand_size = 4;
  game.jokers = 1;
  game.wild[0][1] = 1;  // 2s
  game.board = 5;
  game.use = 2;
  game.run_length = 9;
  const auto hold = [](HeldCards& cards, std::initializer_list<int> kinds) {
    for (const int kind : kinds) cards.kinds[cards.count++] = static_cast<std::uint8_t>(kind);
  };
  hold(game.holds[0], {12 * 4 + 1, 12 * 4 + 0});              // As Ad
  hold(game.holds[2], {kJokerKind, 0 * 4 + 3});               // * 2h
  hold(game.board_hold, {11 * 4 + 3, 5 * 4 + 2, 0 * 4 + 0});  // Kh 7c 2d
  run.seed = 7;
  run.deals = 9;
  RunRecords runs{run};

  ResultTable table;
  table.wins[4][3] = 9;  // every deal's winner: a Straight to the Five
  table.losses[0][12] = 27;
  // 9 deals: 6 won alone, 2 tied between seats 1 and 2, 1 tied by all four.
  const std::uint64_t rows[4][5] = {
      {2, 4, 2, 0, 1}, {5, 1, 2, 0, 1}, {7, 1, 0, 0, 1}, {8, 0, 0, 0, 1}};
  table.seats.game = game;
  table.seats.deals = 9;
  for (int s = 0; s < 4; ++s)
    for (int k = 0; k <= 4; ++k) table.seats.seat[s].by_winners[k] = rows[s][k];

  const std::string text = save_json_text(table, runs);
  SavedResults saved;
  std::string reason;
  ASSERT_TRUE(parse_save(text, saved, reason)) << reason;
  EXPECT_EQ(saved.runs, runs);
  EXPECT_EQ(saved.table.seats, table.seats);
  EXPECT_EQ(std::memcmp(saved.table.wins, table.wins, sizeof table.wins), 0);
  // The holds as a reader of the file sees them.
  EXPECT_NE(text.find("\"board\":5,\"use\":2,\"holds\":{\"1\":\"As Ad\",\"3\":\"* 2h\","
                      "\"board\":\"Kh 7c 2d\"}"),
            std::string::npos)
      << text;
}

// Rankings other than the standard one: short deck and the lowball orders by
// their names, an order by its codes (here with short deck's straights, which
// only ranking frequency under short deck makes), each read back as written.
TEST(SaveFile, RankingsComeBackAsSaved) {
  RunRecord shortdeck;
  shortdeck.game.ranking = shortdeck_ranking();
  shortdeck.game.run_length = 4;
  shortdeck.deals = 4;
  RunRecord custom = shortdeck;
  const int order[kCategoryCount] = {kFiveOfAKind, kStraightFlush, kFourOfAKind, kFullHouse,
                                     kFlush,       kStraight,      kTwoPair,     kThreeOfAKind,
                                     kOnePair,     kHighCard};
  ASSERT_TRUE(ranking_from_order(order, custom.game.ranking, true));
  RunRecord low = shortdeck, deuce = shortdeck;
  low.game.ranking = low_ranking();
  deuce.game.ranking = deuce_ranking();
  const RunRecords runs{shortdeck, custom, low, deuce};
  ResultTable table;
  table.losses[0][12] = 80;  // four runs of 4 deals, 5 players

  const std::string text = save_json_text(table, runs);
  SavedResults saved;
  std::string reason;
  ASSERT_TRUE(parse_save(text, saved, reason)) << reason;
  EXPECT_EQ(saved.runs, runs);
  for (const char* name : {"shortdeck", "low", "deuce"})
    EXPECT_NE(text.find(std::string("\"holds\":{},\"ranking\":\"") + name + "\"}"),
              std::string::npos)
        << text;
  EXPECT_NE(text.find("\"ranking\":{\"order\":\"5K SF 4K FH FL ST 2P 3K 1P HC\","
                      "\"ace_six_straights\":true}"),
            std::string::npos)
      << text;
}

}  // namespace
}  // namespace orvix
