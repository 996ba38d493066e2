#pragma once
// The game the next run will play, with its limits. Every change that could
// leave the pack unable to deal every player a complete hand is validated;
// a refused change leaves every field but error_text as it was.

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include <orvix/card.h>
#include <orvix/evaluate.h>
#include <orvix/ranking.h>

namespace orvix {

// The limits of a game. The upper limits of players and hand size keep
// players * hand_size small enough for any int.
inline constexpr std::int32_t kMinDecks = 1;
inline constexpr std::int32_t kMaxDecks = 50;
inline constexpr std::int32_t kMinPlayers = 1;
inline constexpr std::int32_t kMaxPlayers = 50;
inline constexpr std::int32_t kMinHandSize = 1;
// kMaxHandSize (20) is the evaluator's own limit (<orvix/evaluate.h>): a game
// may deal every hand size the evaluator scores, and no other.
inline constexpr std::int32_t kMinJokers = 0;
inline constexpr std::int32_t kMaxJokers = 100;
inline constexpr std::int64_t kMinRunLength = 1;
inline constexpr std::int64_t kMaxRunLength = std::numeric_limits<std::int32_t>::max();

// The reason for the last refused change: a fixed text ending in '\n', or
// null. It describes no part of the game, so it never makes two games differ.
struct RefusalReason {
  const char* text = nullptr;
  friend bool operator==(const RefusalReason&, const RefusalReason&) { return true; }
};

// The most board cards, and the card kind of a joker in a list of held cards
// (natural kinds are rank * kSuitCount + suit, 0..51).
inline constexpr std::int32_t kMaxBoard = 19;
inline constexpr int kJokerKind = kCardKinds;

// Cards a seat or the board is known to hold, as typed: kinds[0..count) in the
// order given, every later entry 0. Whether a held card is wild follows the
// wild rules when the game is dealt.
struct HeldCards {
  std::int32_t count = 0;
  std::uint8_t kinds[kMaxHandSize] = {};

  bool operator==(const HeldCards&) const = default;
};

struct GameRules {
  RefusalReason error_text;
  std::int32_t decks = 1;                                // kMinDecks..kMaxDecks standard decks
  std::int32_t players = 5;                              // kMinPlayers..kMaxPlayers
  std::int32_t hand_size = 5;                            // kMinHandSize..kMaxHandSize
  std::int32_t jokers = 0;                               // kMinJokers..kMaxJokers, always wild
  std::uint8_t wild[kRankCount][kSuitCount] = {};        // 1 = every copy of that kind is wild
  std::int32_t card_delta[kRankCount][kSuitCount] = {};  // copies added (+) or removed (-)
  std::int32_t run_length = 5000000;     // deals per run, kMinRunLength..kMaxRunLength
  std::int32_t board = 0;                // 0..kMaxBoard cards shared by every player
  std::int32_t use = kUseAny;            // with a board: kUseAny, or exactly 1..kMaxUse own cards
  HeldCards holds[kMaxPlayers];          // holds[s]: the known cards of seat s + 1
  HeldCards board_hold;                  // the known board cards
  Ranking ranking = standard_ranking();  // the order hands are valued by

