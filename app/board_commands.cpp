#include "app/board_commands.h"

#include <cstdint>
#include <limits>
#include <string>

#include "command_output.h"
#include "rules/describe.h"

namespace orvix {

namespace {

// A count no setter takes: what a missing or unreadable argument becomes, so
// that the rules refuse it with their own text.
constexpr int kNoCount = -1;

// The number of blank-separated words left on the line.
int words_left(WordStream words) {
  int count = 0;
  while (!read_word(words).empty()) ++count;
  return count;
}

}  // namespace

void board_command(LoopState& state, CommandArgs& args) {
  std::int32_t count = kNoCount;
  read_int32(args.words, count);
  if (!set_board(state.rules, count)) {
    print_refusal(state.rules);
    return;
  }
  confirm(args, board_sentence(state.rules.board));
}

void use_command(LoopState& state, CommandArgs& args) {
  const std::string_view word = read_word(args.words);
  int use = kNoCount;
  std::uint64_t number = 0;
  if (word == "ANY")
    use = kUseAny;
  else if (parse_digits(word, 3, kMaxUse, number) && number != 0)
    use = static_cast<int>(number);
  if (!set_use(state.rules, use)) {
    print_refusal(state.rules);
    return;
  }
  confirm(args, use_sentence(state.rules.use));
}

void hold_command(LoopState& state, CommandArgs& args) {
  const std::string_view first = read_word(args.words);
  if (first == "CLEAR") {
    clear_holds(state.rules);
    confirm(args, "No seat holds cards.");
    return;
  }
  // Seats are numbered from 1; seat 0 is how the rules name the board.
  std::uint64_t number = 0;
  int seat = 0;
  if (first != "BOARD") {
    if (!parse_digits(first, 9, std::numeric_limits<std::int32_t>::max(), number) || number == 0) {
      out_text(kHoldSeatWordRefusal);
      return;
    }
    seat = static_cast<int>(number);
  }
  std::string refusal = hold_refusal(state.rules, seat, words_left(args.words));
  HeldCards cards;
  // The cards as typed, so that a refusal quotes a card the way it was written.
  if (refusal.empty()) parse_held_cards(args.typed.substr(args.words.pos), cards, refusal);
  if (refusal.empty()) refusal = set_hold(state.rules, seat, cards);
  if (!refusal.empty()) {
    out_text(refusal);
    return;
  }
  confirm(args, hold_sentence(state.rules, seat));
}

}  // namespace orvix
