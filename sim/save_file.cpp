#include "sim/save_file.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "orvix_version.h"
#include "rules/game_rules.h"
#include "rules/ranking_rules.h"
#include "sim/run_settings.h"
#include "sim/run_simulation.h"

namespace orvix {

namespace {

// Keeps members in the order written, so the file reads top-down.
using Json = nlohmann::ordered_json;

constexpr const char* kFormatName = "orvix-save";
constexpr std::uint64_t kMax64 = std::numeric_limits<std::uint64_t>::max();

// The two characters of a card kind: kind_text(12, 1) == "As".
std::string kind_text(int rank, int suit) { return {kRankChars[rank], kSuitChars[suit]}; }

// The holds by seat number, then the board's: {"1": "As Ad", "board": "Kh 7c 2d"}.
Json holds_json(const GameRules& game) {
  Json holds = Json::object();
  for (int s = 0; s < game.players; ++s)
    if (game.holds[s].count > 0) holds[std::to_string(s + 1)] = held_cards_text(game.holds[s]);
  if (game.board_hold.count > 0) holds["board"] = held_cards_text(game.board_hold);
  return holds;
}

// A ranking by its name ("standard", "shortdeck", "low", "deuce"), any other
// as its order and straights:
// {"order": "5K SF 4K FL FH ...", "ace_six_straights": false}
// (the codes in one text keep a run's line within the nesting a save allows).
Json ranking_json(const Ranking& ranking) {
  const std::string name = ranking_name(ranking);
  if (name != "custom") return name;
  std::string order;
  for (const std::uint8_t category : ranking.order) {
    if (!order.empty()) order += ' ';
    order += kCategoryCodes[category];
  }
  return Json{{"order", order}, {"ace_six_straights", ranking.ace_six_straights}};
}

// Added and removed cards are counts per kind, Two to Ace, d s c h within a
// rank: {"As": 2, "Kh": 1}.
Json game_json(const GameRules& game) {
  Json wild = Json::array();
  Json added = Json::object();
  Json removed = Json::object();
  for (int rank = 0; rank < kRankCount; ++rank)
    for (int suit = 0; suit < kSuitCount; ++suit) {
      const std::int32_t delta = game.card_delta[rank][suit];
      if (game.wild[rank][suit] != 0) wild.push_back(kind_text(rank, suit));
      if (delta > 0) added[kind_text(rank, suit)] = delta;
      if (delta < 0) removed[kind_text(rank, suit)] = -static_cast<std::int64_t>(delta);
    }
  return Json{{"decks", game.decks},
              {"players", game.players},
              {"hand_size", game.hand_size},
              {"jokers", game.jokers},
              {"run_length", game.run_length},
              {"wild", wild},
              {"added", added},
              {"removed", removed},
              {"board", game.board},
              {"use", game.use == kUseAny ? Json("any") : Json(game.use)},
              {"holds", holds_json(game)},
              {"ranking", ranking_json(game.ranking)}};
}

// The seat counts of one game, per playing seat its deals by number of
// winners from 0 (lost) to players, each row on one line:
//   {
//     "game": {...},
//     "deals": 4,
//     "by_winners": [
//       [1, 1, 2],
//       [2, 0, 2]
//     ]
//   }
std::string seats_text(const SeatResults& seats) {
  std::string text = "{\n    \"game\": " + game_json(seats.game).dump() +
                     ",\n    \"deals\": " + std::to_string(seats.deals) +
                     ",\n    \"by_winners\": [";
  for (int s = 0; s < seats.game.players; ++s) {
    text += s == 0 ? "\n      [" : ",\n      [";
    for (int k = 0; k <= seats.game.players; ++k)
      text += (k == 0 ? "" : ", ") + std::to_string(seats.seat[s].by_winners[k]);
    text += "]";
  }
  return text + "\n    ]\n  }";
}

// --- reading -----------------------------------------------------------

// Walks a parsed document; the first fault found is the reason of the refusal.
struct Reader {
  std::string reason;

  bool fail(std::string text) {
    if (reason.empty()) reason = std::move(text);
    return false;
  }

