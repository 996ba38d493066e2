#include "exact/seat_equity.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include <orvix/evaluate.h>
#include <orvix/internal/fast_eval.h>
#include "platform/progress_line.h"
#include "platform/stop_request.h"
#include "deal_plan.h"

namespace orvix {

namespace {

using namespace deal_plan;

bool stop_asked(const EquityOptions& options) {
  return (options.watch_stop && stop_requested()) ||
         (options.cancel != nullptr && options.cancel->load(std::memory_order_relaxed));
}

// One worker's walk. It deals every level, but shares the first level among
// the workers: the first level's choices of its first kSplitCodes codes (or
// its whole choice, when fewer codes complete it) are numbered in walking
// order and a worker goes on only below those with index % workers == worker.
// Each keeps its own counts.
constexpr int kSplitCodes = 2;

// C(n, k) for small n, or 0 where it must be computed (n past the table).
struct SmallBinomials {
  static constexpr int kMostCopies = 127;
  std::uint64_t ways[kMostCopies + 1][kMaxHandSize + 1] = {};
  SmallBinomials() {
    for (int n = 0; n <= kMostCopies; ++n)
      for (int k = 0; k <= std::min(n, kMaxHandSize); ++k) ways[n][k] = choose_small(n, k);
  }
};

const SmallBinomials& binomials() {
  static const SmallBinomials table;
  return table;
}

class EquityWalker {
 public:
  EquityWalker(const DealPlan& plan, const EquityOptions& options, int worker, int workers)
      : plan_(plan), options_(options), worker_(worker), workers_(workers) {
    std::copy(plan.free, plan.free + kCodes, left_);
    for (int recipient = 0; recipient <= plan.players; ++recipient)
      std::copy(plan.held[recipient], plan.held[recipient] + plan.held_count[recipient],
                cards_[recipient]);
    evaluate_ = select_evaluator(plan.hand_size);
    if (plan.shared_words) tables_ = &fast_eval::tables();
  }

  void run() {
    if (plan_.levels == 0 || plan_.level_recipient[0] != 0) board_fixed();
    if (plan_.levels == 0) {
      if (worker_ == 0) score(1);
      return;
    }
    const std::uint32_t all = (1u << plan_.renamings) - 1;
    pick_first(0, plan_.level_need[0], 1, 0, all, -1, 0);
  }

  std::uint64_t by_winners[kMaxPlayers][kMaxPlayers + 1] = {};
  std::uint64_t cells[kResultCells] = {};  // tallied hands by category and top rank
  // The interchangeable seats' outcomes summed over those seats.
  std::uint64_t group_by_winners[kMaxPlayers + 1] = {};
  std::uint64_t evaluated = 0;
  bool stopped = false;

 private:
  // The first level, dealt in ascending codes (rank by rank) with only the
  // least of each choice's renamings kept. `tied` holds the renamings that
  // map the ranks finished so far onto themselves; `rank` is the rank being
  // taken (-1 before the first card) and `counts` its cards per suit, one
  // byte each, the first suit in the top byte. `codes` codes are chosen.
  void pick_first(int start, int need, std::uint64_t weight, int codes, std::uint32_t tied,
                  int rank, std::uint32_t counts) {
    if ((codes == kSplitCodes || (need == 0 && codes < kSplitCodes)) && !claim()) return;
    if (need == 0) {
      if (rank >= 0 && !rank_kept(counts, tied)) return;
      level_done(0, weight * static_cast<std::uint64_t>(plan_.renamings / std::popcount(tied)));
      return;
    }
    const int recipient = plan_.level_recipient[0];
    const int at = recipient_size_now(0) - need;
    // Whether the rank in hand is the least of its renamings, once a later rank is reached.
    int later_kept = -1;
    std::uint32_t later_tied = tied;
    for (int code = start; code < kCodes; ++code) {
      const std::int64_t copies = left_[code];
      if (copies == 0) continue;
      const int code_rank = code == kWildCode ? kRankCount : code / kSuitCount;
      const int shift = 8 * (kSuitCount - 1 - code % kSuitCount);
      std::uint32_t next_tied = tied;
      std::uint32_t base = counts;
      if (code_rank != rank) {
        if (later_kept < 0) later_kept = rank < 0 || rank_kept(counts, later_tied) ? 1 : 0;
        if (later_kept == 0) return;
        next_tied = later_tied;
        base = 0;
      }
      const int most = static_cast<int>(std::min<std::int64_t>(copies, need));
      for (int c = 1; c <= most; ++c) {
        cards_[recipient][at + c - 1] = plan_.card[code];
        left_[code] = copies - c;
        const std::uint32_t next_counts =
            code == kWildCode ? 0 : base + (static_cast<std::uint32_t>(c) << shift);
        pick_first(code + 1, need - c, weight * ways(copies, c), codes + 1, next_tied,
                   code_rank == kRankCount ? -1 : code_rank, next_counts);
        if (stopped) break;
      }
      left_[code] = copies;
      if (stopped) return;
    }
  }

