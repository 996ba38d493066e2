// The evaluators on hand-worked values, under reordering and re-labelling of
// wild cards, and over every five-card hand of one deck; the entry points on
// sizes they refuse; the card text.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <string_view>

#include <orvix/card.h>
#include <orvix/evaluate.h>
#include <orvix/internal/catalogue.h>
#include <orvix/internal/evaluators.h>
#include <orvix/internal/fast_eval.h>

#include "eval/known_hands.h"
#include "support/brute_force.h"
#include "support/random_hands.h"

namespace orvix::test {
namespace {

// Every way the program can reach an evaluator for this many cards.
std::vector<HandValue> all_evaluations(const std::vector<CardCode>& cards) {
  const int n = static_cast<int>(cards.size());
  std::vector<HandValue> out = {select_evaluator(n)(cards.data()), evaluate(cards.data(), n)};
  if (n >= 5) out.push_back(evaluate_many(n, cards.data()));
  if (n == 5) {
    out.push_back(evaluate_5(cards.data()));
    out.push_back(evaluate_5_fast(cards.data()));
    out.push_back(evaluate_5_general(cards.data()));
  }
  if (n == 7) {
    out.push_back(evaluate_7(cards.data()));
    out.push_back(evaluate_7_fast(cards.data()));
    out.push_back(evaluate_7_general(cards.data()));
  }
  return out;
}

void expect_value(const std::vector<CardCode>& cards, HandValue want, const std::string& label) {
  for (HandValue got : all_evaluations(cards))
    EXPECT_EQ(got, want) << label << " as " << hand_text(cards) << std::hex << ": got 0x" << got
                         << " want 0x" << want;
}

TEST(Evaluate, KnownHands) {
  for (const KnownHand& k : kKnownBigHands) expect_value(hand(k.hand), k.value, k.hand);
  for (const KnownHand& k : kKnownSmallHands) expect_value(hand(k.hand), k.value, k.hand);
}

// Card order never matters, nor the rank and suit a wild card once had.
TEST(Evaluate, OrderAndWildLabelsDoNotMatter) {
  std::mt19937_64 rng(7);
  std::uniform_int_distribution<int> rank_of(0, kRankCount - 1), suit_of(0, kSuitCount - 1);
  const auto check = [&](const KnownHand& k) {
    std::vector<CardCode> cards = hand(k.hand);
    for (int round = 0; round < 24; ++round) {
      std::shuffle(cards.begin(), cards.end(), rng);
      for (CardCode& c : cards)
        if (is_wild(c)) c = make_card(rank_of(rng), suit_of(rng), true);
      expect_value(cards, k.value, k.hand);
    }
  };
  for (const KnownHand& k : kKnownBigHands) check(k);
  for (const KnownHand& k : kKnownSmallHands) check(k);
}

// Each size has its evaluator, and evaluate() scores as it does: on random
// hands of that size with and without wild cards.
TEST(Evaluate, EvaluateAgreesWithSelectEvaluator) {
  const evaluate_hand own[] = {evaluate_1, evaluate_2, evaluate_3, evaluate_4,
                               evaluate_5, nullptr,    evaluate_7};
  std::mt19937_64 rng(11);
  for (int n = 1; n <= kMaxHandSize; ++n) {
    const evaluate_hand score = select_evaluator(n);
    ASSERT_NE(score, nullptr) << n;
    if (n <= 7 && own[n - 1] != nullptr) {
      EXPECT_EQ(score, own[n - 1]) << n;
    }
    for (int i = 0; i < 200; ++i) {
      const std::vector<CardCode> cards = random_hand(rng, {n, i % 4 == 0 ? std::min(n, 2) : 0});
      ASSERT_EQ(evaluate(cards.data(), n), score(cards.data())) << hand_text(cards);
      if (n >= 5) {
        ASSERT_EQ(evaluate_many(n, cards.data()), score(cards.data())) << hand_text(cards);
      }
    }
  }
}

// A size outside 1..20 is refused in every build: no evaluator and the value
// 0, and an assertion failure where asserts are on (Debug, sanitizers).
TEST(EvaluateDeathTest, SizesOutsideOneToTwentyAreRefused) {
  CardCode cards[kMaxHandSize + 1];
  for (int i = 0; i <= kMaxHandSize; ++i)
    cards[i] = make_card(i % kRankCount, i % kSuitCount, false);
  for (int n : {-1, 0, kMaxHandSize + 1, 1000}) {
    [[maybe_unused]] evaluate_hand score = evaluate_1;
    [[maybe_unused]] HandValue value = 1;
    EXPECT_DEBUG_DEATH(score = select_evaluator(n), "hand_size") << n;
    EXPECT_DEBUG_DEATH(value = evaluate(cards, n), "hand_size") << n;
#ifdef NDEBUG
    EXPECT_EQ(score, nullptr) << n;
    EXPECT_EQ(value, 0u) << n;
#endif
  }
}

TEST(Evaluate, FlushValueWritesWildAcesThenRanks) {
  struct Case {
    int wilds;
    unsigned s1, s2, s3;
    HandValue want;
  };
  const Case cases[] = {
      {0, 0x1000 | 0x800 | 0x80 | 0x8 | 0x2, 0, 0, 0x500CB731},   // A K 9 5 3
      {1, 0x1000 | 0x800 | 0x400 | 0x80, 0x1000, 0, 0x500CCCBA},  // wild, A A, K, Q
      {0, 0x1000 | 0x800 | 0x400, 0x1000, 0x1000, 0x500CCCBA},    // A A A K Q: a triple in the suit
      {0, 0x1000 | 0x800, 0x1800, 0x1000, 0x500CCCBB},            // A A A K K: stops mid-pair
      {1, 0x1000 | 0x800 | 0x4, 0x1004, 0x1004, 0x500CCCB2},      // A K 4: no triple beside a wild
      {2, 0x1000 | 0x20 | 0x4, 0x1000, 0, 0x500CCC52},       // A 7 4: wilds, then each rank once
      {2, 0x800 | 0x400 | 0x200 | 0x100, 0, 0, 0x500CCBA9},  // only three ranks are read
  };
  for (const Case& c : cases)
    EXPECT_EQ(flush_value(c.wilds, c.s1, c.s2, c.s3), c.want) << std::hex << c.want;
}

TEST(Evaluate, TopRankFilesUnderTheRightRank) {
  struct Case {
    const char* hand;
    int rank;
  };
  const Case cases[] = {
      {"As Kd 9c 5h 3s", 12}, {"As 2d 3c 4h 5s", 3}, {"As Ks 9s 5s 3s", 12}, {"* Kd 9c 5h 3s", 11},
      {"9s 9d 9c Ah As", 7},  {"Kh Kd 5d 5c", 11},   {"* * * * 3s", 1},      {"2d", 0},
      {"* 2s 3s 4s 5s 9d", 4}};
  for (const Case& c : cases) {
    const auto cards = hand(c.hand);
    EXPECT_EQ(top_rank(select_evaluator(static_cast<int>(cards.size()))(cards.data())), c.rank)
        << c.hand;
  }
}

TEST(CardWords, LayoutAndListingOrder) {
  EXPECT_EQ(make_card(0, 0, false), 0x01000001u);
  EXPECT_EQ(make_card(12, 1, false), 0x120C1000u);
  EXPECT_EQ(make_card(12, 3, false), 0x380C1000u);
  EXPECT_EQ(make_card(5, 2, true), 0x20850000u);
  EXPECT_EQ(make_card(0, 0, true), kJoker);
  for (int r = 0; r < kRankCount; ++r)
    for (int s = 0; s < kSuitCount; ++s)
      for (bool wild : {false, true}) {
        const CardCode c = make_card(r, s, wild);
        EXPECT_EQ(card_rank_index(c), r);
        EXPECT_EQ(card_suit_index(c), s);
        EXPECT_EQ(is_wild(c), wild);
        EXPECT_EQ(card_sort_key(c), r * 8 + s * 2 + (wild ? 0 : 1));
      }
  EXPECT_LT(card_sort_key(make_card(12, 3, true)), card_sort_key(make_card(12, 3, false)));
  EXPECT_LT(card_sort_key(make_card(4, 3, false)), card_sort_key(make_card(5, 0, true)));
  for (int c = 0; c < kCategoryCount; ++c)
    EXPECT_EQ(std::string(kPaddedCategoryNames[c]),
              (std::string(kCategoryNames[c]) + "               ").substr(0, 15));
}

// Every card make_card can build has a text that parse_card reads back: the
// same card for a natural one, a joker for a wild one (wild cards score alike
// whatever they were).
TEST(CardText, RoundTripsEveryCard) {
  EXPECT_EQ(card_text(make_card(12, 1, false)), "As");
  EXPECT_EQ(card_text(make_card(8, 0, false)), "Td");
  EXPECT_EQ(card_text(make_card(0, 3, false)), "2h");
  EXPECT_EQ(card_text(kJoker), "*");
  EXPECT_EQ(card_text(make_card(5, 2, true)), "*");
  for (int r = 0; r < kRankCount; ++r)
    for (int s = 0; s < kSuitCount; ++s)
      for (bool wild : {false, true}) {
        const CardCode card = make_card(r, s, wild);
        const std::string text = card_text(card);
        CardCode back = 0;
        ASSERT_TRUE(parse_card(text, back)) << text;
        EXPECT_EQ(back, wild ? kJoker : card) << text;
        const std::string want =
            wild ? std::string("*") : std::string{kRankChars[r], kSuitChars[s]};
        EXPECT_EQ(text, want);
      }
}

// parse_card against its definition on every text of up to two bytes, any
// byte value included: a rank character and a suit character matched without
// regard to case, or a lone "*". Refused texts leave the card alone.
TEST(CardText, ParseAcceptsExactlyTheCardTexts) {
  const auto fold = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
  const auto find = [&](const char* chars, unsigned char c) {
    for (int i = 0; chars[i] != '\0'; ++i)
      if (fold(static_cast<unsigned char>(chars[i])) == fold(c)) return i;
    return -1;
  };
  const CardCode kUntouched = 0xDEADBEEF;
  int accepted = 0;
  for (int a = 0; a < 256; ++a) {
    const char one[1] = {static_cast<char>(a)};
    CardCode card = kUntouched;
    const bool ok = parse_card(std::string_view(one, 1), card);
    EXPECT_EQ(ok, a == '*') << a;
    EXPECT_EQ(card, a == '*' ? kJoker : kUntouched) << a;
    for (int b = 0; b < 256; ++b) {
      const char two[2] = {static_cast<char>(a), static_cast<char>(b)};
      const int rank = a == 0 ? -1 : find(kRankChars, static_cast<unsigned char>(a));
      const int suit = b == 0 ? -1 : find(kSuitChars, static_cast<unsigned char>(b));
      card = kUntouched;
      const bool read = parse_card(std::string_view(two, 2), card);
      ASSERT_EQ(read, rank >= 0 && suit >= 0) << a << " " << b;
      ASSERT_EQ(card, read ? make_card(rank, suit, false) : kUntouched) << a << " " << b;
      accepted += read;
    }
  }
  EXPECT_EQ(accepted, 18 * 8);  // 8 digits and 5 letters in two cases; 4 suits in two cases
  for (const char* text : {"", " ", "As ", " As", "Asd", "10s", "**", "* ", "A", "s"}) {
    CardCode card = kUntouched;
    EXPECT_FALSE(parse_card(text, card)) << '"' << text << '"';
    EXPECT_EQ(card, kUntouched) << text;
  }
}

// All 2,598,960 hands of one deck, by category, and the 7462 distinct values.
TEST(Evaluate, EveryFiveCardHandOfOneDeck) {
  long long by_category[kCategoryCount] = {};
  std::vector<bool> seen(kCatalogueSize, false);
  CardCode deck[kCardKinds];
  for (int i = 0; i < kCardKinds; ++i) deck[i] = make_card(i / kSuitCount, i % kSuitCount, false);
  CardCode h[5];
  for (int a = 0; a < kCardKinds; ++a)
    for (int b = a + 1; b < kCardKinds; ++b)
      for (int c = b + 1; c < kCardKinds; ++c)
        for (int d = c + 1; d < kCardKinds; ++d)
          for (int e = d + 1; e < kCardKinds; ++e) {
            h[0] = deck[a], h[1] = deck[b], h[2] = deck[c], h[3] = deck[d], h[4] = deck[e];
            const HandValue v = evaluate_5(h);
            ++by_category[hand_category(v)];
            const auto at = std::lower_bound(kFiveCardValues.begin(), kFiveCardValues.end(), v);
            ASSERT_TRUE(at != kFiveCardValues.end() && *at == v) << hand_text(h, 5);
            seen[at - kFiveCardValues.begin()] = true;
          }
  const long long want[kCategoryCount] = {1302540, 1098240, 123552, 54912, 10200,
                                          5108,    3744,    624,    40,    0};
  for (int c = 0; c < kCategoryCount; ++c) EXPECT_EQ(by_category[c], want[c]) << kCategoryNames[c];
  EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 7462);
}

}  // namespace
}  // namespace orvix::test
