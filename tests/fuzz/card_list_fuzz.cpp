// The card lists of "wild", "add" and "rem" applied to one game record. The
// first bytes set the game's size (through the validated setters), then
// every line is one call: its first byte picks the operation, the rest is
// the list. After each call the record must be within its limits and the
// pack must still deal every player a complete hand.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "rules/card_list.h"
#include "rules/game_rules.h"
#include "rules/word_stream.h"

using namespace orvix;

namespace {

void check_record(const GameRules& rules) {
  FUZZ_CHECK(rules.decks >= kMinDecks && rules.decks <= kMaxDecks);
  FUZZ_CHECK(rules.players >= kMinPlayers && rules.players <= kMaxPlayers);
  FUZZ_CHECK(rules.hand_size >= kMinHandSize && rules.hand_size <= kMaxHandSize);
  FUZZ_CHECK(rules.jokers >= kMinJokers && rules.jokers <= kMaxJokers);
  for (int rank = 0; rank < kRankCount; ++rank)
    for (int suit = 0; suit < kSuitCount; ++suit) {
      FUZZ_CHECK(rules.wild[rank][suit] <= 1);
      FUZZ_CHECK(rules.decks + rules.card_delta[rank][suit] >= 0);
    }
  FUZZ_CHECK(cards_available(rules) <= kMaxPackCards);
  FUZZ_CHECK(deal_fits_pack(rules));
}

// An error is one "Error: " line; a confirmation is text without a line end.
void check_result(const CardListResult& result) {
  FUZZ_CHECK(!result.text.empty());
  if (result.error) {
    FUZZ_CHECK(result.text.rfind("Error: ", 0) == 0);
    FUZZ_CHECK(result.text.find('\n') == result.text.size() - 1);
  } else {
    FUZZ_CHECK(result.text.find('\n') == std::string::npos);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  GameRules rules;
  reset_defaults(rules);
  set_decks(rules, 1 + data[0] % 50);
  set_players(rules, 1 + data[1] % 50);
  set_hand_size(rules, 1 + data[2] % 20);
  set_jokers(rules, data[3] % 101);
  check_record(rules);

  const std::string_view input(reinterpret_cast<const char*>(data) + 4, size - 4);
  std::size_t start = 0;
  while (start < input.size()) {
    std::size_t end = input.find('\n', start);
    if (end == std::string_view::npos) end = input.size();
    const std::string_view line = input.substr(start, end - start);
    start = end + 1;
    if (line.empty()) continue;

    const char pick = line[0];
    const std::string folded = upper_copy(line.substr(1));
    WordStream stream{folded};
    switch (static_cast<unsigned char>(pick) % 8) {
      case 0:
      case 1: {
        check_result(apply_card_list(rules, CardListOperation::kWild, stream));
        break;
      }
      case 2:
      case 3: {
        check_result(apply_card_list(rules, CardListOperation::kAdd, stream));
        break;
      }
      case 4:
      case 5: {
        check_result(apply_card_list(rules, CardListOperation::kRemove, stream));
        break;
      }
      case 6: {
        // A refused clear changes nothing.
        const GameRules before = rules;
        if (!clear_add_remove(rules)) FUZZ_CHECK(rules == before);
        break;
      }
      default:
        // A size change between the lists: refused ones change nothing.
        const GameRules before = rules;
        const int n = line.size() > 1 ? static_cast<unsigned char>(line[1]) % 60 : 0;
        if (!set_players(rules, n)) FUZZ_CHECK(rules == before);
        const GameRules before_hand = rules;
        if (!set_hand_size(rules, n % 21)) FUZZ_CHECK(rules == before_hand);
        break;
    }
    check_record(rules);
  }
  return 0;
}
