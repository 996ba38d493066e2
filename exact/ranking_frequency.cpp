#include <algorithm>

#include "exact/exact_report.h"
#include "platform/console.h"
#include "rules/ranking_text.h"

namespace orvix {

namespace {

// The categories of a count, highest first: rarer above more common, equal
// counts in the standard order, and those never dealt below every other.
void order_by_rarity(const ExactTable& table, int (&order)[kCategoryCount]) {
  for (int i = 0; i < kCategoryCount; ++i) order[i] = kCategoryCount - 1 - i;
  std::stable_sort(order, order + kCategoryCount, [&table](int a, int b) {
    const BigCount& count_a = table.by_category[a];
    const BigCount& count_b = table.by_category[b];
    if ((count_a == 0) != (count_b == 0)) return count_b == 0;
    return count_a < count_b;
  });
}

}  // namespace

void run_ranking_frequency(GameRules& rules, bool, int workers) {
  if (const std::string refusal = exact_command_refusal(rules); !refusal.empty()) {
    out_text(refusal);
    return;
  }
  // A lowball ranking files hands by the lowest winning, which says nothing
  // of how rare a category is among the best hands players make: the first
  // count takes the game as if it were standard, and the order found is a
  // custom one, highest hand winning, like any other.
  GameRules counted = rules;
  if (rules.ranking.kind != RankingKind::kCategoryOrder) counted.ranking = standard_ranking();
  const ExactTable first = count_as_exact(counted, workers);
  if (first.stopped) {
    print_count_stopped();
    return;
  }
  int order[kCategoryCount];
  order_by_rarity(first, order);
  GameRules ranked = counted;
  ranking_from_order(order, ranked.ranking, counted.ranking.ace_six_straights);
  // With wild cards the hands choose differently under the new order, so the
  // categories' counts move; the notes tell the pairs they leave out of order.
  const ExactTable second = count_as_exact(ranked, workers);
  if (second.stopped) {
    print_count_stopped();
    return;
  }
  rules.ranking = ranked.ranking;
  out_text("Ranking now custom: " + ranking_order_text(rules.ranking) + ".");
  out_line_end();
  if (print_rarity_notes(second, rules.ranking) == 0) {
    out_text("No category is more common than one it outranks.");
    out_line_end();
  }
}

}  // namespace orvix
