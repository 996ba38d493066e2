#include "rules/ranking_text.h"

namespace orvix {

std::string ranking_order_text(const Ranking& ranking) {
  std::string text;
  for (int i = 0; i < kCategoryCount; ++i) {
    if (i > 0) text += ", ";
    text += kCategoryNames[ranking.order[i]];
  }
  return text;
}

std::string ranking_line(const Ranking& ranking) {
  switch (ranking.kind) {
    case RankingKind::kAceToFive:
      return "Ranking: ace-to-five lowball (lowest hand wins; straights and flushes do not count).";
    case RankingKind::kDeuceToSeven:
      return "Ranking: deuce-to-seven lowball (lowest hand wins).";
    case RankingKind::kCategoryOrder:
      break;
  }
  return "Ranking: " + ranking_order_text(ranking) + ".";
}

}  // namespace orvix
