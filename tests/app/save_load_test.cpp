// Saved results: the loader against hostile files, file names as typed, and
// save/load through the real program.

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_loop.h"
#include "app/file_commands.h"
#include "app/run_commands.h"
#include "sim/run_settings.h"
#include "sim/save_file.h"
#include "support/files.h"
#include "support/records.h"
#include "support/session.h"
#include "support/start_program.h"
#include "support/temp_dir.h"

namespace orvix {
namespace {

using test::read_file;
using test::Session;
using test::write_file;
using Json = nlohmann::json;

// A test's own folder, as a prefix for names in it.
std::string folder_prefix(const test::ScopedTempDir& folder) { return folder.path() + "/"; }

std::vector<std::string> folder_entries(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* handle = ::opendir(dir.c_str())) {
    while (const dirent* entry = ::readdir(handle))
      if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
        names.emplace_back(entry->d_name);
    ::closedir(handle);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A save of two runs under different games (wilds, added and removed cards,
// a part), made by the real command handlers.
std::string real_save(const std::string& dir) {
  Session maker;
  maker.run({"seed 99", "hands 300", "players 3", "wild 2 Kh", "add As As", "rem Qd", "go",
             "shard 2 3", "jokers 2", "hands 9000", "more",
             "save " + dir + "real.json"});  // part 2: the second block
  return read_file(dir + "real.json");
}

// What a refused load must look like: one error line, nothing changed.
void expect_refused(Session& session, const std::string& path, const std::string& reason_part) {
  const ResultTable table_before = session.state.table;
  const std::size_t runs_before = session.state.runs.size();
  const std::string printed = session.run({"load " + path});
  const std::string prefix = "Error: " + path + " is not a valid orvix save (";
  EXPECT_EQ(printed.rfind(prefix, 0), 0u) << printed;
  EXPECT_EQ(printed.substr(printed.size() - 3), ").\n") << printed;
  EXPECT_NE(printed.find(reason_part), std::string::npos) << printed;
  EXPECT_TRUE(test::same_counters(session.state.table, table_before));
  EXPECT_EQ(session.state.runs.size(), runs_before);
}

// A session that already holds counts and records, so a refusal has
// something to leave alone.
void give_history(Session& session) { session.run({"hands 50", "players 2", "go"}); }

TEST(SavedResults, LoadingASaveAddsItsCountersAndRunsExactly) {
  const test::ScopedTempDir folder;
  const std::string dir = folder_prefix(folder);
  const std::string text = real_save(dir);
  // Under the game of the second run, whose seat results the file holds
  // (the first run's restarted when the game changed), they are loaded too.
  Session maker;
  maker.run(
      {"players 3", "wild 2 Kh", "add As As", "rem Qd", "jokers 2", "load " + dir + "real.json"});
  const LoopState original = maker.state;
  ASSERT_EQ(original.runs.size(), 2u);
  EXPECT_EQ(original.table.seats.deals, 4096u);
  EXPECT_EQ(original.runs[0].seed, 99u);
  EXPECT_EQ(original.runs[1].seed, seed_sequence_value(99, 1));
  EXPECT_EQ(original.runs[1].part, 2u);
  EXPECT_EQ(original.runs[1].parts, 3u);
  EXPECT_EQ(original.runs[0].deals, 300u);
  EXPECT_EQ(original.runs[1].game.jokers, 2);
  EXPECT_EQ(original.runs[0].game.card_delta[12][1], 2);   // As added twice
  EXPECT_EQ(original.runs[0].game.card_delta[10][0], -1);  // Qd removed
  EXPECT_EQ(original.runs[0].game.wild[11][3], 1);         // Kh wild
  EXPECT_EQ(original.runs[0].game.wild[0][2], 1);          // every Two wild

  // Saving what was loaded gives the same file back.
  maker.run({"save " + dir + "again.json"});
  EXPECT_EQ(read_file(dir + "again.json"), text);

  // A second load doubles every counter and repeats the runs.
  Session twice;
  give_history(twice);
  const LoopState before = twice.state;
  const std::string another_game =
      "Note: seat results of " + dir + "real.json not added (another game).\n";
  EXPECT_EQ(twice.run({"load " + dir + "real.json"}), another_game);
  // Loading the same runs again would count them twice: refused whole.
  EXPECT_EQ(twice.run({"load " + dir + "real.json"}),
            "Error: " + dir +
                "real.json holds a run already counted (seed 99, part 1 of 1); nothing loaded.\n");
  for (int c = 0; c < kCategoryCount; ++c)
    for (int r = 0; r < kRankCount; ++r) {
      EXPECT_EQ(twice.state.table.wins[c][r], before.table.wins[c][r] + original.table.wins[c][r]);
      EXPECT_EQ(twice.state.table.losses[c][r],
                before.table.losses[c][r] + original.table.losses[c][r]);
    }
  ASSERT_EQ(twice.state.runs.size(), 3u);
  EXPECT_EQ(twice.state.runs[1], original.runs[0]);
  EXPECT_EQ(twice.state.runs[2], original.runs[1]);

  Session fresh;
  const std::string confirmed = fresh.run({"load " + dir + "real.json"}, false);
  // "Hands" to the user are deals: 300 and 4096, not the 3 players' hands of each.
  EXPECT_EQ(confirmed, another_game + "Loaded " + std::to_string(300 + 4096) + " hands from " +
                           dir + "real.json.\n");
}

TEST(SavedResults, EveryTruncationOfARealSaveIsRefused) {
  const test::ScopedTempDir folder;
  const std::string dir = folder_prefix(folder);
  const std::string text = real_save(dir);
  ASSERT_GT(text.size(), 1000u);
  ASSERT_EQ(text.back(), '\n');
  Session session;
  give_history(session);
  const std::string path = dir + "cut.json";
  // Every cut but the last byte (the final line end) leaves broken JSON.
  // Each is handed to the loader itself, and every 61st goes through the
  // command with a file on disk as well.
  SavedResults untouched;
  untouched.program_version = "unchanged";
  for (std::size_t size = 0; size + 1 < text.size(); ++size) {
    SCOPED_TRACE(size);
    SavedResults saved = untouched;
    std::string reason;
    EXPECT_FALSE(parse_save(std::string_view(text).substr(0, size), saved, reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(saved.program_version, "unchanged");
    EXPECT_TRUE(saved.runs.empty());
    if (size % 61 == 0 || size + 2 == text.size()) {
      write_file(path, text.substr(0, size));
      expect_refused(session, path, "");
    }
    if (::testing::Test::HasFailure()) break;
  }
  write_file(path, text.substr(0, text.size() - 1));
  EXPECT_EQ(session.run({"load " + path}),
            "Note: seat results of " + path + " not added (another game).\n");
}

TEST(SavedResults, MutatedFieldsAreRefusedWithTheirReason) {
  const test::ScopedTempDir folder;
  const std::string dir = folder_prefix(folder);
  const Json real = Json::parse(real_save(dir));
  const std::string big = "18446744073709551616";
  struct Mutation {
    const char* label;
    std::function<void(Json&)> change;
    const char* reason;
  };
  const auto category = [](Json& j, int c) -> Json& {
    return j["counters"]["categories"][static_cast<std::size_t>(c)];
  };
  // Seat counts of the first run's game (3 players, 300 deals): 296 won
  // alone, 3 tied between two seats, 1 tied by all three.
  const auto give_seats = [](Json& j) -> Json& {
    j["seats"] = {{"game", j["runs"][0]["game"]},
                  {"deals", 300},
                  {"by_winners", {{197, 100, 2, 1}, {199, 98, 2, 1}, {199, 98, 2, 1}}}};
    return j["seats"];
  };
  {
    Json with_seats = real;
    give_seats(with_seats);
    SavedResults saved;
    std::string reason;
    ASSERT_TRUE(parse_save(with_seats.dump(), saved, reason)) << reason;
    EXPECT_EQ(saved.table.seats.seat[2].by_winners[1], 98u);
  }
  const std::vector<Mutation> mutations = {
      {"other format", [](Json& j) { j["format"] = "something-else"; }, "not an orvix save file"},
      {"no format", [](Json& j) { j.erase("format"); }, "not an orvix save file"},
      {"newer format", [](Json& j) { j["format_version"] = 5; }, "format version 5 is newer"},
      {"format zero", [](Json& j) { j["format_version"] = 0; }, "format version 0"},
      {"format as text", [](Json& j) { j["format_version"] = "1"; },
       "format_version is not a number"},
      {"no dealing version", [](Json& j) { j.erase("dealing_version"); },
       "missing file.dealing_version"},
      {"program version number", [](Json& j) { j["program_version"] = 145; },
       "program_version is not text"},
      {"negative count", [&](Json& j) { category(j, 1)["won_by_rank"][3] = -1; }, "is negative"},
      {"fractional count", [&](Json& j) { category(j, 1)["won_by_rank"][3] = 2.5; },
       "not a whole number"},
      {"count as text", [&](Json& j) { category(j, 0)["lost_by_rank"][0] = "7"; },
       "is not a number"},
      {"count as bool", [&](Json& j) { category(j, 0)["lost"] = true; }, "is not a number"},
      {"count null", [&](Json& j) { category(j, 0)["occurred"] = nullptr; }, "is not a number"},
      {"twelve ranks", [&](Json& j) { category(j, 2)["won_by_rank"].erase(0); },
       "does not hold 13 counts"},
      {"ranks as object", [&](Json& j) { category(j, 2)["won_by_rank"] = Json::object(); },
       "is not an array"},
      {"rank sum off",
       [&](Json& j) {
         category(j, 1)["won_by_rank"][5] =
             category(j, 1)["won_by_rank"][5].get<std::uint64_t>() + 1;
       },
       "does not add up"},
      {"won plus lost off",
       [&](Json& j) {
         category(j, 1)["occurred"] = category(j, 1)["occurred"].get<std::uint64_t>() + 1;
       },
       "won and lost do not add up"},
      {"total off",
       [](Json& j) {
         j["counters"]["total_hands"] = j["counters"]["total_hands"].get<std::uint64_t>() - 1;
       },
       "total_hands does not add up"},
      {"nine categories", [](Json& j) { j["counters"]["categories"].erase(9); },
       "does not hold 10 categories"},
      {"categories swapped", [&](Json& j) { std::swap(category(j, 3), category(j, 4)); },
       "is not Three of a Kind"},
      {"category not object", [&](Json& j) { category(j, 5) = 5; }, "is not an object"},
      {"runs missing", [](Json& j) { j.erase("runs"); }, "missing file.runs"},
      {"ranking missing", [](Json& j) { j["runs"][0]["game"].erase("ranking"); },
       "missing runs[0].game.ranking"},
      {"ranking unknown", [](Json& j) { j["runs"][1]["game"]["ranking"] = "Shortdeck"; },
       "runs[1].game.ranking is not standard, shortdeck, low, deuce or an order"},
      {"ranking order short",
       [](Json& j) {
         j["runs"][0]["game"]["ranking"] = {{"order", "5K SF 4K FL FH ST 3K 2P 1P"},
                                            {"ace_six_straights", false}};
       },
       "runs[0].game.ranking.order does not name each of the ten categories once"},
      {"ranking straights as text",
       [](Json& j) {
         j["runs"][0]["game"]["ranking"] = {{"order", "5K SF 4K FL FH ST 3K 2P 1P HC"},
                                            {"ace_six_straights", "no"}};
       },
       "runs[0].game.ranking.ace_six_straights is not true or false"},
      {"run deals off", [](Json& j) { j["runs"][0]["deals"] = 299; }, "runs do not add up"},
      {"more deals than the run", [](Json& j) { j["runs"][0]["deals"] = 301; },
       "runs[0] played more deals than its part"},
      {"more deals than the part", [](Json& j) { j["runs"][1]["deals"] = 4097; },
       "runs[1] played more deals than its part"},
      {"deals by their old name",
       [](Json& j) {
         j["runs"][0]["hands_played"] = j["runs"][0]["deals"];
         j["runs"][0].erase("deals");
       },
       "missing runs[0].deals"},
      {"run dropped", [](Json& j) { j["runs"].erase(1); }, "runs do not add up"},
      {"part zero", [](Json& j) { j["runs"][0]["part"] = 0; }, "has no part 0 of 1"},
      {"part above parts", [](Json& j) { j["runs"][1]["part"] = 4; }, "has no part 4 of 3"},
      {"parts above 32 bits", [](Json& j) { j["runs"][1]["parts"] = 4294967296u; }, "has no part"},
      {"seed negative", [](Json& j) { j["runs"][0]["seed"] = -5; }, "seed is negative"},
      {"seconds negative", [](Json& j) { j["runs"][0]["seconds"] = -1.0; },
       "seconds is not a time"},
      {"seconds text", [](Json& j) { j["runs"][0]["seconds"] = "1"; }, "seconds is not a time"},
      {"decks 51", [](Json& j) { j["runs"][0]["game"]["decks"] = 51; }, "decks is out of range"},
      {"players 0", [](Json& j) { j["runs"][0]["game"]["players"] = 0; },
       "players is out of range"},
      {"hand size 21", [](Json& j) { j["runs"][0]["game"]["hand_size"] = 21; },
       "hand_size is out of range"},
      {"jokers huge", [](Json& j) { j["runs"][0]["game"]["jokers"] = 1u << 31; },
       "jokers is out of range"},
      {"run length 0", [](Json& j) { j["runs"][0]["game"]["run_length"] = 0; },
       "run_length is out of range"},
      {"run length fraction", [](Json& j) { j["runs"][0]["game"]["run_length"] = 1.5; },
       "not a whole number"},
      {"unknown card", [](Json& j) { j["runs"][0]["game"]["added"]["Xs"] = 1; }, "unknown card"},
      {"card too long", [](Json& j) { j["runs"][0]["game"]["wild"][0] = "2dd"; }, "unknown card"},
      {"lower-case rank", [](Json& j) { j["runs"][0]["game"]["added"]["as"] = 1; }, "unknown card"},
      {"wild card as number", [](Json& j) { j["runs"][0]["game"]["wild"][0] = 5; },
       "non-text card"},
      {"copies as text", [](Json& j) { j["runs"][0]["game"]["removed"]["Qd"] = "1"; },
       "removed.Qd is not a whole number"},
      {"no copies", [](Json& j) { j["runs"][0]["game"]["added"]["As"] = 0; },
       "added.As is out of range"},
      {"copies as a list",
       [](Json& j) {
         j["runs"][0]["game"]["added"] = Json::array({"As", "As"});
       },
       "added is not an object"},
      {"wild twice", [](Json& j) { j["runs"][0]["game"]["wild"].push_back("Kh"); },
       "too many copies"},
      {"removed beyond decks", [](Json& j) { j["runs"][0]["game"]["removed"]["Qd"] = 2; },
       "too many copies"},
      {"added and removed", [](Json& j) { j["runs"][0]["game"]["removed"]["As"] = 1; },
       "too many copies"},
      {"pack too large", [](Json& j) { j["runs"][0]["game"]["added"]["Kd"] = 99948; },
       "more cards than a pack may hold"},
      {"pack too small", [](Json& j) { j["runs"][0]["game"]["hand_size"] = 20; }, "cannot deal"},
      {"game missing", [](Json& j) { j["runs"][0].erase("game"); }, "missing runs[0].game"},
      {"board 20", [](Json& j) { j["runs"][0]["game"]["board"] = 20; }, "board is out of range"},
      {"hand and board of 21", [](Json& j) { j["runs"][0]["game"]["board"] = 16; },
       "a hand and a board of more than 20 cards"},
      {"board missing", [](Json& j) { j["runs"][0]["game"].erase("board"); },
       "missing runs[0].game.board"},
      {"use 6", [](Json& j) { j["runs"][0]["game"]["use"] = 6; }, "use is out of range"},
      {"use as word", [](Json& j) { j["runs"][0]["game"]["use"] = "two"; },
       "use is not any or 1 to 5"},
      {"use the board cannot serve",
       [](Json& j) {
         j["runs"][0]["game"]["board"] = 2;
         j["runs"][0]["game"]["use"] = 2;
       },
       "cannot value its hands under its use rule"},
      {"hold past the players", [](Json& j) { j["runs"][0]["game"]["holds"]["4"] = "As"; },
       "names no seat of the game: \"4\""},
      {"hold of seat 01", [](Json& j) { j["runs"][0]["game"]["holds"]["01"] = "As"; },
       "names no seat"},
      {"hold above the hand",
       [](Json& j) { j["runs"][0]["game"]["holds"]["3"] = "As Ad Ac Ah Kd Ks"; },
       "holds.3 holds more cards than the game deals it"},
      {"board hold without a board", [](Json& j) { j["runs"][0]["game"]["holds"]["board"] = "Kh"; },
       "holds.board holds more cards than the game deals it"},
      {"held card removed", [](Json& j) { j["runs"][0]["game"]["holds"]["2"] = "Qd"; },
       "holds cards the pack does not hold that often"},
      {"board beyond the pack",
       [](Json& j) {
         j["runs"][0]["game"]["removed"] = {{"Qd", 1}, {"Kd", 1}, {"Ad", 1}};
         j["runs"][0]["game"]["hand_size"] = 16;
         j["runs"][0]["game"]["board"] = 4;
       },
       "cannot deal every player a hand"},
      {"hold of two blanks", [](Json& j) { j["runs"][0]["game"]["holds"]["1"] = "As  Ad"; },
       "holds.1 holds an unknown card"},
      {"hold as a number", [](Json& j) { j["runs"][0]["game"]["holds"]["1"] = 5; },
       "holds.1 is not text"},
      {"seats in format 2",
       [&](Json& j) {
         give_seats(j);
         j["format_version"] = 2;
       },
       "seats in a file of format 2"},
      {"seats of no deals",
       [&](Json& j) {
         Json& seats = give_seats(j);
         seats["deals"] = 0;
         seats["by_winners"] = {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}};
       },
       "seats count no deals"},
      {"seat row off", [&](Json& j) { give_seats(j)["by_winners"][1][0] = 200; },
       "seats.by_winners[1] does not add up to the deals"},
      {"seat past the players",
       [&](Json& j) {
         give_seats(j)["by_winners"].push_back(Json::array({300, 0, 0, 0}));
       },
       "one row per player"},
      {"seat row too long", [&](Json& j) { give_seats(j)["by_winners"][0].push_back(0); },
       "does not hold a count for 0 to 3 winners"},
      {"tie of one seat",
       [&](Json& j) {
         give_seats(j)["by_winners"][0] = {198, 100, 1, 1};
       },
       "tied among 2 do not come in 2s"},
      {"deal without a winner",
       [&](Json& j) {
         give_seats(j)["by_winners"][0] = {198, 99, 2, 1};
       },
       "do not give every deal its winners"},
      {"seats of a game never run", [&](Json& j) { give_seats(j)["game"]["decks"] = 2; },
       "seats count more deals than the runs of their game"},
      {"more seat deals than the runs",
       [&](Json& j) {
         Json& seats = give_seats(j);
         seats["deals"] = 600;
         for (Json& row : seats["by_winners"])
           for (Json& count : row) count = count.get<int>() * 2;
       },
       "seats count more deals than the runs of their game"},
  };
  Session session;
  give_history(session);
  const std::string path = dir + "bad.json";
  for (const Mutation& m : mutations) {
    SCOPED_TRACE(m.label);
    Json changed = real;
    m.change(changed);
    write_file(path, changed.dump(1));
    expect_refused(session, path, m.reason);
  }
  // The first layout still loads: one entry per added or removed copy, and
  // the deals named "hands_played".
  Json first = real;
  first["format_version"] = 1;
  first.erase("seats");
  for (Json& run : first["runs"]) {
    run["hands_played"] = run["deals"];
    run.erase("deals");
    for (const char* key : {"added", "removed"}) {
      Json copies = Json::array();
      for (const auto& [card, count] : run["game"][key].items())
        copies.insert(copies.end(), count.get<int>(), card);
      run["game"][key] = copies;
    }
  }
  const std::vector<Mutation> first_mutations = {
      {"first: card as number", [](Json& j) { j["runs"][0]["game"]["removed"][0] = 5; },
       "non-text card"},
      {"first: unknown card", [](Json& j) { j["runs"][0]["game"]["added"][0] = "Xs"; },
       "unknown card"},
      {"first: removed beyond decks",
       [](Json& j) { j["runs"][0]["game"]["removed"].push_back("Qd"); }, "too many copies"},
      {"first: added and removed", [](Json& j) { j["runs"][0]["game"]["removed"].push_back("As"); },
       "too many copies"},
      {"first: deals by the new name",
       [](Json& j) {
         j["runs"][1]["deals"] = j["runs"][1]["hands_played"];
         j["runs"][1].erase("hands_played");
       },
       "missing runs[1].hands_played"},
  };
  for (const Mutation& m : first_mutations) {
    SCOPED_TRACE(m.label);
    Json changed = first;
    m.change(changed);
    write_file(path, changed.dump(1));
    expect_refused(session, path, m.reason);
  }
  write_file(path, first.dump(1));
  EXPECT_EQ(session.run({"load " + path}), "");
  ASSERT_EQ(session.state.runs.size(), 3u);
  EXPECT_EQ(session.state.runs[1].game.card_delta[12][1], 2);  // As added twice
  EXPECT_EQ(session.state.runs[2].deals, 4096u);
  // Numbers no 64-bit counter holds, written as text so JSON keeps them.
  std::string text = real.dump(1);
  const std::string total_key = "\"total_hands\": ";
  const std::size_t at = text.find(total_key) + total_key.size();
  text.replace(at, text.find_first_not_of("0123456789", at) - at, big);
  write_file(path, text);
  expect_refused(session, path, "not a whole number below 2^64");

  const std::vector<std::string> strangers = {"",
                                              "{}",
                                              "[]",
                                              "\"orvix-save\"",
                                              "17",
                                              "{\"a\": 1}",
                                              "{\"format\": \"orvix-save\"}",
                                              "\x89PNG\r\n\x1a\n",
                                              std::string(100000, '['),
                                              "{\"format\": \"orvix-save\"} {}"};
  for (const std::string& stranger : strangers) {
    SCOPED_TRACE(stranger.substr(0, 40));
    write_file(path, stranger);
    expect_refused(session, path, "");
  }
}

// A valid save whose single High Card Ace counter (and so the total) is n.
std::string save_with_count(std::uint64_t n) {
  Json categories = Json::array();
  for (int c = 0; c < kCategoryCount; ++c) {
    Json won = Json::array();
    for (int r = 0; r < kRankCount; ++r) won.push_back(c == 0 && r == 12 ? n : 0);
    const std::uint64_t sum = c == 0 ? n : 0;
    categories.push_back({{"category", kCategoryNames[c]},
                          {"occurred", sum},
                          {"won", sum},
                          {"lost", 0},
                          {"won_by_rank", won},
                          {"lost_by_rank", Json(std::vector<int>(13, 0))}});
  }
  const Json game = {{"decks", 1},
                     {"players", 1},
                     {"hand_size", 1},
                     {"jokers", 0},
                     {"run_length", 1},
                     {"wild", Json::array()},
                     {"added", Json::array()},
                     {"removed", Json::array()}};
  const Json run = {{"game", game}, {"seed", 1},         {"part", 1},
                    {"parts", 1},   {"hands_played", n}, {"seconds", 0.5}};
  return Json{{"format", "orvix-save"},
              {"format_version", 1},
              {"program_version", "1.4.5"},
              {"dealing_version", 1},
              {"counters", {{"total_hands", n}, {"categories", categories}}},
              {"runs", Json::array({run})}}
      .dump();
}

TEST(SavedResults, SumsBeyondSixtyFourBitsAreRefused) {
  const test::ScopedTempDir folder;
  const std::string dir = folder_prefix(folder);
  const std::uint64_t max = ~std::uint64_t{0};
  write_file(dir + "one.json", save_with_count(1));

  // A run plays at most its run length, so no one file reaches the top: the
  // table does, from many runs, and a load that would pass it is refused.
  Session session;
  session.state.table.wins[0][12] = max;
  expect_refused(session, dir + "one.json", "overflow");

  // The total alone would overflow: one more hand in another counter.
  Session other;
  other.state.table.wins[0][0] = max;
  expect_refused(other, dir + "one.json", "overflow");

  // Inside one file: two categories of 2^63 pass 2^64 together.
  Json halves = Json::parse(save_with_count(std::uint64_t{1} << 63));
  halves["counters"]["categories"][1] = halves["counters"]["categories"][0];
  halves["counters"]["categories"][1]["category"] = "One Pair";
  write_file(dir + "halves.json", halves.dump());
  expect_refused(other, dir + "halves.json", "beyond 2^64 - 1");
}

TEST(SavedResults, OnlyRegularFilesOfASaneSizeAreRead) {
  const test::ScopedTempDir folder;
  const std::string dir = folder_prefix(folder);
  ASSERT_EQ(::mkfifo((dir + "pipe").c_str(), 0644), 0);
  ::mkdir((dir + "folder").c_str(), 0755);
  {
    std::ofstream big(dir + "big.json", std::ios::binary);
    big << "{\"format\": \"orvix-save\", \"pad\": \"";
  }
  std::filesystem::resize_file(dir + "big.json", kMaxSaveBytes + 1);  // sparse: no disk used
  Session session;
  give_history(session);
  expect_refused(session, dir + "pipe", "(not a regular file)");  // and no wait for a writer
  // A folder cannot be read at all: that is no verdict on a save.
  const std::string printed = session.run({"load " + dir + "folder"});
  EXPECT_EQ(printed, "Error: cannot read " + dir + "folder (Is a directory).\n");
  expect_refused(session, dir + "big.json", "(file too large)");
  ::unlink((dir + "big.json").c_str());
}

TEST(RunCommands, FileNamesAreTheRestOfTheLineAsTyped) {
  EXPECT_EQ(file_name_argument("save a.json"), "a.json");
  EXPECT_EQ(file_name_argument("  SaVe \t My File.JSON \t\r"), "My File.JSON");
  EXPECT_EQ(file_name_argument("load\tdir/x y z"), "dir/x y z");
  EXPECT_EQ(file_name_argument("save"), "");
  EXPECT_EQ(file_name_argument("save  \t\r"), "");
  EXPECT_EQ(file_name_argument("save \vname"), "\vname");
}

// --- the real program ---------------------------------------------------

using test::Finished;

// Runs orvix in `dir` with these arguments and standard input from `input`.
Finished run_orvix(const std::string& dir, const std::vector<std::string>& arguments,
                   const std::string& input) {
  const test::ScopedTempDir input_dir;  // not in `dir`: the tests list it
  write_file(input_dir.file("stdin.txt"), input);
  std::vector<std::string> argv = {"orvix"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  Finished finished = test::run_to_end(ORVIX_BINARY, argv, input_dir.file("stdin.txt"), dir);
  EXPECT_EQ(finished.error, "");
  return finished;
}

// The pieces of text between lines of the unsupported command MARK.
std::vector<std::string> split_at_marks(const std::string& output) {
  const std::string mark = "Error: \"MARK\" is not a supported command.  Type help for a list.\n";
  std::vector<std::string> pieces;
  std::size_t from = 0;
  for (std::size_t at; (at = output.find(mark, from)) != std::string::npos; from = at + mark.size())
    pieces.push_back(output.substr(from, at - from));
  pieces.push_back(output.substr(from));
  return pieces;
}

TEST(SaveLoadProgram, ARoundTripReproducesCountsByteForByte) {
  const test::ScopedTempDir folder;
  const std::string dir = folder_prefix(folder);
  const Finished finished =
      run_orvix(dir, {"/q"},
                "hands 20000\nplayers 7\nwild 9\ngo\nmark\ncounts\nmark\nsave Round.JSON\n"
                "clear\nload Round.JSON\nmark\ncounts\nmark\nsave copy.json\n"
                "reset\nload Round.JSON\nload copy.json\nmark\ncounts\n");
  EXPECT_EQ(finished.status, 0);
  const std::vector<std::string> pieces = split_at_marks(finished.output);
  ASSERT_EQ(pieces.size(), 6u);
  ASSERT_NE(pieces[1].find("                      140000\n"), std::string::npos) << pieces[1];
  EXPECT_EQ(pieces[2], "");  // save, clear and load print nothing in quiet mode
  EXPECT_EQ(pieces[3], pieces[1]);
  EXPECT_EQ(read_file(dir + "copy.json"), read_file(dir + "Round.JSON"));
  EXPECT_EQ(folder_entries(dir), (std::vector<std::string>{"Round.JSON", "copy.json"}));

  // Two loads give twice every count: the same as the in-process loader.
  Session session;
  session.run({"load " + dir + "Round.JSON", "load " + dir + "copy.json"});
  EXPECT_EQ(pieces[5], session.run({"counts"}));
}

// Independent of the product's formula: the Wilson ends are the roots p of
// (p - phat)^2 = z^2 p (1 - p) / n, solved as a quadratic.
std::pair<double, double> wilson_by_roots(double hits, double n) {
  const double z = 1.959963984540054;
  const double phat = hits / n;
  const double a = n + z * z;
  const double b = -(2 * n * phat + z * z);
  const double c = n * phat * phat;
  const double root = std::sqrt(b * b - 4 * a * c);
  return {(-b - root) / (2 * a), (-b + root) / (2 * a)};
}

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, separator)) parts.push_back(part);
  return parts;
}

TEST(SaveLoadProgram, CsvRowsMatchTheCountersAndWilsonIntervals) {
  const test::ScopedTempDir folder;
  const std::string dir = folder_prefix(folder);
  const Finished finished = run_orvix(
      dir, {"/q"}, "hands 30000\nplayers 4\nhandsize 7\nwild 2\ngo\nsave t.json\nsave T.cSv\n");
  EXPECT_EQ(finished.status, 0);
  const Json saved = Json::parse(read_file(dir + "t.json"));
  const std::vector<std::string> lines = split(read_file(dir + "T.cSv"), '\n');
  ASSERT_EQ(lines.size(), 1u + 10 * 14);
  EXPECT_EQ(lines[0],
            "category,rank,occurred,won,lost,share_percent,win_percent,share_low,share_high,win_"
            "low,win_high");
  const double total = static_cast<double>(saved["counters"]["total_hands"].get<std::uint64_t>());
  ASSERT_EQ(total, 30000.0 * 4);
  const char* const ranks[] = {"All",   "Ace",   "King", "Queen", "Jack", "Ten",   "Nine",
                               "Eight", "Seven", "Six",  "Five",  "Four", "Three", "Two"};
  std::size_t row = 1;
  for (int c = 0; c < kCategoryCount; ++c) {
    const Json& category = saved["counters"]["categories"][static_cast<std::size_t>(c)];
    for (int k = 0; k < 14; ++k, ++row) {
      SCOPED_TRACE(lines[row]);
      const std::vector<std::string> cells = split(lines[row], ',');
      ASSERT_EQ(cells.size(), 11u);
      EXPECT_EQ(cells[0], kCategoryNames[c]);
      EXPECT_EQ(cells[1], ranks[k]);
      const std::size_t r = static_cast<std::size_t>(13 - k);
      const std::uint64_t won = k == 0 ? category["won"].get<std::uint64_t>()
                                       : category["won_by_rank"][r].get<std::uint64_t>();
      const std::uint64_t lost = k == 0 ? category["lost"].get<std::uint64_t>()
                                        : category["lost_by_rank"][r].get<std::uint64_t>();
      EXPECT_EQ(cells[2], std::to_string(won + lost));
      EXPECT_EQ(cells[3], std::to_string(won));
      EXPECT_EQ(cells[4], std::to_string(lost));
      for (std::size_t cell = 5; cell < 11; ++cell) {
        ASSERT_EQ(cells[cell].size() - cells[cell].find('.'), 7u) << "six decimals";
      }
      const double occurred = static_cast<double>(won + lost);
      const auto share = wilson_by_roots(occurred, total);
      const double expected[6] = {
          100 * occurred / total,
          occurred > 0 ? 100 * static_cast<double>(won) / occurred : 0.0,
          100 * share.first,
          100 * share.second,
          occurred > 0 ? 100 * wilson_by_roots(static_cast<double>(won), occurred).first : 0.0,
          occurred > 0 ? 100 * wilson_by_roots(static_cast<double>(won), occurred).second : 100.0,
      };
      for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(std::stod(cells[static_cast<std::size_t>(5 + i)]), expected[i], 0.6e-6);
    }
  }
}

TEST(SaveLoadProgram, WritesAreAtomicAndNeverReplaceTheSessionsOwnFiles) {
  const test::ScopedTempDir folder;
  const std::string dir = folder_prefix(folder);
  ::mkdir((dir + "sub").c_str(), 0755);
  write_file(dir + "old.json", "old contents");
  write_file(dir + "cmds.txt",
             "save cmds.txt\nsave ./cmds.txt\nsave old.json\nsave sub\nsave missing/x.json\n");
  const std::string commands = read_file(dir + "cmds.txt");
  const Finished finished = run_orvix(dir, {"/i", "cmds.txt", "/o", "out.txt"}, "");
  EXPECT_EQ(finished.status, 0);
  EXPECT_EQ(finished.output, "");
  EXPECT_EQ(read_file(dir + "out.txt"),
            "Error: cannot write cmds.txt (it is the command input file).\n"
            "Error: cannot write ./cmds.txt (it is the command input file).\n"
            "Error: cannot write sub (Is a directory).\n"
            "Error: cannot write missing/x.json (No such file or directory).\n");
  EXPECT_EQ(read_file(dir + "cmds.txt"), commands);
  EXPECT_EQ(read_file(dir + "old.json").rfind("{\n  \"format\": \"orvix-save\",", 0), 0u);
  // No temporary file is left behind, by the successes or the failures.
  EXPECT_EQ(folder_entries(dir),
            (std::vector<std::string>{"cmds.txt", "old.json", "out.txt", "sub"}));
  EXPECT_TRUE(folder_entries(dir + "sub").empty());
}

}  // namespace
}  // namespace orvix
