#include "app/ranking_commands.h"

#include <string>
#include <string_view>

#include "command_output.h"
#include "exact/exact_report.h"
#include "rules/ranking_rules.h"
#include "rules/ranking_text.h"

namespace orvix {

void ranking_command(LoopState& state, CommandArgs& args) {
  WordStream words = args.words;
  const std::string_view word = read_word(words);
  if (word.empty()) {
    out_text(ranking_line(state.rules.ranking));
    out_line_end();
    return;
  }
  if (word == "FREQUENCY" && read_word(words).empty()) {
    if (!state.skip_enumerations) run_ranking_frequency(state.rules, args.quiet);
    return;
  }
  if (!set_ranking(state.rules, args.typed.substr(args.words.pos))) {
    print_refusal(state.rules);
    return;
  }
  confirm(args, std::string("Ranking now ") + ranking_name(state.rules.ranking) + ".");
}

}  // namespace orvix