  // Whether a finished rank's cards per suit are the least of their renamings
  // under the renamings still tied (a renaming that moves more cards to an
  // earlier suit makes a smaller choice); those that make a larger one leave
  // `tied`.
  bool rank_kept(std::uint32_t counts, std::uint32_t& tied) const {
    for (std::uint32_t rest = tied & ~1u; rest != 0; rest &= rest - 1) {
      const int g = std::countr_zero(rest);
      std::uint32_t image = 0;
      for (int suit = 0; suit < kSuitCount; ++suit) {
        const std::uint32_t count = counts >> (8 * (kSuitCount - 1 - suit)) & 0xFF;
        image |= count << (8 * (kSuitCount - 1 - plan_.suit_map[g][suit]));
      }
      if (image > counts) return false;
      if (image < counts) tied &= ~(1u << g);
    }
    return true;
  }

  // Deals `need` more cards to the level's recipient from codes start..,
  // then the next levels.
  void pick(int level, int start, int need, std::uint64_t weight) {
    if (need == 0) {
      level_done(level, weight);
      return;
    }
    const int recipient = plan_.level_recipient[level];
    const int at = recipient_size_now(level) - need;
    for (int code = start; code < kCodes; ++code) {
      const std::int64_t copies = left_[code];
      if (copies == 0) continue;
      const int most = static_cast<int>(std::min<std::int64_t>(copies, need));
      for (int c = 1; c <= most; ++c) {
        cards_[recipient][at + c - 1] = plan_.card[code];
        left_[code] = copies - c;
        pick(level, code + 1, need - c, weight * ways(copies, c));
        if (stopped) break;
      }
      left_[code] = copies;
      if (stopped) return;
    }
  }

  std::uint64_t ways(std::int64_t copies, int c) const {
    if (c == 1) return static_cast<std::uint64_t>(copies);
    if (copies <= SmallBinomials::kMostCopies) return binomials().ways[copies][c];
    return choose_small(copies, c);
  }

  // Whether this worker takes the next share of the first level.
  bool claim() {
    const std::uint64_t index = share_index_++;
    if (index % static_cast<std::uint64_t>(workers_) != static_cast<std::uint64_t>(worker_))
      return false;
    if (stop_asked(options_)) stopped = true;
    return !stopped;
  }

  int recipient_size_now(int level) const {
    const int recipient = plan_.level_recipient[level];
    return recipient == 0 ? plan_.board : plan_.hand_size;
  }

  void level_done(int level, std::uint64_t weight) {
    if (level > 0 && level + 1 < plan_.levels && stop_asked(options_)) {
      stopped = true;
      return;
    }
    const int recipient = plan_.level_recipient[level];
    if (recipient == 0)
      board_fixed();
    else
      values_[recipient - 1] = seat_value(recipient - 1);
    if (level + 1 == plan_.pooled_from && plan_.pooled_from < plan_.levels) {
      start_pooled(weight);
    } else if (level + 1 < plan_.levels) {
      pick(level + 1, 0, plan_.level_need[level + 1], weight);
    } else {
      score(weight);
    }
    if (level == 0 && options_.progress != nullptr)
      add_progress(*options_.progress, weight * plan_.deals_after_first);
  }

