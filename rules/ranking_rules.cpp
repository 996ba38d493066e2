#include "rules/ranking_rules.h"

#include "rules/ascii.h"
#include "rules/word_stream.h"

namespace orvix {

bool set_ranking(GameRules& rules, std::string_view words) {
  WordStream stream{words, 0};
  const std::string word = upper_copy(read_word(stream));
  if (word == "ORDER") {
    if (!parse_ranking_order(words.substr(stream.pos), rules.ranking)) {
      rules.error_text.text = kRankingOrderRefusal;
      return false;
    }
    return true;
  }
  Ranking named;
  if (!read_word(stream).empty() || !named_ranking(word, named)) {
    rules.error_text.text = kRankingWordRefusal;
    return false;
  }
  rules.ranking = named;
  return true;
}

}  // namespace orvix
