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

}  // namespace orvix