  // The pooled levels, once the board and every other seat are dealt. A suit
  // that cannot reach five cards in a pooled seat's hand (with the wild
  // cards and every card still to come) can make no flush there, so its cards
  // count only by rank: the free copies of each rank in such suits form one
  // pool, dealt as copies of one card of the rank.
  void start_pooled(std::uint64_t weight) {
    const int first = plan_.level_recipient[plan_.pooled_from];
    int suited[kSuitCount] = {};
    int wild = 0;
    auto count = [&](const CardCode* cards, int n) {
      for (int i = 0; i < n; ++i) {
        if (is_wild(cards[i]))
          ++wild;
        else
          ++suited[card_suit_index(cards[i])];
      }
    };
    count(cards_[0], plan_.board);
    count(cards_[first], plan_.held_count[first]);
    const int need = plan_.level_need[plan_.pooled_from];
    bool flush_suit[kSuitCount];
    int pooled_suit = -1;
    for (int suit = 0; suit < kSuitCount; ++suit) {
      flush_suit[suit] = suited[suit] + wild + need >= kFlushCards;
      if (!flush_suit[suit] && pooled_suit < 0) pooled_suit = suit;
    }
    pool_count_ = 0;
    for (int rank = 0; rank < kRankCount; ++rank) {
      std::int64_t pooled = 0;
      for (int suit = 0; suit < kSuitCount; ++suit) {
        const std::int64_t copies = left_[rank * kSuitCount + suit];
        if (copies == 0) continue;
        if (flush_suit[suit])
          pools_[pool_count_++] = {copies, plan_.card[rank * kSuitCount + suit]};
        else
          pooled += copies;
      }
      if (pooled > 0) pools_[pool_count_++] = {pooled, make_card(rank, pooled_suit, false)};
    }
    if (left_[kWildCode] > 0) pools_[pool_count_++] = {left_[kWildCode], kJoker};
    pick_pooled(0, 0, need, weight, false);
  }

  // Deals the j-th pooled level `need` more cards from pools start..; its
  // pool indices go to dealt_[j]. While `tight`, the hand so far equals the
  // previous interchangeable seat's, and it may not fall below it.
  void pick_pooled(int j, int start, int need, std::uint64_t weight, bool tight) {
    const int level = plan_.pooled_from + j;
    const int recipient = plan_.level_recipient[level];
    if (need == 0) {
      values_[recipient - 1] = seat_value(recipient - 1);
      if (level + 1 < plan_.levels)
        pick_pooled(j + 1, 0, plan_.level_need[level + 1], weight, plan_.group_size > 0);
      else
        score_pooled(weight);
      return;
    }
    const int at = plan_.hand_size - need;
    const int pos = plan_.level_need[level] - need;
    const std::uint8_t* previous = j > 0 ? dealt_[j - 1] : nullptr;
    const int lowest = tight ? std::max(start, static_cast<int>(previous[pos])) : start;
    for (int i = lowest; i < pool_count_; ++i) {
      const std::int64_t copies = pools_[i].copies;
      if (copies == 0) continue;
      const int most = static_cast<int>(std::min<std::int64_t>(copies, need));
      bool still_tight = tight;
      for (int c = 1; c <= most; ++c) {
        if (still_tight) {
          const int before = previous[pos + c - 1];
          if (i < before) break;  // this hand would fall below the previous one
          still_tight = i == before;
        }
        cards_[recipient][at + c - 1] = pools_[i].card;
        dealt_[j][pos + c - 1] = static_cast<std::uint8_t>(i);
        pools_[i].copies = copies - c;
        pick_pooled(j, i + 1, need - c, weight * ways(copies, c), still_tight);
      }
      pools_[i].copies = copies;
    }
  }

  // A pooled deal: its interchangeable hands stand for every distinct order
  // of them among their seats.
  void score_pooled(std::uint64_t weight) {
    std::uint64_t orders = 1;
    int run = 0;
    for (int j = 0; j < plan_.group_size; ++j) {
      const bool same = j > 0 && std::equal(dealt_[j], dealt_[j] + plan_.hand_size, dealt_[j - 1]);
      run = same ? run + 1 : 1;
      orders = orders * static_cast<std::uint64_t>(j + 1) / static_cast<std::uint64_t>(run);
    }
    score(weight * orders);
  }

