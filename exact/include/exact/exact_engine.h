#pragma once
// Exact hand counts for any pack: every hand of one size that the pack can
// deal, each counted once, filed by category and top rank.
//
// A hand's value depends only on which card codes it holds, and every wild
// card (joker or not) evaluates alike, so the engine enumerates multisets of
// codes (all wild cards share one code) and weights each by the number of
// hands it stands for:
//   sets of physical cards:  the product of C(copies_k, count_k) over codes;
//   ordered tuples drawn from an endless supply of each listed entry:
//                            hand_size! / prod count_k! * prod entries_k^count_k.
// When several suits hold the same natural cards, hands that differ only by
// a renaming of those suits have equal values; one hand per suit pattern is
// evaluated and weighted by the number of hands in its pattern (up to 24).
//
// Counts are exact integers of any size a pack allows (2^31 cards, 20 per hand).

#include <boost/multiprecision/cpp_int.hpp>
#include <atomic>
#include <cstdint>
#include <string>

#include <orvix/card.h>
#include <orvix/ranking.h>
#include "rules/game_rules.h"

namespace orvix {

struct ProgressLine;

// Wide enough for C(2^31, 20) < 2^620; fixed size, so it never allocates.
using BigCount = boost::multiprecision::uint1024_t;

// The pack as copies per natural card kind plus one pool of wild cards.
// Decimal digits of a count: count_text(BigCount(1) << 64) == "18446744073709551616".
std::string count_text(const BigCount& count);

// The pack as copies per natural card kind plus one pool of wild cards.
struct ExactPack {
  std::int64_t natural[kRankCount][kSuitCount] = {};  // copies of each natural kind
  std::int64_t wild = 0;                              // jokers and wild cards together
};

// How hands are counted from the pack.
enum class HandDraw {
  kSets,     // each set of physical cards once (what a dealer deals)
  kOrdered,  // each ordered tuple, every entry an endless supply (the infinite deck)
};

struct ExactGame {
  ExactPack pack;
  int hand_size = 5;  // 1..20
  HandDraw draw = HandDraw::kSets;
  Ranking ranking = standard_ranking();  // the order hands are valued and filed by
};

// The pack the current rules lay out: decks + card_delta copies of each kind
// (none where that is zero or less), wild kinds and jokers in the wild pool.
// pack_size(pack_from_rules(r)) == cards_available(r).
ExactPack pack_from_rules(const GameRules& rules);

// The pack of a card list: each entry one card (or one endless supply).
ExactPack pack_from_cards(const CardCode* cards, int count);

std::int64_t pack_size(const ExactPack& pack);

// Every hand the game counts: C(pack size, hand size) for sets, (pack size)^
// (hand size) for ordered tuples. 0 when the pack is smaller than a hand.
BigCount total_hands(const ExactGame& game);

// Distinct multisets of card codes of the hand size that the pack can deal
// (before any suit symmetry), saturating at UINT64_MAX. One deck, 5 cards:
// 2598960; with every Two wild: C(48,5) + 4 C(48,4) + ... (the Twos share one code).
std::uint64_t distinct_code_multisets(const ExactGame& game);

// What a progress line calls the code multisets it counts: fewer than the
// hands when copies of a card or wild cards repeat (two decks, 5 cards:
// 3748160 of them for C(104,5) == 91962520 hands).
inline constexpr const char* kMultisetUnit = "card combinations";

struct ExactOptions {
  int workers = 1;                            // 1 runs on the calling thread
  bool watch_stop = false;                    // give up when stop_requested() turns true
  const std::atomic<bool>* cancel = nullptr;  // give up when *cancel turns true (this count alone)
  bool distinct_values = false;               // also count the distinct HandValues
  ProgressLine* progress = nullptr;           // gets code multisets as they are covered
};

struct ExactTable {
  BigCount by_rank[kCategoryCount][kRankCount];  // hands per category and top rank
  BigCount by_category[kCategoryCount];
  BigCount total;                    // sum of every count
  std::int32_t distinct_values = 0;  // when asked for
  std::uint64_t evaluated = 0;       // hands actually evaluated (after symmetry)
  bool stopped = false;              // the work gave up; the counts are partial
};

// Counts every hand of the game. The eval tables must be built.
ExactTable count_exact(const ExactGame& game, const ExactOptions& options);

}  // namespace orvix
