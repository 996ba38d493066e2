// Scores hands through the installed library, with nothing but its public
// headers and no set-up call; exit 0 when every value is right.
#include <orvix/best_five.h>
#include <orvix/card.h>
#include <orvix/evaluate.h>
#include <orvix/ranking.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Reads "As Kd *" into cards; false on a word parse_card refuses.
bool read_hand(std::string_view text, std::vector<orvix::CardCode>& cards) {
  cards.clear();
  while (!text.empty()) {
    const std::size_t blank = text.find(' ');
    orvix::CardCode card;
    if (!orvix::parse_card(text.substr(0, blank), card)) return false;
    cards.push_back(card);
    text = blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
  }
  return true;
}

struct Case {
  const char* hand;
  orvix::HandValue value;
  const char* category;
  int top_rank;
};

// Scored while the program's globals are initialised, before main.
const orvix::CardCode kEarly[7] = {orvix::kJoker,
                                   orvix::make_card(12, 3, false),
                                   orvix::make_card(12, 0, false),
                                   orvix::make_card(11, 3, false),
                                   orvix::make_card(11, 0, false),
                                   orvix::make_card(3, 2, false),
                                   orvix::make_card(4, 2, false)};
const orvix::HandValue kEarlyValue = orvix::evaluate(kEarly, 7);

}  // namespace

int main() {
  const Case cases[] = {
      {"* * 7h 8h 9s", 0x408003E0, "Straight", 9},
      {"As Kd 9c 5h 3s 2d 7c", 0x062A0000, "High Card", 12},
      {"* ah AD kh Kd 5c 6c", 0x64001800, "Full House", 12},
      {"Ts Js Qs Ks As", 0x84001F00, "Straight Flush", 12},
      {"As Ks 9s 5s 3s", 0x500CB731, "Flush", 12},
      {"* * * * * 2d", 0x94000000, "Five of a Kind", 12},
      {"2d", 0x00004000, "High Card", 0},
  };
  bool right = kEarlyValue == 0x64001800u;
  std::printf("before main: 0x%08X\n", kEarlyValue);
  std::vector<orvix::CardCode> cards;
  for (const Case& c : cases) {
    if (!read_hand(c.hand, cards)) {
      std::printf("%s: unreadable\n", c.hand);
      right = false;
      continue;
    }
    const int n = static_cast<int>(cards.size());
    const orvix::HandValue v = orvix::evaluate(cards.data(), n);
    const std::string category = orvix::kCategoryNames[orvix::hand_category(v)];
    std::printf("%-22s 0x%08X %s %s\n", c.hand, v, category.c_str(),
                orvix::kRankWords[orvix::top_rank(v)]);
    right = right && v == c.value && v == orvix::select_evaluator(n)(cards.data()) &&
            category == c.category && orvix::top_rank(v) == c.top_rank;
  }
  // Short deck: the Flush in these eight cards beats their Full House.
  const orvix::Ranking shortdeck = orvix::shortdeck_ranking();
  right =
      right && read_hand("Kh Kd Kc 9h 9s 5h 2h Jh", cards) &&
      orvix::hand_category(orvix::evaluate(cards.data(), 8, shortdeck), shortdeck) == orvix::kFlush;
  right = right && orvix::card_text(orvix::make_card(8, 0, false)) == "Td" &&
          orvix::card_text(orvix::kJoker) == "*";
  // The five cards of the Full House scored before main, the joker as an Ace.
  const std::string five = orvix::best_five_text(orvix::best_five(kEarly, 7));
  std::printf("best five: %s\n", five.c_str());
  right = right && five == "Ad Ah A* Kd Kh";
  std::printf("%s\n", right ? "all right" : "WRONG");
  return right ? 0 : 1;
}