  // The board is complete: its count word for the table paths, and the
  // value of every seat whose cards are all held.
  void board_fixed() {
    if (plan_.shared_words) {
      board_sum_ = fast_eval::kSuitBias;
      for (int i = 0; i < plan_.board; ++i)
        board_sum_ += tables_->card_words[fast_eval::card_slot(cards_[0][i])];
    }
    for (int p = 0; p < plan_.players; ++p)
      if (plan_.held_count[p + 1] == plan_.hand_size) values_[p] = seat_value(p);
  }

  // Seat p's hand under the use rule, its cards and the board's complete.
  HandValue seat_value(int p) {
    const CardCode* own = cards_[p + 1];
    ++evaluated;
    if (plan_.shared_words) {
      std::uint64_t sum = board_sum_;
      for (int i = 0; i < plan_.hand_size; ++i)
        sum += tables_->card_words[fast_eval::card_slot(own[i])];
      if ((sum & fast_eval::kRouteMask) != 0) [[unlikely]] {
        CardCode hand[7];
        std::copy(own, own + plan_.hand_size, hand);
        std::copy(cards_[0], cards_[0] + plan_.board, hand + plan_.hand_size);
        return plan_.hand_size + plan_.board == 5 ? fast_eval::routed_5(hand, sum)
                                                  : fast_eval::routed_7(hand, sum);
      }
      return plan_.hand_size + plan_.board == 5 ? fast_eval::rank_value(tables_->five, sum)
                                                : fast_eval::rank_value(tables_->seven, sum);
    }
    if (plan_.ranked) [[unlikely]] {
      if (plan_.board == 0) return evaluate(own, plan_.hand_size, plan_.ranking);
      return evaluate_use(own, plan_.hand_size, cards_[0], plan_.board, plan_.use, plan_.ranking);
    }
    if (plan_.board == 0) return evaluate_(own);
    return evaluate_use(own, plan_.hand_size, cards_[0], plan_.board, plan_.use);
  }

  void score(std::uint64_t weight) {
    if (plan_.tally) {
      const HandValue value = values_[0];
      const int cell = plan_.ranked ? hand_category(value, plan_.ranking) * kRankCount +
                                          top_rank(value, plan_.ranking)
                                    : hand_category(value) * kRankCount + top_rank(value);
      cells[cell] += weight;
      return;
    }
    HandValue best = 0;
    for (int p = 0; p < plan_.players; ++p) best = std::max(best, values_[p]);
    int winners = 0;
    for (int p = 0; p < plan_.players; ++p) winners += values_[p] == best;
    for (int p = 0; p < plan_.players; ++p) {
      const int outcome = values_[p] == best ? winners : 0;
      (plan_.in_group[p] ? group_by_winners[outcome] : by_winners[p][outcome]) += weight;
    }
  }