  const Json* member(const Json& object, const char* key, const std::string& where) {
    if (!object.is_object()) {
      fail(where + " is not an object");
      return nullptr;
    }
    const auto found = object.find(key);
    if (found == object.end()) {
      fail("missing " + where + "." + key);
      return nullptr;
    }
    return &*found;
  }

  bool unsigned_value(const Json& value, const std::string& what, std::uint64_t& out) {
    if (value.is_number_unsigned()) {
      out = value.get<std::uint64_t>();
      return true;
    }
    if (value.is_number_integer()) return fail(what + " is negative");
    if (value.is_number_float()) return fail(what + " is not a whole number below 2^64");
    return fail(what + " is not a number");
  }

  bool unsigned_member(const Json& object, const char* key, const std::string& where,
                       std::uint64_t& out) {
    const Json* value = member(object, key, where);
    return value != nullptr && unsigned_value(*value, where + "." + key, out);
  }

  // A whole number within [low, high] (the rules' signed fields).
  bool ranged_member(const Json& object, const char* key, const std::string& where,
                     std::int64_t low, std::int64_t high, std::int32_t& out) {
    const Json* value = member(object, key, where);
    if (value == nullptr) return false;
    const std::string what = where + "." + key;
    if (!value->is_number_integer()) return fail(what + " is not a whole number");
    // Unsigned values above 2^63 would wrap to negative as int64.
    if (value->is_number_unsigned() &&
        value->get<std::uint64_t>() > static_cast<std::uint64_t>(high))
      return fail(what + " is out of range");
    const std::int64_t number = value->get<std::int64_t>();
    const bool in_range = number >= low && number <= high;
    if (!in_range) return fail(what + " is out of range");
    out = static_cast<std::int32_t>(number);
    return true;
  }

  const Json* array_member(const Json& object, const char* key, const std::string& where) {
    const Json* value = member(object, key, where);
    if (value != nullptr && !value->is_array()) {
      fail(where + "." + key + " is not an array");
      return nullptr;
    }
    return value;
  }

  // The kind of an "As"-style card text, or false when the text names none.
  static bool parse_kind(const std::string& text, int& rank, int& suit) {
    const char* r =
        text.size() == 2 && text[0] != '\0' ? std::strchr(kRankChars, text[0]) : nullptr;
    const char* s =
        text.size() == 2 && text[1] != '\0' ? std::strchr(kSuitChars, text[1]) : nullptr;
    if (r == nullptr || s == nullptr) return false;
    rank = static_cast<int>(r - kRankChars);
    suit = static_cast<int>(s - kSuitChars);
    return true;
  }

  // A list of card texts, one entry per card (the wild kinds; in format 1
  // also every added and removed copy); calls on_cards(rank, suit, 1) for each.
  template <typename OnCards>
  bool card_list(const Json& object, const char* key, const std::string& where, OnCards on_cards) {
    const Json* list = array_member(object, key, where);
    if (list == nullptr) return false;
    for (const Json& item : *list) {
      int rank = 0;
      int suit = 0;
      if (!item.is_string()) return fail(where + "." + key + " holds a non-text card");
      if (!parse_kind(item.get_ref<const std::string&>(), rank, suit))
        return fail(where + "." + key + " holds an unknown card");
      if (!on_cards(rank, suit, 1))
        return fail(where + "." + key + " holds too many copies of a card");
    }
    return true;
  }

  // An object of card texts and their copies, 1 to kMaxPackCards each (added
  // and removed cards from format 2 on); calls on_cards(rank, suit, copies).
  template <typename OnCards>
  bool card_counts(const Json& object, const char* key, const std::string& where,
                   OnCards on_cards) {
    const Json* counts = member(object, key, where);
    if (counts == nullptr) return false;
    const std::string what = where + "." + key;
    if (!counts->is_object()) return fail(what + " is not an object");
    for (const auto& [text, copies] : counts->items()) {
      int rank = 0;
      int suit = 0;
      std::int32_t count = 0;
      if (!parse_kind(text, rank, suit)) return fail(what + " holds an unknown card");
      if (!ranged_member(*counts, text.c_str(), what, 1, kMaxPackCards, count)) return false;
      if (!on_cards(rank, suit, count)) return fail(what + " holds too many copies of a card");
    }
    return true;
  }

