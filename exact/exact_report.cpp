#include "exact/exact_report.h"

#include <algorithm>
#include <string>

#include "platform/console.h"
#include "platform/processors.h"
#include "platform/progress_line.h"
#include "platform/stop_request.h"
#include "exact/equity_report.h"
#include "exact/seat_equity.h"
#include "rules/describe.h"

namespace orvix {

namespace {

constexpr int kMinimumCountWidth = 12;

const char* plural(std::int64_t count, const char* one, const char* many) {
  return count == 1 ? one : many;
}

double percent_of(const BigCount& part, const BigCount& whole) {
  if (whole == 0) return 0.0;
  return part.convert_to<double>() / whole.convert_to<double>() * 100.0;
}

void print_game_lines(const GameRules& rules) {
  out_printf("Poker with %d %s, %d %s, one hand of %d %s.\n", rules.decks,
             plural(rules.decks, "deck", "decks"), rules.jokers,
             plural(rules.jokers, "joker", "jokers"), rules.hand_size,
             plural(rules.hand_size, "card", "cards"));
  describe_cards(rules);
  describe_ranking(rules);
}

void print_category_rows(const ExactTable& table, int width) {
  out_printf("%-15s %*s %12s  %s", "HAND", width, "HANDS", "PERCENT", "ODDS");
  out_line_end();
  for (int c = 0; c < kCategoryCount; ++c) {
    const BigCount& count = table.by_category[c];
    out_printf("%-15s %*s ", kPaddedCategoryNames[c], width, count_text(count).c_str());
    out_fixed(percent_of(count, table.total), 11, 6);
    if (count == 0) {
      out_text("%  -");
    } else {
      out_text("%  1 in ");
      out_text(format_fixed(table.total.convert_to<double>() / count.convert_to<double>(), 2));
    }
    out_line_end();
  }
  out_printf("%-15s %*s ", "Total", width, count_text(table.total).c_str());
  out_fixed(100.0, 11, 6);
  out_text("%");
  out_line_end();
}

void print_rank_rows(const ExactTable& table, int width) {
  out_printf("%-15s", "HAND");
  for (int r = kRankCount - 1; r >= 0; --r) out_printf(" %*s", width, kRankHeadings[r]);
  out_line_end();
  for (int c = 0; c < kCategoryCount; ++c) {
    out_printf("%-15s", kPaddedCategoryNames[c]);
    for (int r = kRankCount - 1; r >= 0; --r)
      out_printf(" %*s", width, count_text(table.by_rank[c][r]).c_str());
    out_line_end();
  }
}

}  // namespace

// With wild cards a higher category can be the more common one; a pay table
// that follows the usual order would then pay more for the likelier hand. A
// category the game can never deal (straights in four cards, pairs in a
// one-suit pack) has no rarity to compare, so it gets no note. Pairs come
// by the order's positions, the higher one's outer.
int print_rarity_notes(const ExactTable& table, const Ranking& ranking) {
  int notes = 0;
  for (int higher_at = 1; higher_at < kCategoryCount; ++higher_at)
    for (int lower_at = 0; lower_at < higher_at; ++lower_at) {
      const int higher = ranking.order[kCategoryCount - 1 - higher_at];
      const int lower = ranking.order[kCategoryCount - 1 - lower_at];
      if (table.by_category[lower] == 0 || table.by_category[higher] <= table.by_category[lower])
        continue;
      ++notes;
      out_text("Note: ");
      out_text(kCategoryNames[higher]);
      out_text(" (");
      out_text(format_fixed(percent_of(table.by_category[higher], table.total), 6));
      out_text("%) is more common than ");
      out_text(kCategoryNames[lower]);
      out_text(" (");
      out_text(format_fixed(percent_of(table.by_category[lower], table.total), 6));
      out_text("%), though it ranks higher.");
      out_line_end();
    }
  return notes;
}

void print_exact_table(const ExactTable& table, const Ranking& ranking) {
  const int width = std::max(kMinimumCountWidth, static_cast<int>(count_text(table.total).size()));
  print_category_rows(table, width);
  out_line_end();
  print_rank_rows(table, width);
  // Under lowball the lowest hand wins, and a rarer hand is no better one.
  if (ranking.kind == RankingKind::kCategoryOrder) print_rarity_notes(table, ranking);
}

void print_count_stopped() {
  out_text("Stopped.");
  out_line_end();
  end_session_if_not_interactive();
  out_line_end();
}

bool exact_counts_seat_one(const GameRules& rules) { return rules.board > 0 || has_holds(rules); }

ExactGame closed_exact_game(const GameRules& rules) {
  ExactGame game;
  game.pack = pack_from_rules(rules);
  game.hand_size = rules.hand_size;
  game.ranking = rules.ranking;
  return game;
}

std::string exact_command_refusal(const GameRules& rules) {
  return exact_counts_seat_one(rules) ? seat_one_refusal(rules)
                                      : exact_refusal(closed_exact_game(rules));
}

std::string exact_rules_refusal(const GameRules& rules) {
  return exact_counts_seat_one(rules) ? seat_one_refusal(rules) : std::string();
}

std::string exact_refusal(const ExactGame& game) {
  const std::uint64_t multisets = distinct_code_multisets(game);
  if (multisets > kExactMultisetLimit)
    return "Error: exact would evaluate " + std::to_string(multisets) +
           " hands (limit 10000000000); use go to simulate.\n";
  // The rules never let the pack fall short of a hand; never count nothing.
  if (total_hands(game) == 0) return "Error: Not enough cards to deal a complete hand.\n";
  return {};
}

namespace {

void run_exact_seat_one(const GameRules& rules, bool quiet, int workers) {
  if (const std::string refusal = seat_one_refusal(rules); !refusal.empty()) {
    out_text(refusal);
    return;
  }
  const BigCount total = seat_one_deals(rules);
  if (!quiet) out_line_end();
  print_count_game_lines(rules, 1);
  out_printf("Counting %s %s.", count_text(total).c_str(), total == 1 ? "hand" : "hands");
  out_line_end();
  out_line_end();

  const ExactTable table = count_as_exact(rules, workers);
  if (table.stopped) {
    print_count_stopped();
    return;
  }
  print_exact_table(table, rules.ranking);
  out_line_end();
}

}  // namespace

ExactTable count_as_exact(const GameRules& rules, int workers) {
  workers = workers > 0 ? workers : processor_count();
  StopWindow window;
  if (exact_counts_seat_one(rules)) {
    EquityOptions options;
    options.workers = workers;
    options.watch_stop = true;
    ProgressScope progress(static_cast<std::uint64_t>(seat_one_deals(rules)), "hands");
    options.progress = &progress.line;
    return count_seat_one_hands(rules, options);
  }
  const ExactGame game = closed_exact_game(rules);
  ExactOptions options;
  options.workers = workers;
  options.watch_stop = true;
  ProgressScope progress(distinct_code_multisets(game), kMultisetUnit);
  options.progress = &progress.line;
  return count_exact(game, options);
}

void run_exact(const GameRules& rules, bool quiet, int workers) {
  if (exact_counts_seat_one(rules)) {
    run_exact_seat_one(rules, quiet, workers);
    return;
  }
  const ExactGame game = closed_exact_game(rules);
  if (const std::string refusal = exact_refusal(game); !refusal.empty()) {
    out_text(refusal);
    return;
  }
  const BigCount total = total_hands(game);

  if (!quiet) out_line_end();
  print_game_lines(rules);
  out_printf("Counting %s %s.", count_text(total).c_str(), total == 1 ? "hand" : "hands");
  out_line_end();
  out_line_end();

  const ExactTable table = count_as_exact(rules, workers);
  if (table.stopped) {
    print_count_stopped();
    return;
  }
  print_exact_table(table, rules.ranking);
  out_line_end();
}

}  // namespace orvix
