#include <cinttypes>
#include <cstdint>
#include <string>

#include "rules/describe.h"
#include "platform/console.h"
#include "rules/ranking_text.h"

namespace orvix {

namespace {

constexpr int kItemsPerLine = 20;

// Separates the items of one list: a new line after every 20 items, else a
// blank. Call before each item; the first item gets no separator.
struct ItemSeparator {
  int printed = 0;
  void next() {
    if (printed > 0) out_text(printed % kItemsPerLine == 0 ? "\n" : " ");
    ++printed;
  }
};

// A card item of the description: rank, suit and a trailing blank.
void print_card(ItemSeparator& items, int rank, int suit) {
  items.next();
  out_printf("%c%c%c", kRankChars[rank], kSuitChars[suit], ' ');
}

const char* plural(std::int32_t count, const char* one, const char* many) {
  return count == 1 ? one : many;
}

void describe_wilds(const GameRules& rules) {
  bool any = false;
  bool whole_rank[kRankCount];
  bool whole_suit[kSuitCount];
  for (int rank = 0; rank < kRankCount; ++rank) {
    whole_rank[rank] = true;
    for (int suit = 0; suit < kSuitCount; ++suit) {
      any = any || rules.wild[rank][suit] != 0;
      whole_rank[rank] = whole_rank[rank] && rules.wild[rank][suit] != 0;
    }
  }
  for (int suit = 0; suit < kSuitCount; ++suit) {
    whole_suit[suit] = true;
    for (int rank = 0; rank < kRankCount; ++rank)
      whole_suit[suit] = whole_suit[suit] && rules.wild[rank][suit] != 0;
  }

  if (!any) {
    if (rules.jokers > 0)
      out_printf("No wildcards other than the %d %s.\n", rules.jokers,
                 plural(rules.jokers, "joker", "jokers"));
    else
      out_text("No wildcards.\n");
    return;
  }

  if (rules.jokers > 0)
    out_printf("Wildcards (plus %d jokers): ", rules.jokers);
  else
    out_text("Wildcards: ");
  // Whole ranks and whole suits are named once as words; only the wild
  // cards they do not cover are listed one by one.
  ItemSeparator items;
  for (int rank = 0; rank < kRankCount; ++rank)
    if (whole_rank[rank]) {
      items.next();
      out_printf("%s", kRankWords[rank]);
    }
  for (int suit = 0; suit < kSuitCount; ++suit)
    if (whole_suit[suit]) {
      items.next();
      out_printf("%s", kSuitWords[suit]);
    }
  for (int rank = 0; rank < kRankCount; ++rank)
    for (int suit = 0; suit < kSuitCount; ++suit)
      if (rules.wild[rank][suit] != 0 && !whole_rank[rank] && !whole_suit[suit])
        print_card(items, rank, suit);
  out_text("\n");
}

// Lists every added (sign 1) or removed (sign -1) copy, rank-major.
void describe_changes(const GameRules& rules, int sign, const char* heading, const char* none) {
  bool any = false;
  for (const auto& rank : rules.card_delta)
    for (const std::int32_t delta : rank) any = any || (sign > 0 ? delta > 0 : delta < 0);
  if (!any) {
    out_text(none);
    return;
  }
  out_text(heading);
  ItemSeparator items;
  for (int rank = 0; rank < kRankCount; ++rank)
    for (int suit = 0; suit < kSuitCount; ++suit) {
      const std::int64_t copies = std::int64_t{rules.card_delta[rank][suit]} * sign;
      for (std::int64_t i = 0; i < copies; ++i) print_card(items, rank, suit);
    }
  out_text("\n");
}

// The lines of a set board, use rule and holds; nothing for a game without.
void describe_board_and_holds(const GameRules& rules) {
  auto line = [](const std::string& sentence) {
    out_text(sentence);
    out_text("\n");
  };
  if (rules.board > 0) {
    line(board_sentence(rules.board));
    if (rules.use != kUseAny) line(use_sentence(rules.use));
  }
  for (int seat = 1; seat <= rules.players; ++seat)
    if (rules.holds[seat - 1].count > 0) line(hold_sentence(rules, seat));
  if (rules.board_hold.count > 0) line(hold_sentence(rules, 0));
}

}  // namespace

std::string board_sentence(std::int32_t board) {
  if (board == 0) return "No board.";
  return "Board of " + std::to_string(board) + (board == 1 ? " card." : " cards.");
}

std::string use_sentence(std::int32_t use) {
  if (use == kUseAny) return "Hands use any of their own cards.";
  return "Hands use exactly " + std::to_string(use) + " of their own cards.";
}

std::string hold_sentence(const GameRules& rules, int seat) {
  const HeldCards& cards = seat == 0 ? rules.board_hold : rules.holds[seat - 1];
  const std::string held = cards.count == 0 ? "no cards" : held_cards_text(cards);
  if (seat == 0) return "The board holds " + held + ".";
  return "Seat " + std::to_string(seat) + " holds " + held + ".";
}

void describe_game(const GameRules& rules) { describe_game(rules, 1, 1); }

void describe_game(const GameRules& rules, std::uint32_t part, std::uint32_t parts) {
  out_printf("Poker with %d %s, %d %s, %d players, hand size %d %s.\n", rules.decks,
             plural(rules.decks, "deck", "decks"), rules.jokers,
             plural(rules.jokers, "joker", "jokers"), rules.players, rules.hand_size,
             plural(rules.hand_size, "card", "cards"));
  describe_cards(rules);
  describe_board_and_holds(rules);
  describe_ranking(rules);
  if (parts > 1) out_printf("Playing part %" PRIu32 " of %" PRIu32 ".\n", part, parts);
  out_printf("Simulating %d hands played.\n", rules.run_length);
}

void describe_cards(const GameRules& rules) {
  describe_wilds(rules);
  describe_changes(rules, 1, "Adding cards: ", "No added cards.\n");
  describe_changes(rules, -1, "Removing cards: ", "No removed cards.\n");
}

void describe_ranking(const GameRules& rules) {
  if (rules.ranking == standard_ranking()) return;
  out_text(ranking_line(rules.ranking) + "\n");
}

}  // namespace orvix