  // The rules of a run, held to the limits a game can be given.
  bool game(const Json& object, const std::string& where, std::uint64_t version, GameRules& rules) {
    rules = GameRules{};
    if (!ranged_member(object, "decks", where, kMinDecks, kMaxDecks, rules.decks) ||
        !ranged_member(object, "players", where, kMinPlayers, kMaxPlayers, rules.players) ||
        !ranged_member(object, "hand_size", where, kMinHandSize, kMaxHandSize, rules.hand_size) ||
        !ranged_member(object, "jokers", where, kMinJokers, kMaxJokers, rules.jokers) ||
        !ranged_member(object, "run_length", where, kMinRunLength, kMaxRunLength, rules.run_length))
      return false;
    const auto wild = [&](int r, int s, std::int32_t) {
      return rules.wild[r][s] == 0 ? (rules.wild[r][s] = 1, true) : false;
    };
    // A kind is either added or removed, never both, and no kind has more
    // added copies than a whole pack may hold, so the pack size fits an int.
    const auto add = [&](int r, int s, std::int32_t copies) {
      if (rules.card_delta[r][s] != 0) return false;
      rules.card_delta[r][s] = copies;
      return true;
    };
    const auto add_one = [&](int r, int s, std::int32_t) {
      if (rules.card_delta[r][s] >= kMaxPackCards) return false;
      ++rules.card_delta[r][s];
      return true;
    };
    // Never more copies removed than the decks hold.
    const auto remove = [&](int r, int s, std::int32_t copies) {
      if (rules.card_delta[r][s] > 0) return false;
      rules.card_delta[r][s] -= copies;
      return !has_negative_card(rules);
    };
    const bool ok = version >= 2 ? card_list(object, "wild", where, wild) &&
                                       card_counts(object, "added", where, add) &&
                                       card_counts(object, "removed", where, remove)
                                 : card_list(object, "wild", where, wild) &&
                                       card_list(object, "added", where, add_one) &&
                                       card_list(object, "removed", where, remove);
    if (!ok) return false;
    if (cards_available(rules) > kMaxPackCards)
      return fail(where + " has more cards than a pack may hold");
    if (version >= 3 && !board_and_holds(object, where, rules)) return false;
    if (version >= 4 && !ranking(object, where, rules.ranking)) return false;
    if (!deal_fits_pack(rules)) {
      GameRules without_holds = rules;
      clear_holds(without_holds);
      return fail(where + (deal_fits_pack(without_holds)
                               ? " holds cards the pack does not hold that often"
                               : " cannot deal every player a hand"));
    }
    return true;
  }

  // The ranking of a game (format 4 on): "standard", "shortdeck", "low",
  // "deuce", or an object of the ten categories, highest first, as the
  // ranking command's order reads them, and its straights.
  bool ranking(const Json& object, const std::string& where, Ranking& out) {
    const Json* value = member(object, "ranking", where);
    if (value == nullptr) return false;
    const std::string what = where + ".ranking";
    if (value->is_string()) {
      if (!named_ranking(value->get<std::string>(), out) ||
          value->get<std::string>() != ranking_name(out))
        return fail(what + " is not standard, shortdeck, low, deuce or an order");
      return true;
    }
    const Json* order = member(*value, "order", what);
    const Json* ace_six = member(*value, "ace_six_straights", what);
    if (order == nullptr || ace_six == nullptr) return false;
    if (!ace_six->is_boolean()) return fail(what + ".ace_six_straights is not true or false");
    Ranking read = standard_ranking();
    if (!order->is_string() || !parse_ranking_order(order->get_ref<const std::string&>(), read))
      return fail(what + ".order does not name each of the ten categories once");
    int categories[kCategoryCount];
    for (int i = 0; i < kCategoryCount; ++i) categories[i] = read.order[i];
    ranking_from_order(categories, out, ace_six->get<bool>());
    return true;
  }

