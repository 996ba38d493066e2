// The named rankings and the order reader.
#include <orvix/ranking.h>

#include <cstddef>

#include "ranked_tables.h"

namespace orvix {
namespace {

constexpr int kStandardOrder[kCategoryCount] = {
    kFiveOfAKind, kStraightFlush, kFourOfAKind, kFullHouse, kFlush,
    kStraight,    kThreeOfAKind,  kTwoPair,     kOnePair,   kHighCard};

constexpr int kShortdeckOrder[kCategoryCount] = {
    kFiveOfAKind, kStraightFlush, kFourOfAKind, kFlush,   kFullHouse,
    kStraight,    kThreeOfAKind,  kTwoPair,     kOnePair, kHighCard};

// Best first; the categories low never makes go last.
constexpr int kLowOrder[kCategoryCount] = {kHighCard,  kOnePair,      kTwoPair,     kThreeOfAKind,
                                           kFullHouse, kFourOfAKind,  kFiveOfAKind, kStraight,
                                           kFlush,     kStraightFlush};

constexpr int kDeuceOrder[kCategoryCount] = {kHighCard,      kOnePair,    kTwoPair,   kThreeOfAKind,
                                             kStraight,      kFlush,      kFullHouse, kFourOfAKind,
                                             kStraightFlush, kFiveOfAKind};

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool same_text_any_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim_blanks(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

// The category whose code or name (as `names` holds them) is `word`; -1 for none.
int category_named(std::string_view word, const char* const (&names)[kCategoryCount]) {
  for (int c = 0; c < kCategoryCount; ++c)
    if (same_text_any_case(word, names[c])) return c;
  return -1;
}

// Reads ten categories separated by commas; with `codes`, blanks separate
// them too (a comma between two blanks or none). False when a piece names
// nothing, a comma has nothing on one side, or there are not exactly ten.
bool read_categories(std::string_view text, bool codes, int (&order)[kCategoryCount]) {
  const char* const(&names)[kCategoryCount] = codes ? kCategoryCodes : kCategoryNames;
  int found = 0;
  const auto take = [&](std::string_view word) {
    const int category = category_named(word, names);
    if (category < 0 || found == kCategoryCount) return false;
    order[found++] = category;
    return true;
  };
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    const std::string_view piece =
        trim_blanks(text.substr(start, comma == std::string_view::npos ? comma : comma - start));
    if (piece.empty()) return false;
    if (!codes) {
      if (!take(piece)) return false;
    } else {
      std::size_t at = 0;
      while (at < piece.size()) {
        std::size_t end = at;
        while (end < piece.size() && !is_blank(piece[end])) ++end;
        if (!take(piece.substr(at, end - at))) return false;
        at = end;
        while (at < piece.size() && is_blank(piece[at])) ++at;
      }
    }
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return found == kCategoryCount;
}

Ranking make_ranking(const int (&order)[kCategoryCount], bool ace_six_straights,
                     RankingKind kind = RankingKind::kCategoryOrder) {
  Ranking r{};
  r.kind = kind;
  for (int i = 0; i < kCategoryCount; ++i) {
    r.order[i] = static_cast<std::uint8_t>(order[i]);
    r.position[order[i]] = static_cast<std::uint8_t>(kCategoryCount - 1 - i);
  }
  r.ace_six_straights = ace_six_straights;
  r.tables = ranked_tables_for(r);
  return r;
}

}  // namespace

Ranking standard_ranking() { return make_ranking(kStandardOrder, false); }

Ranking shortdeck_ranking() { return make_ranking(kShortdeckOrder, true); }

Ranking low_ranking() { return make_ranking(kLowOrder, false, RankingKind::kAceToFive); }

Ranking deuce_ranking() { return make_ranking(kDeuceOrder, false, RankingKind::kDeuceToSeven); }

bool ranking_from_order(const int order[kCategoryCount], Ranking& ranking, bool ace_six_straights) {
  int copy[kCategoryCount];
  bool seen[kCategoryCount] = {};
  for (int i = 0; i < kCategoryCount; ++i) {
    if (order[i] < 0 || order[i] >= kCategoryCount || seen[order[i]]) return false;
    seen[order[i]] = true;
    copy[i] = order[i];
  }
  ranking = make_ranking(copy, ace_six_straights);
  return true;
}

bool parse_ranking_order(std::string_view text, Ranking& ranking) {
  int order[kCategoryCount];
  // Names hold blanks themselves, so only commas separate them.
  if (read_categories(text, true, order) || read_categories(text, false, order))
    return ranking_from_order(order, ranking);
  return false;
}

const char* ranking_name(const Ranking& ranking) {
  // Lowball rankings are made only by their makers; an order is compared
  // with the named ones field by field, without making them (which would
  // build their tables).
  switch (ranking.kind) {
    case RankingKind::kAceToFive:
      return "low";
    case RankingKind::kDeuceToSeven:
      return "deuce";
    case RankingKind::kCategoryOrder:
      break;
  }
  const auto has_order = [&ranking](const int(&order)[kCategoryCount]) {
    for (int i = 0; i < kCategoryCount; ++i)
      if (ranking.order[i] != order[i]) return false;
    return true;
  };
  if (!ranking.ace_six_straights && has_order(kStandardOrder)) return "standard";
  if (ranking.ace_six_straights && has_order(kShortdeckOrder)) return "shortdeck";
  return "custom";
}

bool named_ranking(std::string_view name, Ranking& ranking) {
  if (same_text_any_case(name, "standard")) {
    ranking = standard_ranking();
  } else if (same_text_any_case(name, "shortdeck")) {
    ranking = shortdeck_ranking();
  } else if (same_text_any_case(name, "low")) {
    ranking = low_ranking();
  } else if (same_text_any_case(name, "deuce")) {
    ranking = deuce_ranking();
  } else {
    return false;
  }
  return true;
}

bool operator==(const Ranking& a, const Ranking& b) {
  if (a.kind != b.kind || a.ace_six_straights != b.ace_six_straights) return false;
  for (int i = 0; i < kCategoryCount; ++i)
    if (a.order[i] != b.order[i] || a.position[i] != b.position[i]) return false;
  return true;
}

}  // namespace orvix