  const DealPlan& plan_;
  const EquityOptions& options_;
  const int worker_;
  const int workers_;
  evaluate_hand evaluate_ = nullptr;
  std::uint64_t share_index_ = 0;
  struct Pool {
    std::int64_t copies;
    CardCode card;
  };
  Pool pools_[kCodes] = {};  // the pooled levels' codes, by rank where suits cannot flush
  int pool_count_ = 0;
  std::uint8_t dealt_[kMaxPlayers][kMaxHandSize] = {};  // each pooled level's pool indices
  const fast_eval::FastTables* tables_ = nullptr;
  std::uint64_t board_sum_ = 0;
  HandValue values_[kMaxPlayers] = {};
  std::int64_t left_[kCodes] = {};
  CardCode cards_[kRecipients][kMaxHandSize] = {};
};

// Runs one walker per worker over the plan, the calling thread being worker
// 0; a thread the system refuses leaves its share to run here after the others.
std::vector<std::unique_ptr<EquityWalker>> run_walkers(const DealPlan& plan,
                                                       const EquityOptions& options) {
  const int workers = std::max(1, options.workers);
  std::vector<std::unique_ptr<EquityWalker>> walkers;
  for (int i = 0; i < workers; ++i)
    walkers.push_back(std::make_unique<EquityWalker>(plan, options, i, workers));
  std::vector<std::thread> threads;
  std::vector<EquityWalker*> left_over;
  for (int i = 1; i < workers; ++i) {
    try {
      threads.emplace_back([&walker = *walkers[static_cast<std::size_t>(i)]] { walker.run(); });
    } catch (const std::system_error&) {
      left_over.push_back(walkers[static_cast<std::size_t>(i)].get());
    }
  }
  walkers[0]->run();
  for (EquityWalker* walker : left_over) walker->run();
  for (std::thread& thread : threads) thread.join();
  return walkers;
}

}  // namespace

BigCount equity_deals(const GameRules& rules) { return deals_of(rules, rules.players); }

std::string equity_refusal(const GameRules& rules) {
  if (std::string refusal = use_refusal(rules); !refusal.empty()) return refusal;
  const BigCount evaluations = equity_deals(rules) * static_cast<unsigned>(rules.players);
  if (evaluations > BigCount(kEquityEvaluationLimit))
    return "Error: equity would evaluate " + count_text(evaluations) +
           " hands (limit 10000000000); use go to simulate.\n";
  return {};
}

SeatEquity count_seat_equity(const GameRules& rules, const EquityOptions& options) {
  assert(deal_fits_pack(rules) && equity_refusal(rules).empty());
  SeatEquity equity;
  equity.players = rules.players;
  equity.deals = static_cast<std::uint64_t>(equity_deals(rules));
  if (rules.players == 1) {
    equity.by_winners[0][1] = equity.deals;
    if (options.progress != nullptr) add_progress(*options.progress, equity.deals);
    return equity;
  }
  const auto plan = std::make_unique<DealPlan>(make_deal_plan(rules, rules.players, false));
  const auto walkers = run_walkers(*plan, options);
  std::uint64_t group[kMaxPlayers + 1] = {};
  for (const auto& walker : walkers) {
    equity.stopped = equity.stopped || walker->stopped;
    equity.evaluated += walker->evaluated;
    for (int k = 0; k <= rules.players; ++k) {
      group[k] += walker->group_by_winners[k];
      for (int p = 0; p < rules.players; ++p) equity.by_winners[p][k] += walker->by_winners[p][k];
    }
  }
  // Every interchangeable seat has an equal share of the group's outcomes.
  for (int p = 0; p < rules.players; ++p)
    if (plan->in_group[p])
      for (int k = 0; k <= rules.players; ++k)
        equity.by_winners[p][k] = group[k] / static_cast<std::uint64_t>(plan->group_size);
  return equity;
}

BigCount seat_one_deals(const GameRules& rules) { return deals_of(rules, 1); }

std::string seat_one_refusal(const GameRules& rules) {
  if (std::string refusal = use_refusal(rules); !refusal.empty()) return refusal;
  const BigCount hands = seat_one_deals(rules);
  if (hands > BigCount(kEquityEvaluationLimit))
    return "Error: exact would evaluate " + count_text(hands) +
           " hands (limit 10000000000); use go to simulate.\n";
  return {};
}

ExactTable count_seat_one_hands(const GameRules& rules, const EquityOptions& options) {
  assert(deal_fits_pack(rules) && seat_one_refusal(rules).empty());
  const auto plan = std::make_unique<DealPlan>(make_deal_plan(rules, 1, true));
  const auto walkers = run_walkers(*plan, options);
  ExactTable table;
  for (int c = 0; c < kCategoryCount; ++c) {
    table.by_category[c] = 0;
    for (int r = 0; r < kRankCount; ++r) table.by_rank[c][r] = 0;
  }
  table.total = 0;
  for (const auto& walker : walkers) {
    table.stopped = table.stopped || walker->stopped;
    table.evaluated += walker->evaluated;
    for (int c = 0; c < kCategoryCount; ++c)
      for (int r = 0; r < kRankCount; ++r) table.by_rank[c][r] += walker->cells[c * kRankCount + r];
  }
  for (int c = 0; c < kCategoryCount; ++c) {
    for (int r = 0; r < kRankCount; ++r) table.by_category[c] += table.by_rank[c][r];
    table.total += table.by_category[c];
  }
  return table;
}

double seat_equity_fraction(const SeatEquity& equity, int seat) {
  if (equity.deals == 0) return 0.0;
  double shares = 0.0;
  for (int k = 1; k <= equity.players; ++k)
    shares += static_cast<double>(equity.by_winners[seat][k]) / k;
  return shares / static_cast<double>(equity.deals);
}

}  // namespace orvix
