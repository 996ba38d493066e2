#include "rules/game_rules.h"

#include <cstdint>
#include <limits>
#include <string>

#include "rules/word_stream.h"

namespace orvix {

namespace {

bool pack_too_small(const GameRules& rules) { return cards_available(rules) < cards_dealt(rules); }

bool pack_too_large(const GameRules& rules) { return cards_available(rules) > kMaxPackCards; }

constexpr const char* kPackTooLarge = "Error: A pack holds at most 100000 cards.\n";
constexpr const char* kHoldBroken =
    "Error: That change would break a hold; clear it first with \"hold N\" or \"hold clear\".\n";

// The copies of a held kind the pack holds: a natural kind's copies over
// every deck, added and removed ones counted; the jokers for kJokerKind.
std::int64_t pack_copies(const GameRules& rules, int kind) {
  if (kind == kJokerKind) return rules.jokers;
  return std::int64_t{rules.decks} + rules.card_delta[kind / kSuitCount][kind % kSuitCount];
}

// The copies of every kind (kJokerKind last) that the seats and the board hold together.
struct HeldCopies {
  std::int32_t of_kind[kJokerKind + 1] = {};
};

// Only for well-formed holds (see well_formed).
HeldCopies held_copies(const GameRules& rules) {
  HeldCopies held;
  auto add = [&](const HeldCards& cards) {
    for (int i = 0; i < cards.count; ++i) ++held.of_kind[cards.kinds[i]];
  };
  for (const HeldCards& hold : rules.holds) add(hold);
  add(rules.board_hold);
  return held;
}

// A list of cards a HeldCards can stand for: 0..kMaxHandSize card kinds,
// every entry past them 0.
bool well_formed(const HeldCards& cards) {
  if (cards.count < 0 || cards.count > kMaxHandSize) return false;
  for (int i = 0; i < kMaxHandSize; ++i)
    if (i < cards.count ? cards.kinds[i] > kJokerKind : cards.kinds[i] != 0) return false;
  return true;
}

// Every hold fits the game: its seat plays, it fits the hand (or the board),
// and the pack holds every held card as often as the holds together name it.
bool holds_fit(const GameRules& rules) {
  for (int s = 0; s < kMaxPlayers; ++s) {
    const HeldCards& hold = rules.holds[s];
    if (!well_formed(hold)) return false;
    if (hold.count > 0 && (s >= rules.players || hold.count > rules.hand_size)) return false;
  }
  if (!well_formed(rules.board_hold) || rules.board_hold.count > rules.board) return false;
  const HeldCopies held = held_copies(rules);
  for (int kind = 0; kind <= kJokerKind; ++kind)
    if (held.of_kind[kind] > 0 && held.of_kind[kind] > pack_copies(rules, kind)) return false;
  return true;
}

const char* plural(int count, const char* one, const char* many) { return count == 1 ? one : many; }

// One held card as shown: "As", "Td", "*".
std::string card_text(int kind) {
  if (kind == kJokerKind) return "*";
  return {kRankChars[kind / kSuitCount], kSuitChars[kind % kSuitCount]};
}

// The kind of a card word in either case ("As", "td", "*"), or -1.
int card_kind(std::string_view word) {
  if (word == "*") return kJokerKind;
  if (word.size() != 2) return -1;
  constexpr std::string_view kRanks = kRankChars;
  constexpr std::string_view kUpperSuits = "DSCH";
  const std::size_t rank = kRanks.find(ascii_upper(word[0]));
  const std::size_t suit = kUpperSuits.find(ascii_upper(word[1]));
  if (rank == std::string_view::npos || suit == std::string_view::npos) return -1;
  return static_cast<int>(rank) * kSuitCount + static_cast<int>(suit);
}

bool refuse(GameRules& rules, const char* text) {
  rules.error_text.text = text;
  return false;
}

// Adds one copy of each of `count` kinds laid out as for remove_kinds below,
// all or nothing. The pack limit keeps every count far from overflowing.
bool add_kinds(GameRules& rules, int first, int stride, int count) {
  auto delta = [&](int i) -> std::int32_t& {
    const int kind = first + i * stride;
    return rules.card_delta[kind / kSuitCount][kind % kSuitCount];
  };
  for (int i = 0; i < count; ++i) ++delta(i);
  if (pack_too_large(rules)) {
    for (int i = 0; i < count; ++i) --delta(i);
    return refuse(rules, kPackTooLarge);
  }
  return true;
}

// Takes one copy of each of `count` kinds, all or nothing (the removals'
// form of the save, check, restore that apply_count_rule does for the counts). The kinds sit in
// the rank-major delta table (kind = rank * 4 + suit) at first, first + stride, ...: a rank's four
// suits (stride 1) or a suit's thirteen ranks (stride 4). A refusal names a
// short pack first, since that holds whether or not a copy is also missing.
bool remove_kinds(GameRules& rules, int first, int stride, int count, const char* short_text,
                  const char* missing_text) {
  auto delta = [&](int i) -> std::int32_t& {
    const int kind = first + i * stride;
    return rules.card_delta[kind / kSuitCount][kind % kSuitCount];
  };
  for (int i = 0; i < count; ++i) --delta(i);
  const bool short_pack = pack_too_small(rules);
  const bool missing = has_negative_card(rules);
  if (short_pack || missing || !holds_fit(rules)) {
    for (int i = 0; i < count; ++i) ++delta(i);
    return refuse(rules, short_pack ? short_text : missing ? missing_text : kHoldBroken);
  }
  return true;
}

// The shape every count setter shares: a count outside [low, high] is refused
// with its own text; otherwise the field takes it, and if the pack could then
// no longer deal (or, where the count shrinks every kind, a removed card
// would have no copy left), or a hold would no longer fit, the field gets its
// old value back and the change is refused.
struct CountRule {
  std::int32_t GameRules::*field;
  std::int32_t low;
  std::int32_t high;
  const char* below_text;  // count < low
  const char* above_text;  // count > high
  const char* short_text;  // the pack could no longer deal
  bool checks_removed;     // also refuse a kind left below zero copies
};

bool apply_count_rule(GameRules& rules, const CountRule& rule, int count) {
  if (count > rule.high) return refuse(rules, rule.above_text);
  if (count < rule.low) return refuse(rules, rule.below_text);
  std::int32_t& field = rules.*rule.field;
  const std::int32_t previous = field;
  field = count;
  if (pack_too_small(rules) || (rule.checks_removed && has_negative_card(rules))) {
    field = previous;
    return refuse(rules, rule.short_text);
  }
  if (pack_too_large(rules)) {
    field = previous;
    return refuse(rules, kPackTooLarge);
  }
  if (!holds_fit(rules)) {
    field = previous;
    return refuse(rules, kHoldBroken);
  }
  return true;
}

bool in_range(const CountRule& rule, int count) { return count >= rule.low && count <= rule.high; }

}  // namespace

void reset_defaults(GameRules& rules) { rules = GameRules{}; }

bool set_decks(GameRules& rules, int count) {
  static constexpr CountRule kRule{
      &GameRules::decks,
      kMinDecks,
      kMaxDecks,
      "Error: Minimum of 1 deck required.\n",
      "Error: Maximum of 50 decks supported.\n",
      "Error: Not enough decks to deal complete hand and handle any removes.\n",
      true};
  return apply_count_rule(rules, kRule, count);
}

bool set_players(GameRules& rules, int count) {
  static constexpr CountRule kRule{&GameRules::players,
                                   kMinPlayers,
                                   kMaxPlayers,
                                   "Error: Minimum of 1 player required.\n",
                                   "Error: Maximum of 50 players supported.\n",
                                   "Error: Too many players to deal complete hand.\n",
                                   false};
  return apply_count_rule(rules, kRule, count);
}

bool set_hand_size(GameRules& rules, int count) {
  static constexpr CountRule kRule{
      &GameRules::hand_size,
      kMinHandSize,
      kMaxHandSize,
      "Error: Only 1-20 card hands supported.\n",
      "Error: Only 1-20 card hands supported.\n",
      "Error: Not enough cards to increase hand size and still deal hand.\n",
      false};
  if (in_range(kRule, count) && count + rules.board > kMaxHandSize)
    return refuse(rules, kHandAndBoardTooLarge);
  return apply_count_rule(rules, kRule, count);
}

bool set_jokers(GameRules& rules, int count) {
  static constexpr CountRule kRule{
      &GameRules::jokers,
      kMinJokers,
      kMaxJokers,
      "Error: Minimum of 0 jokers supported.\n",
      "Error: Maximum of 100 jokers supported.\n",
      "Error: Not enough cards to decrease jokers and still deal hand.\n",
      false};
  return apply_count_rule(rules, kRule, count);
}

// A negative run would hand every worker a share below one deal and play
// nothing, yet report a run; it is refused instead.
bool set_run_length(GameRules& rules, std::int64_t count) {
  if (count == 0)
    return refuse(rules, "Error: Zero run lengths are not supported - use at least one hand.\n");
  if (count < 0)
    return refuse(rules,
                  "Error: Negative run lengths are not supported - use at least one hand.\n");
  if (count > kMaxRunLength)
    return refuse(rules, "Error: maximum number of hands for one simulation is 2147483647.\n");
  rules.run_length = static_cast<std::int32_t>(count);
  return true;
}

// A copy count below zero adds nothing to the pack size, so a kind with no
// copy left passes the pack test; the missing-card text covers it.
bool remove_card(GameRules& rules, int rank, int suit) {
  return remove_kinds(rules, rank * kSuitCount + suit, 1, 1,
                      "Error: Not enough cards to remove card and still deal hand.\n",
                      "Error: No card available to remove.\n");
}

bool remove_rank(GameRules& rules, int rank) {
  return remove_kinds(rules, rank * kSuitCount, 1, kSuitCount,
                      "Error: Not enough cards to remove rank and still deal hand.\n",
                      "Error: Not enough cards available to remove rank.\n");
}

bool remove_suit(GameRules& rules, int suit) {
  return remove_kinds(rules, suit, kSuitCount, kRankCount,
                      "Error: Not enough cards to remove suit and still deal hand.\n",
                      "Error: Not enough cards available to remove suit.\n");
}

bool add_card(GameRules& rules, int rank, int suit) {
  return add_kinds(rules, rank * kSuitCount + suit, 1, 1);
}

bool add_rank(GameRules& rules, int rank) {
  return add_kinds(rules, rank * kSuitCount, 1, kSuitCount);
}

bool add_suit(GameRules& rules, int suit) { return add_kinds(rules, suit, kSuitCount, kRankCount); }

void set_wild_card(GameRules& rules, int rank, int suit) { rules.wild[rank][suit] = 1; }

void set_wild_rank(GameRules& rules, int rank) {
  for (int suit = 0; suit < kSuitCount; ++suit) rules.wild[rank][suit] = 1;
}

void set_wild_suit(GameRules& rules, int suit) {
  for (int rank = 0; rank < kRankCount; ++rank) rules.wild[rank][suit] = 1;
}

void clear_wilds(GameRules& rules) {
  for (auto& rank : rules.wild)
    for (auto& flag : rank) flag = 0;
}

// Dropping added cards could leave too few to deal (twelve players of five
// after twelve cards were added to a one-deck pack), and a run must never deal past
// the end of the pack, so such a clearing is refused as a whole.
bool clear_add_remove(GameRules& rules) {
  GameRules cleared = rules;
  for (auto& rank : cleared.card_delta)
    for (auto& delta : rank) delta = 0;
  if (pack_too_small(cleared))
    return refuse(
        rules, "Error: Not enough cards to clear added and removed cards and still deal hand.\n");
  if (!holds_fit(cleared)) return refuse(rules, kHoldBroken);
  for (auto& rank : rules.card_delta)
    for (auto& delta : rank) delta = 0;
  return true;
}

int cards_available(const GameRules& rules) {
  std::int64_t total = 0;
  for (const auto& rank : rules.card_delta)
    for (const std::int32_t delta : rank) {
      const std::int64_t copies = std::int64_t{rules.decks} + delta;
      if (copies > 0) total += copies;
    }
  total += rules.jokers;
  // Only reachable after billions of added cards; saturate rather than wrap.
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  return static_cast<int>(total > kMax ? kMax : total);
}

bool deal_fits_pack(const GameRules& rules) {
  return rules.players >= kMinPlayers && rules.hand_size >= kMinHandSize && rules.board >= 0 &&
         rules.board + rules.hand_size <= kMaxHandSize && !has_negative_card(rules) &&
         !pack_too_small(rules) && holds_fit(rules);
}

bool has_negative_card(const GameRules& rules) {
  for (const auto& rank : rules.card_delta)
    for (const std::int32_t delta : rank)
      if (std::int64_t{rules.decks} + delta < 0) return true;
  return false;
}

int cards_dealt(const GameRules& rules) { return rules.players * rules.hand_size + rules.board; }

bool same_deal_rules(const GameRules& a, const GameRules& b) {
  GameRules a_like_b = a;
  a_like_b.run_length = b.run_length;
  return a_like_b == b;
}

bool has_holds(const GameRules& rules) {
  if (rules.board_hold.count > 0) return true;
  for (const HeldCards& hold : rules.holds)
    if (hold.count > 0) return true;
  return false;
}

bool set_board(GameRules& rules, int count) {
  static constexpr CountRule kRule{&GameRules::board,
                                   0,
                                   kMaxBoard,
                                   "Error: board takes a number from 0 to 19.\n",
                                   "Error: board takes a number from 0 to 19.\n",
                                   "Error: Not enough cards to deal the board.\n",
                                   false};
  if (in_range(kRule, count) && count + rules.hand_size > kMaxHandSize)
    return refuse(rules, kHandAndBoardTooLarge);
  return apply_count_rule(rules, kRule, count);
}

bool set_use(GameRules& rules, int use) {
  if (use != kUseAny && (use < 1 || use > kMaxUse)) return refuse(rules, kUseWordRefusal);
  rules.use = use;
  return true;
}

std::string use_refusal(const GameRules& rules) {
  if (rules.board == 0 || use_fits(rules.hand_size, rules.board, rules.use)) return {};
  const std::string own = std::to_string(rules.use);
  return "Error: use " + own + " needs at least " + own + " own cards and " +
         std::to_string(kMaxUse - rules.use) + " board cards.\n";
}

bool parse_held_cards(std::string_view text, HeldCards& cards, std::string& error) {
  HeldCards parsed;
  WordStream words{text};
  for (std::string_view word = read_word(words); !word.empty(); word = read_word(words)) {
    const int kind = card_kind(word);
    if (kind < 0) {
      error = "Error: \"";
      error += word;
      error += "\" is not a card.\n";
      return false;
    }
    if (parsed.count == kMaxHandSize) {
      error = "Error: Only 1-20 card hands supported.\n";
      return false;
    }
    parsed.kinds[parsed.count++] = static_cast<std::uint8_t>(kind);
  }
  cards = parsed;
  return true;
}

std::string hold_refusal(const GameRules& rules, int seat, int count) {
  if (seat < 0 || seat > rules.players)
    return "Error: Seat " + std::to_string(seat) + " is not in the game (" +
           std::to_string(rules.players) + plural(rules.players, " player).\n", " players).\n");
  const int most = seat == 0 ? rules.board : rules.hand_size;
  if (count <= most) return {};
  const std::string cards = std::to_string(most) + plural(most, " card.\n", " cards.\n");
  if (seat == 0) return "Error: The board holds at most " + cards;
  return "Error: Seat " + std::to_string(seat) + " holds at most " + cards;
}

std::string set_hold(GameRules& rules, int seat, const HeldCards& cards) {
  std::string refusal = hold_refusal(rules, seat, cards.count);
  if (!refusal.empty()) return refusal;
  GameRules held = rules;
  (seat == 0 ? held.board_hold : held.holds[seat - 1]) = cards;
  // Name the first card, in the order typed, that the holds together name
  // more often than the pack holds it.
  const HeldCopies copies = held_copies(held);
  for (int i = 0; i < cards.count; ++i) {
    const int kind = cards.kinds[i];
    if (copies.of_kind[kind] > pack_copies(held, kind))
      return kind == kJokerKind ? "Error: The pack holds no more jokers.\n"
                                : "Error: The pack holds no more " + card_text(kind) + ".\n";
  }
  (seat == 0 ? rules.board_hold : rules.holds[seat - 1]) = cards;
  return {};
}

void clear_holds(GameRules& rules) {
  for (HeldCards& hold : rules.holds) hold = HeldCards{};
  rules.board_hold = HeldCards{};
}

std::string held_cards_text(const HeldCards& cards) {
  std::string text;
  for (int i = 0; i < cards.count; ++i) {
    if (i > 0) text += ' ';
    text += card_text(cards.kinds[i]);
  }
  return text;
}

}  // namespace orvix