  // Same game: every field but error_text.
  bool operator==(const GameRules&) const = default;
};

// Every card a deal gives out: each player's hand and the board.
int cards_dealt(const GameRules& rules);

// Same deal: every field but error_text and run_length. Seat results and
// counts of two runs add up only when their games deal alike.
bool same_deal_rules(const GameRules& a, const GameRules& b);

// Whether any seat or the board holds known cards.
bool has_holds(const GameRules& rules);

// The most cards a pack may hold, jokers included. The largest game without
// added cards has 50 x 52 + 100 = 2,700; the bound keeps every worker's copy
// of the pack small whatever is added.
inline constexpr int kMaxPackCards = 100000;

void reset_defaults(GameRules& rules);

bool set_decks(GameRules& rules, int count);
bool set_players(GameRules& rules, int count);
bool set_hand_size(GameRules& rules, int count);
bool set_jokers(GameRules& rules, int count);
// Any count is accepted as input; 0, negative counts and counts above
// kMaxRunLength are refused.
bool set_run_length(GameRules& rules, std::int64_t count);

bool remove_card(GameRules& rules, int rank, int suit);
bool remove_rank(GameRules& rules, int rank);
bool remove_suit(GameRules& rules, int suit);

// Adding one copy of a card, of each suit of a rank, or of each rank of a
// suit. Refused as a whole (false, error_text set) when the pack would hold
// more than kMaxPackCards.
bool add_card(GameRules& rules, int rank, int suit);
bool add_rank(GameRules& rules, int rank);
bool add_suit(GameRules& rules, int suit);

void set_wild_card(GameRules& rules, int rank, int suit);
void set_wild_rank(GameRules& rules, int rank);
void set_wild_suit(GameRules& rules, int suit);
void clear_wilds(GameRules& rules);

// Drops every added and removed card. Refused (false, error_text set) when the
// plain pack could then no longer deal every player a complete hand.
bool clear_add_remove(GameRules& rules);

// Pack size: the positive copies of every kind plus the jokers.
int cards_available(const GameRules& rules);
bool has_negative_card(const GameRules& rules);

// The one test of "the deal fits the pack": at least one player of at least
// one card, a hand and board of at most 20 cards, no kind removed below zero
// copies, enough cards for every player's hand and the board, and every hold
// fitting: its seat plays, it fits the hand (the board), and the pack holds
// each held card as often as all holds together name it. Every accepted
// change keeps it true, so a run may rely on it. A change that would leave a
// hold unfit is refused with "Error: That change would break a hold; ...".
bool deal_fits_pack(const GameRules& rules);

// The fixed refusals of the words of use and hold that are not a rule, one
// text for the console and every embedder.
inline constexpr const char kUseWordRefusal[] = "Error: use takes any or a number from 1 to 5.\n";
inline constexpr const char kHoldSeatWordRefusal[] =
    "Error: hold takes a seat number, \"board\" or \"clear\".\n";
// The refusal of a hand and board of more than kMaxHandSize cards together.
inline constexpr const char kHandAndBoardTooLarge[] =
    "Error: A hand and the board hold at most 20 cards together.\n";

// Board and use rule. set_board refuses a count outside 0..kMaxBoard, a hand
// and board of more than 20 cards, a board the pack cannot deal and a board
// smaller than its held cards, in that order (set_hand_size also refuses a
// hand and board of more than 20). set_use takes kUseAny or 1..kMaxUse.
bool set_board(GameRules& rules, int count);
bool set_use(GameRules& rules, int use);

// The refusal of a run whose hands cannot be valued under the use rule,
// "Error: use K needs at least K own cards and 5-K board cards.\n" with the
// numbers filled in; empty when the game can be played (always without a board).
std::string use_refusal(const GameRules& rules);

// Reads blank-separated cards ("As td *", either case) into cards. On a token
// that is not a card (or more than kMaxHandSize cards) returns false with the
// refusal text in error ("Error: \"TOKEN\" is not a card.\n", the token as
// given) and cards untouched.
bool parse_held_cards(std::string_view text, HeldCards& cards, std::string& error);

// The refusal of giving seat 1..players (0: the board) `count` cards, before
// looking at which cards: a seat not in the game, then more cards than the
// hand (the board) holds; empty when both fit. set_hold starts with it; the
// hold command asks it before reading the cards, so that a long list names
// its length before a bad card:
//   5 players: hold_refusal(rules, 7, 1) == "Error: Seat 7 is not in the game (5 players).\n"
std::string hold_refusal(const GameRules& rules, int seat, int count);

// Gives seat 1..players (seat 0: the board) the known cards `cards`, an
// empty list clearing that hold. Returns the refusal text ("Error: ...\n",
// the rules untouched): hold_refusal's, or, for the first card the pack does
// not hold that often beside every other hold, "Error: The pack holds no more
// As.\n" ("... no more jokers.\n"); an empty string when the hold is set.
std::string set_hold(GameRules& rules, int seat, const HeldCards& cards);
void clear_holds(GameRules& rules);

// The held cards as shown: "As Ad *".
std::string held_cards_text(const HeldCards& cards);

}  // namespace orvix