  // One hold: cards as "As Ad *", one blank between cards, at most `most` of them.
  bool held_cards(const Json& value, const std::string& what, int most, HeldCards& cards) {
    if (!value.is_string()) return fail(what + " is not text");
    const std::string& text = value.get_ref<const std::string&>();
    cards = HeldCards{};
    for (std::size_t from = 0; from <= text.size();) {
      const std::size_t end = std::min(text.find(' ', from), text.size());
      const std::string card = text.substr(from, end - from);
      int rank = 0;
      int suit = 0;
      const bool joker = card == "*";
      if (!joker && !parse_kind(card, rank, suit)) return fail(what + " holds an unknown card");
      if (cards.count >= most) return fail(what + " holds more cards than the game deals it");
      cards.kinds[cards.count++] =
          static_cast<std::uint8_t>(joker ? kJokerKind : rank * kSuitCount + suit);
      from = end + 1;
    }
    return true;
  }

  // The seat a holds key names, 1..players as written ("7"), 0 for "board",
  // or -1 when the key names none.
  static int held_seat(const std::string& key, int players) {
    if (key == "board") return 0;
    if (key.empty() || key.size() > 2 || key[0] < '1' || key[0] > '9') return -1;
    int seat = 0;
    for (const char c : key) {
      if (c < '0' || c > '9') return -1;
      seat = seat * 10 + (c - '0');
    }
    return seat <= players ? seat : -1;
  }

  // The board, the use rule and the holds (format 3 on), each held to the
  // game it belongs to; the pack's own check follows.
  bool board_and_holds(const Json& object, const std::string& where, GameRules& rules) {
    if (!ranged_member(object, "board", where, 0, kMaxBoard, rules.board)) return false;
    if (rules.hand_size + rules.board > kMaxHandSize)
      return fail(where + " deals a hand and a board of more than 20 cards");
    const Json* use = member(object, "use", where);
    if (use == nullptr) return false;
    if (use->is_string() && use->get_ref<const std::string&>() == "any")
      rules.use = kUseAny;
    else if (!use->is_number_integer() ||
             !ranged_member(object, "use", where, 1, kMaxUse, rules.use))
      return fail(where + ".use is not any or 1 to 5");
    if (!use_refusal(rules).empty())
      return fail(where + " cannot value its hands under its use rule");
    const Json* holds = member(object, "holds", where);
    if (holds == nullptr) return false;
    const std::string what = where + ".holds";
    if (!holds->is_object()) return fail(what + " is not an object");
    for (const auto& [key, cards] : holds->items()) {
      const int seat = held_seat(key, rules.players);
      if (seat < 0) return fail(what + " names no seat of the game: \"" + key + "\"");
      HeldCards& hold = seat == 0 ? rules.board_hold : rules.holds[seat - 1];
      if (!held_cards(cards, what + "." + key, seat == 0 ? rules.board : rules.hand_size, hold))
        return false;
    }
    return true;
  }

  // The seat counts of format 3: one row per playing seat of deals by number
  // of winners (0 to players), each row adding up to the deals, and every
  // deal having its winners (a tie among k puts k seats in column k).
  bool seats(const Json& object, std::uint64_t version, SeatResults& results) {
    const std::string where = "seats";
    const Json* game_object = member(object, "game", where);
    if (game_object == nullptr || !game(*game_object, where + ".game", version, results.game) ||
        !unsigned_member(object, "deals", where, results.deals))
      return false;
    // Written only for a table that counted deals.
    if (results.deals == 0) return fail("seats count no deals");
    const Json* rows = array_member(object, "by_winners", where);
    if (rows == nullptr) return false;
    const int players = results.game.players;
    if (rows->size() != static_cast<std::size_t>(players))
      return fail("seats.by_winners does not hold one row per player");
    for (int s = 0; s < players; ++s) {
      const Json& row = (*rows)[static_cast<std::size_t>(s)];
      const std::string what = "seats.by_winners[" + std::to_string(s) + "]";
      if (!row.is_array() || row.size() != static_cast<std::size_t>(players) + 1)
        return fail(what + " does not hold a count for 0 to " + std::to_string(players) +
                    " winners");
      std::uint64_t sum = 0;
      for (int k = 0; k <= players; ++k) {
        std::uint64_t& count = results.seat[s].by_winners[k];
        if (!unsigned_value(row[static_cast<std::size_t>(k)], what, count)) return false;
        if (count > kMax64 - sum) return fail(what + " adds up beyond 2^64 - 1");
        sum += count;
      }
      if (sum != results.deals) return fail(what + " does not add up to the deals");
    }
    std::uint64_t deals_with_winners = 0;
    for (int k = 1; k <= players; ++k) {
      std::uint64_t column = 0;
      for (int s = 0; s < players; ++s) {
        const std::uint64_t count = results.seat[s].by_winners[k];
        if (count > kMax64 - column) return fail("seats add up beyond 2^64 - 1");
        column += count;
      }
      if (column % static_cast<std::uint64_t>(k) != 0)
        return fail("seats tied among " + std::to_string(k) + " do not come in " +
                    std::to_string(k) + "s");
      deals_with_winners += column / static_cast<std::uint64_t>(k);
    }
    if (deals_with_winners != results.deals)
      return fail("seats do not give every deal its winners");
    return true;
  }

