// Scores one hand through the installed library; exit 0 when it is right.
#include <orvix/evaluate.h>
#include <orvix/tables.h>

#include <cstdio>

int main() {
  orvix::build_eval_tables();
  // Two wild cards with a Seven and an Eight of hearts and a Nine: a Jack-high straight.
  const orvix::CardCode hand[5] = {orvix::kJoker, orvix::kJoker, orvix::make_card(5, 3, false),
                                   orvix::make_card(6, 3, false), orvix::make_card(7, 1, false)};
  const orvix::HandValue value = orvix::select_evaluator(5)(hand);
  std::printf("0x%08X %s %s\n", value, orvix::kCategoryNames[orvix::hand_category(value)],
              orvix::kRankWords[orvix::top_rank(value)]);
  return value == 0x408003E0u ? 0 : 1;
}
