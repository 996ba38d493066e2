#include "reference/reference_games.h"

#include <orvix/internal/catalogue.h>
#include "platform/console.h"
#include "platform/stop_request.h"

namespace orvix {

namespace {

constexpr const char* kTotalRule = "                   ---------";

void print_category_rows(const std::int32_t (&per_category)[kCategoryCount], std::int32_t total) {
  for (int c = 0; c < kCategoryCount; ++c) {
    out_printf("%s %12d", kPaddedCategoryNames[c], static_cast<int>(per_category[c]));
    out_line_end();
  }
  out_text(kTotalRule);
  out_line_end();
  out_printf("Total           %12d", static_cast<int>(total));
  out_line_end();
}

}  // namespace

void print_reference_header(const ReferenceGame& game) {
  out_printf("Testing all %s deck %d card hands%s%s, distinct hands: ",
             game.infinite_deck ? "infinite" : "single", dealt_cards(game),
             game.deuces_wild ? " with deuces wild" : "",
             game.joker_per_deck ? " with one joker per deck" : "");
  // The enumeration that follows can take seconds; show what is running.
  out_flush();
}

void print_reference_table(const ReferenceCounts& counts) {
  out_printf("%d", static_cast<int>(counts.distinct_values));
  out_line_end();
  out_line_end();
  print_category_rows(counts.category_hands, counts.hands);
}

bool print_reference_game(const ReferenceGame& game) {
  print_reference_header(game);
  const ReferenceCounts counts = count_reference_game(game, true);
  if (counts.stopped) {
    // The header waits for its number: end its line before the notice.
    out_line_end();
    out_text("Stopped.");
    out_line_end();
    return false;
  }
  print_reference_table(counts);
  return true;
}

void print_distinguishable_hands() {
  out_text("Number of possible distinguishable poker hands with multiple decks:");
  out_line_end();
  out_line_end();
  std::int32_t per_category[kCategoryCount];
  for (int c = 0; c < kCategoryCount; ++c)
    per_category[c] = kCategoryRanges[c].last - kCategoryRanges[c].first + 1;
  print_category_rows(per_category, kCatalogueSize);
}

bool run_reference_games() {
  // Five-card games put the joker before the wild deuces, seven-card games after.
  static constexpr ReferenceGame kGames[] = {
      {false, 5, false, false}, {false, 5, false, true}, {false, 5, true, false},
      {false, 7, false, false}, {false, 7, true, false}, {false, 7, false, true},
      {true, 5, false, false},
  };
  StopWindow window;
  for (const ReferenceGame& game : kGames) {
    if (!print_reference_game(game)) return false;
    out_line_end();
  }
  print_distinguishable_hands();
  return true;
}

}  // namespace orvix