  bool run(const Json& object, const std::string& where, std::uint64_t version, RunRecord& record) {
    const Json* game_object = member(object, "game", where);
    if (game_object == nullptr || !game(*game_object, where + ".game", version, record.game))
      return false;
    std::uint64_t part = 0;
    std::uint64_t parts = 0;
    if (!unsigned_member(object, "seed", where, record.seed) ||
        !unsigned_member(object, "part", where, part) ||
        !unsigned_member(object, "parts", where, parts) ||
        !unsigned_member(object, version >= 2 ? "deals" : "hands_played", where, record.deals))
      return false;
    if (parts > std::numeric_limits<std::uint32_t>::max() || part < 1 || part > parts)
      return fail(where + " has no part " + std::to_string(part) + " of " + std::to_string(parts));
    record.part = static_cast<std::uint32_t>(part);
    record.parts = static_cast<std::uint32_t>(parts);
    if (record.deals >
        static_cast<std::uint64_t>(part_deals(record.game.run_length, record.part, record.parts)))
      return fail(where + " played more deals than its part of the run holds");
    const Json* seconds = member(object, "seconds", where);
    if (seconds == nullptr) return false;
    if (!seconds->is_number() || !std::isfinite(seconds->get<double>()) ||
        seconds->get<double>() < 0.0)
      return fail(where + ".seconds is not a time");
    record.seconds = seconds->get<double>();
    return true;
  }

  // One row of 13 counters, Two to Ace; their sum must equal `total`.
  bool rank_counts(const Json& category, const char* key, const std::string& where,
                   std::uint64_t total, std::uint64_t (&row)[kRankCount]) {
    const Json* list = array_member(category, key, where);
    if (list == nullptr) return false;
    if (list->size() != kRankCount) return fail(where + "." + key + " does not hold 13 counts");
    std::uint64_t sum = 0;
    for (int r = 0; r < kRankCount; ++r) {
      if (!unsigned_value((*list)[static_cast<std::size_t>(r)], where + "." + key, row[r]))
        return false;
      if (row[r] > kMax64 - sum) return fail(where + "." + key + " adds up beyond 2^64 - 1");
      sum += row[r];
    }
    if (sum != total) return fail(where + "." + key + " does not add up to its total");
    return true;
  }

