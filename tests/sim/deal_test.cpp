// Dealing games with a board and held cards, and counting every seat.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <orvix/evaluate.h>
#include "deal_helpers.h"
#include "sim/trials.h"
#include "sim/seeding.h"

namespace orvix {
namespace {

struct DealGame {
  const char* name;
  int decks, players, hand_size, board, use, jokers;
  bool twos_wild;
  const char* seat_1;
  const char* seat_2;
  const char* board_hold;
};

GameRules rules_of(const DealGame& g) {
  GameRules rules;
  rules.decks = g.decks;
  rules.players = g.players;
  rules.hand_size = g.hand_size;
  rules.board = g.board;
  rules.use = g.use;
  rules.jokers = g.jokers;
  if (g.twos_wild)
    for (int s = 0; s < kSuitCount; ++s) rules.wild[0][s] = 1;
  rules.holds[0] = held(g.seat_1);
  rules.holds[1] = held(g.seat_2);
  rules.board_hold = held(g.board_hold);
  return rules;
}

std::vector<CardCode> sorted(std::vector<CardCode> cards) {
  std::sort(cards.begin(), cards.end());
  return cards;
}

// A pack of Twos, Kings and Aces and one joker, Twos wild: 13 cards, of
// which every deal gives out 9 or 10, so each deal shows nearly the whole
// pack. Every deal must hold the held cards where they are held, and the
// table with the cards left undealt must be exactly the pack.
TEST(DealHolds, HeldCardsAreInEveryDealAndTheRestComeFromWhatIsLeft) {
  const DealGame games[] = {{"use 2", 1, 2, 3, 3, 2, 1, true, "As 2h", "*", "Kd"},
                            {"hold'em", 1, 2, 2, 5, kUseAny, 1, true, "2h", "Ac *", "As Kd"},
                            {"no board", 1, 2, 5, 0, kUseAny, 1, true, "", "Kh 2d *", ""}};
  for (const DealGame& g : games) {
    GameRules rules = rules_of(g);
    for (int rank = 1; rank < 11; ++rank)
      for (int suit = 0; suit < kSuitCount; ++suit) rules.card_delta[rank][suit] = -1;
    std::vector<CardCode> pack(static_cast<std::size_t>(cards_available(rules)));
    build_deck(rules, pack.data());
    pack = sorted(pack);
    const auto code = [](const char* text) {
      CardCode card = 0;
      parse_card(text, card);
      return card == kJoker ? card
                            : make_card(card_rank_index(card), card_suit_index(card),
                                        card_rank_index(card) == 0);
    };
    SimWorker worker;
    configure_worker(worker, rules);
    seed_worker(worker, 5, 6);
    const int table_cards = cards_dealt(rules);
    ASSERT_EQ(worker.dealt_cards + held_card_count(rules), table_cards) << g.name;
    for (int deal = 0; deal < 200; ++deal) {
      shuffle_deal(worker);
      std::vector<CardCode> seen;
      for (int k = 0; k < table_cards; ++k) seen.push_back(table_card(worker, k));
      seen.insert(seen.end(), worker.deck.begin() + worker.dealt_cards,
                  worker.deck.begin() + worker.deck_size);
      ASSERT_EQ(sorted(seen), pack) << g.name << ", deal " << deal;
      const struct {
        const char* text;
        int first;
      } holds[] = {{g.seat_1, 0}, {g.seat_2, g.hand_size}, {g.board_hold, g.players * g.hand_size}};
      for (const auto& hold : holds) {
        std::istringstream words(hold.text);
        std::string word;
        for (int k = hold.first; words >> word; ++k)
          ASSERT_EQ(table_card(worker, k), code(word.c_str())) << g.name << ", " << hold.text;
      }
    }
  }
}

// Every loop (hands from the deck, the shared board's count words, the
// board's shares under a use rule, hands gathered whole) against a replay of the same deals valued
// one hand at a time by evaluate_use, each seat counted by count_seat_deal.
TEST(DealHolds, TheLoopsCountWhatAReplayOfTheSameDealsCounts) {
  const DealGame games[] = {
      {"default", 1, 5, 5, 0, kUseAny, 0, false, "", "", ""},
      {"three cards", 1, 6, 3, 0, kUseAny, 0, false, "", "", ""},
      {"hold'em", 1, 9, 2, 5, kUseAny, 0, false, "", "", ""},
      {"hold'em, holds", 1, 6, 2, 5, kUseAny, 0, false, "As Ad", "", "Kh 7c"},
      {"hold'em, 12 seats", 1, 12, 2, 5, kUseAny, 0, false, "", "Qd", ""},
      {"wild 3 + 2", 1, 4, 3, 2, kUseAny, 2, true, "", "", ""},
      {"wild 3 + 2, holds", 1, 4, 3, 2, kUseAny, 2, true, "", "2c", ""},
      {"4 + 3 any", 1, 6, 4, 3, kUseAny, 0, false, "", "", ""},
      {"7 cards, holds", 2, 5, 7, 0, kUseAny, 1, false, "", "* Th Th", ""},
      {"use 2, holds", 1, 5, 4, 5, 2, 0, false, "As Ad", "", "Kh"},
      {"use 1, wild", 2, 3, 3, 6, 1, 2, true, "2h", "*", ""},
      {"use 3, too many picks to list", 1, 2, 9, 6, 3, 1, false, "", "*", "Ac"},
      {"4 + 5 any", 1, 4, 4, 5, kUseAny, 2, false, "", "", ""},
      {"6 cards, holds", 1, 3, 6, 0, kUseAny, 0, true, "Qs Qd", "", ""},
      {"1 + 3 any", 1, 8, 1, 3, kUseAny, 0, false, "", "", "Ah"},
  };
  for (const DealGame& g : games) {
    const GameRules rules = rules_of(g);
    SimWorker looped, replayed;
    configure_worker(looped, rules);
    configure_worker(replayed, rules);
    seed_worker(looped, 77, 2);
    seed_worker(replayed, 77, 2);
    const int deals = 2000;
    play_deals(looped, deals);

    SeatResults seats;
    std::vector<CardCode> table(static_cast<std::size_t>(cards_dealt(rules)));
    std::vector<HandValue> values(static_cast<std::size_t>(g.players));
    for (int deal = 0; deal < deals; ++deal) {
      shuffle_deal(replayed);
      for (std::size_t k = 0; k < table.size(); ++k)
        table[k] = table_card(replayed, static_cast<int>(k));
      const CardCode* const board = table.data() + g.players * g.hand_size;
      for (int p = 0; p < g.players; ++p) {
        const CardCode* const own = table.data() + p * g.hand_size;
        values[p] = g.board == 0 ? evaluate(own, g.hand_size)
                                 : evaluate_use(own, g.hand_size, board, g.board, g.use);
      }
      const HandValue best = *std::max_element(values.begin(), values.end());
      count_seat_deal(seats, values.data(), g.players, best);
      for (const HandValue v : values)
        ++(v == best ? replayed.win_counts : replayed.loss_counts)[result_cell(v)];
    }
    for (int cell = 0; cell < kResultCells; ++cell) {
      ASSERT_EQ(looped.win_counts[cell], replayed.win_counts[cell]) << g.name << ", cell " << cell;
      ASSERT_EQ(looped.loss_counts[cell], replayed.loss_counts[cell])
          << g.name << ", cell " << cell;
    }
    EXPECT_EQ(looped.seats.deals, static_cast<std::uint64_t>(deals)) << g.name;
    for (int p = 0; p < kMaxPlayers; ++p)
      EXPECT_TRUE(looped.seats.seat[p] == seats.seat[p]) << g.name << ", seat " << p + 1;
  }
}

}  // namespace
}  // namespace orvix
