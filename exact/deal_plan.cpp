#include "deal_plan.h"

#include <algorithm>

#include "rules/pack.h"

namespace orvix::deal_plan {

BigCount choose_big(std::int64_t n, int k) {
  if (k < 0 || n < k) return 0;
  BigCount result = 1;
  for (int i = 1; i <= k; ++i)
    result = result * static_cast<std::uint64_t>(n - k + i) / static_cast<unsigned>(i);
  return result;
}

std::uint64_t choose_small(std::int64_t n, int k) {
  Wide result = 1;
  for (int i = 1; i <= k; ++i)
    result = result * static_cast<Wide>(n - k + i) / static_cast<Wide>(i);
  return static_cast<std::uint64_t>(result);
}

namespace {

// Which trailing levels are pooled; see DealPlan.
void find_pooled_levels(DealPlan& plan) {
  int first_unheld = plan.levels;
  for (int level = plan.levels - 1; level >= 0; --level) {
    const int recipient = plan.level_recipient[level];
    if (recipient == 0 || plan.held_count[recipient] > 0) break;
    first_unheld = level;
  }
  plan.pooled_from = plan.levels;
  if (!plan.tally && first_unheld < plan.levels) {
    plan.pooled_from = std::max(1, first_unheld);
    plan.group_size = plan.levels - plan.pooled_from;
  } else if (plan.levels >= 2 && plan.level_recipient[plan.levels - 1] != 0) {
    plan.pooled_from = plan.levels - 1;
  }
  if (plan.pooled_from >= plan.levels) plan.group_size = 0;
  for (int level = plan.pooled_from; level < plan.levels && plan.group_size > 0; ++level)
    plan.in_group[plan.level_recipient[level] - 1] = true;
}

// Fills the plan's renamings from its free copies and holds.
void find_renamings(DealPlan& plan) {
  int held[kRecipients][kCodes] = {};
  for (int recipient = 0; recipient <= plan.players; ++recipient)
    for (int i = 0; i < plan.held_count[recipient]; ++i)
      ++held[recipient][code_of(plan.held[recipient][i])];
  int perm[kSuitCount] = {0, 1, 2, 3};
  plan.renamings = 0;
  do {
    bool keeps = true;
    for (int code = 0; code < kCardKinds && keeps; ++code) {
      const int image = code - code % kSuitCount + perm[code % kSuitCount];
      keeps = plan.free[code] == plan.free[image];
      for (int recipient = 0; recipient <= plan.players && keeps; ++recipient)
        keeps = held[recipient][code] == held[recipient][image];
    }
    if (!keeps) continue;
    std::uint8_t* map = plan.suit_map[plan.renamings++];
    for (int suit = 0; suit < kSuitCount; ++suit) map[suit] = static_cast<std::uint8_t>(perm[suit]);
  } while (std::next_permutation(perm, perm + kSuitCount));
}

int recipient_size(const GameRules& rules, int recipient) {
  return recipient == 0 ? rules.board : rules.hand_size;
}

const HeldCards& recipient_hold(const GameRules& rules, int recipient) {
  return recipient == 0 ? rules.board_hold : rules.holds[recipient - 1];
}

}  // namespace

DealPlan make_deal_plan(const GameRules& rules, int dealt_seats, bool tally) {
  DealPlan plan;
  plan.players = dealt_seats;
  plan.tally = tally;
  plan.hand_size = rules.hand_size;
  plan.board = rules.board;
  plan.use = rules.use;
  plan.ranking = rules.ranking;
  plan.ranked = rules.ranking != standard_ranking();
  plan.shared_words = !plan.ranked && rules.board > 0 && rules.use == kUseAny &&
                      (rules.hand_size + rules.board == 5 || rules.hand_size + rules.board == 7);
  const ExactPack pack = pack_from_rules(rules);
  for (int r = 0; r < kRankCount; ++r)
    for (int s = 0; s < kSuitCount; ++s) {
      plan.free[r * kSuitCount + s] = pack.natural[r][s];
      plan.card[r * kSuitCount + s] = make_card(r, s, false);
    }
  plan.free[kWildCode] = pack.wild;
  plan.card[kWildCode] = kJoker;
  for (int seat = dealt_seats + 1; seat <= rules.players; ++seat) {
    const HeldCards& hold = recipient_hold(rules, seat);
    for (int i = 0; i < hold.count; ++i) --plan.free[code_of(held_card_code(rules, hold.kinds[i]))];
  }
  for (int recipient = 0; recipient <= dealt_seats; ++recipient) {
    const HeldCards& hold = recipient_hold(rules, recipient);
    plan.held_count[recipient] = hold.count;
    for (int i = 0; i < hold.count; ++i) {
      const CardCode card = held_card_code(rules, hold.kinds[i]);
      plan.held[recipient][i] = card;
      --plan.free[code_of(card)];
    }
  }
  // The board first, then the seats holding some cards, then the seats
  // holding none (interchangeable, so they are dealt together last).
  for (const bool holding : {true, false})
    for (int recipient = 0; recipient <= dealt_seats; ++recipient) {
      const int need = recipient_size(rules, recipient) - plan.held_count[recipient];
      if (need == 0 || (recipient > 0 && (plan.held_count[recipient] > 0) != holding) ||
          (recipient == 0 && !holding))
        continue;
      plan.level_recipient[plan.levels] = recipient;
      plan.level_need[plan.levels] = need;
      ++plan.levels;
    }
  find_pooled_levels(plan);
  std::int64_t left = 0;
  for (const std::int64_t copies : plan.free) left += copies;
  BigCount after = 1;
  for (int level = 0; level < plan.levels; ++level) {
    left -= plan.level_need[level];
    if (level > 0) after *= choose_big(left + plan.level_need[level], plan.level_need[level]);
  }
  plan.deals_after_first = static_cast<std::uint64_t>(after);
  find_renamings(plan);
  return plan;
}

BigCount deals_of(const GameRules& rules, int dealt_seats) {
  std::int64_t left = cards_available(rules) - held_card_count(rules);
  BigCount deals = 1;
  for (int recipient = 0; recipient <= dealt_seats; ++recipient) {
    const int need = recipient_size(rules, recipient) - recipient_hold(rules, recipient).count;
    deals *= choose_big(left, need);
    left -= need;
  }
  return deals;
}

}  // namespace orvix::deal_plan