  bool counters(const Json& object, ResultTable& table) {
    const Json* list = array_member(object, "categories", "counters");
    if (list == nullptr) return false;
    if (list->size() != kCategoryCount)
      return fail("counters.categories does not hold 10 categories");
    std::uint64_t total = 0;
    for (int c = 0; c < kCategoryCount; ++c) {
      const Json& category = (*list)[static_cast<std::size_t>(c)];
      const std::string where = "counters.categories[" + std::to_string(c) + "]";
      const Json* name = member(category, "category", where);
      if (name == nullptr) return false;
      if (!name->is_string() || name->get_ref<const std::string&>() != kCategoryNames[c])
        return fail(where + " is not " + kCategoryNames[c]);
      std::uint64_t occurred = 0;
      std::uint64_t won = 0;
      std::uint64_t lost = 0;
      if (!unsigned_member(category, "occurred", where, occurred) ||
          !unsigned_member(category, "won", where, won) ||
          !unsigned_member(category, "lost", where, lost))
        return false;
      if (won > kMax64 - lost || won + lost != occurred)
        return fail(where + " won and lost do not add up");
      if (occurred > kMax64 - total) return fail("counters add up beyond 2^64 - 1");
      total += occurred;
      if (!rank_counts(category, "won_by_rank", where, won, table.wins[c]) ||
          !rank_counts(category, "lost_by_rank", where, lost, table.losses[c]))
        return false;
    }
    std::uint64_t stated = 0;
    if (!unsigned_member(object, "total_hands", "counters", stated)) return false;
    if (stated != total) return fail("counters.total_hands does not add up");
    return true;
  }
};

// The deepest nesting a save needs: the file, counters, categories, one
// category, its rank counts (or the file, runs, one run, its game, its holds). Checked before
// parsing, since a parsed document is copied and freed recursively and a hostile file nests a
// hundred thousand levels deep.
constexpr int kMaxSaveDepth = 5;

// Refuses what no save holds before any JSON is built: a NUL byte (the JSON
// reader would take it for the end of the text and ignore what follows it)
// and nesting deeper than kMaxSaveDepth.
bool check_shape(std::string_view text, std::string& reason) {
  if (text.find('\0') != std::string_view::npos) {
    reason = "a NUL byte in the text";
    return false;
  }
  int depth = 0;
  bool in_string = false;
  bool escaped = false;
  for (const char c : text) {
    if (in_string) {
      if (escaped)
        escaped = false;
      else if (c == '\\')
        escaped = true;
      else if (c == '"')
        in_string = false;
    } else if (c == '"') {
      in_string = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxSaveDepth) {
        reason = "nested deeper than " + std::to_string(kMaxSaveDepth) + " levels";
        return false;
      }
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return true;
}

}  // namespace

std::string save_json_text(const ResultTable& table, const RunRecords& runs) {
  Json categories = Json::array();
  std::uint64_t total = 0;
  for (int c = 0; c < kCategoryCount; ++c) {
    Json won = Json::array();
    Json lost = Json::array();
    std::uint64_t won_sum = 0;
    std::uint64_t lost_sum = 0;
    for (int r = 0; r < kRankCount; ++r) {
      won.push_back(table.wins[c][r]);
      lost.push_back(table.losses[c][r]);
      won_sum += table.wins[c][r];
      lost_sum += table.losses[c][r];
    }
    total += won_sum + lost_sum;
    categories.push_back(Json{{"category", kCategoryNames[c]},
                              {"occurred", won_sum + lost_sum},
                              {"won", won_sum},
                              {"lost", lost_sum},
                              {"won_by_rank", won},
                              {"lost_by_rank", lost}});
  }
  const Json document{{"format", kFormatName},
                      {"format_version", kSaveFormatVersion},
                      {"program_version", kProgramVersion},
                      {"dealing_version", kDealingVersion},
                      {"counters", Json{{"total_hands", total}, {"categories", categories}}}};
  // The seats' game and each seat's row on a line of their own, and one line
  // per run: a table of many runs stays a file of one line each, a fraction
  // of the size an indented layout would take.
  std::string text = document.dump(2);
  assert(text.size() > 2 && text.compare(text.size() - 2, 2, "\n}") == 0);
  text.resize(text.size() - 2);
  if (table.seats.deals > 0) text += ",\n  \"seats\": " + seats_text(table.seats);
  text += ",\n  \"runs\": [";
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const RunRecord& run = runs[i];
    text += i == 0 ? "\n    " : ",\n    ";
    text += Json{{"game", game_json(run.game)}, {"seed", run.seed},   {"part", run.part},
                 {"parts", run.parts},          {"deals", run.deals}, {"seconds", run.seconds}}
                .dump();
  }
  text += runs.empty() ? "]\n}" : "\n  ]\n}";
  return text + "\n";
}

bool parse_save(std::string_view text, SavedResults& saved, std::string& reason) {
  if (!check_shape(text, reason)) return false;
  // A member named twice would silently take one of its values: refuse it.
  std::vector<std::set<std::string>> keys;  // the members seen, per open object
  std::string duplicate;
  const auto note_keys = [&](int, nlohmann::json::parse_event_t event, Json& parsed) {
    using Event = nlohmann::json::parse_event_t;
    if (event == Event::object_start) keys.emplace_back();
    if (event == Event::object_end && !keys.empty()) keys.pop_back();
    if (event == Event::key && !keys.empty()) {
      const std::string& key = parsed.get_ref<const std::string&>();
      if (!keys.back().insert(key).second && duplicate.empty()) duplicate = key;
    }
    return true;
  };
  const Json document = Json::parse(text.begin(), text.end(), note_keys, false);
  if (document.is_discarded()) {
    reason = "not complete JSON";
    return false;
  }
  if (!duplicate.empty()) {
    reason = "member \"" + duplicate + "\" given twice";
    return false;
  }
  Reader reader;
  SavedResults result;
  const auto refuse = [&](const std::string& why) {
    reason = reader.reason.empty() ? why : reader.reason;
    return false;
  };
  if (!document.is_object()) return refuse("not an orvix save file");
  const auto format = document.find("format");
  if (format == document.end() || !format->is_string() ||
      format->get_ref<const std::string&>() != kFormatName)
    return refuse("not an orvix save file");

  std::uint64_t version = 0;
  if (!reader.unsigned_member(document, "format_version", "file", version)) return refuse("");
  if (version > kSaveFormatVersion)
    return refuse("format version " + std::to_string(version) +
                  " is newer than this program reads");
  if (version < 1) return refuse("format version 0 does not exist");

  const Json* program = reader.member(document, "program_version", "file");
  if (program == nullptr) return refuse("");
  if (!program->is_string()) return refuse("file.program_version is not text");
  result.program_version = program->get<std::string>();
  if (!reader.unsigned_member(document, "dealing_version", "file", result.dealing_version))
    return refuse("");

  const Json* counters = reader.member(document, "counters", "file");
  if (counters == nullptr || !reader.counters(*counters, result.table)) return refuse("");

  const Json* runs = reader.array_member(document, "runs", "file");
  if (runs == nullptr) return refuse("");
  // Every counted player-hand belongs to one run: its deals times its players.
  std::uint64_t run_player_hands = 0;
  for (std::size_t i = 0; i < runs->size(); ++i) {
    RunRecord record;
    if (!reader.run((*runs)[i], "runs[" + std::to_string(i) + "]", version, record))
      return refuse("");
    const auto players = static_cast<std::uint64_t>(record.game.players);
    if (record.deals > (kMax64 - run_player_hands) / players)
      return refuse("runs add up beyond 2^64 - 1");
    run_player_hands += record.deals * players;
    result.runs.push_back(record);
  }
  if (run_player_hands != counted_player_hands(result.table))
    return refuse("the runs do not add up to the counters");
  // Seat counts of one game, from some of that game's runs.
  const auto seats = document.find("seats");
  if (seats != document.end()) {
    if (version < 3) return refuse("seats in a file of format " + std::to_string(version));
    if (!reader.seats(*seats, version, result.table.seats)) return refuse("");
    std::uint64_t game_deals = 0;
    for (const RunRecord& run : result.runs)
      if (same_deal_rules(run.game, result.table.seats.game)) game_deals += run.deals;
    if (result.table.seats.deals > game_deals)
      return refuse("seats count more deals than the runs of their game");
  }
  saved = std::move(result);
  return true;
}

bool add_saved_counts(ResultTable& table, const ResultTable& saved) {
  std::uint64_t total = counted_player_hands(table);
  for (int c = 0; c < kCategoryCount; ++c)
    for (int r = 0; r < kRankCount; ++r) {
      const std::uint64_t more[2] = {saved.wins[c][r], saved.losses[c][r]};
      const std::uint64_t have[2] = {table.wins[c][r], table.losses[c][r]};
      for (int k = 0; k < 2; ++k) {
        if (more[k] > kMax64 - have[k] || more[k] > kMax64 - total) return false;
        total += more[k];
      }
    }
  for (int c = 0; c < kCategoryCount; ++c)
    for (int r = 0; r < kRankCount; ++r) {
      table.wins[c][r] += saved.wins[c][r];
      table.losses[c][r] += saved.losses[c][r];
    }
  table.stale = true;
  return true;
}

}  // namespace orvix
