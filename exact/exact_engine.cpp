#include "exact/exact_engine.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cassert>
#include <limits>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include <orvix/evaluate.h>
#include <orvix/internal/catalogue.h>
#include "platform/progress_line.h"
#include "platform/stop_request.h"
#include "exact/value_set.h"

namespace orvix {

namespace {

// A stop the options watch: Ctrl-C's request, or the caller's own flag.
bool stop_asked(const ExactOptions& options) {
  return (options.watch_stop && stop_requested()) ||
         (options.cancel != nullptr && options.cancel->load(std::memory_order_relaxed));
}

__extension__ typedef unsigned __int128 Wide;

// Suit slots: the engine renames suits so that suits holding the same natural
// cards sit next to each other (renaming suits never changes a hand's value).
// A partition of the four slots into runs of interchangeable suits is a state:
// bit i set means slots i and i + 1 are told apart.
//   0b000 all four alike, 0b111 all different, 0b100 slots 0-2 alike, 3 apart.
constexpr int kStates = 8;

// One way to take cards of one rank: `count` per slot, canonical for the
// state it was made for (within a run of alike slots the counts never rise),
// with the number of hands its renamings stand for.
struct Step {
  std::uint8_t count[kSuitCount];
  std::uint8_t sum;
  std::uint8_t next_state;     // the runs split where counts differ
  std::uint8_t orbit;          // distinct count patterns this one stands for (<= 24)
  std::uint64_t arrangements;  // sum! / prod count! (ordered tuples only)
};

struct StepList {
  std::vector<Step> steps;                              // ascending by sum
  std::array<std::uint32_t, kMaxHandSize + 2> first{};  // first step with sum >= s
};

// Everything the walk needs, built once per count.
struct Plan {
  int hand_size = 0;
  Ranking ranking = standard_ranking();
  bool ranked = false;  // an order other than the standard one: the ranked evaluator
  HandDraw draw = HandDraw::kSets;
  int initial_state = 0;
  int wild_cap = 0;
  int cap[kRankCount][kSuitCount] = {};                       // by slot
  std::int64_t capacity_from[kRankCount + 1] = {};            // cards ranks r.. can still take
  CardCode card[kRankCount][kSuitCount] = {};                 // by slot
  BigCount factor[kRankCount][kSuitCount][kMaxHandSize + 1];  // ways to take c of a kind
  BigCount wild_factor[kMaxHandSize + 1];
  StepList lists[kRankCount][kStates];
  std::uint64_t binomial[kMaxHandSize + 1][kMaxHandSize + 1] = {};
};

BigCount choose(std::int64_t n, int k) {
  if (k < 0 || n < k) return 0;
  BigCount result = 1;
  for (int i = 1; i <= k; ++i)
    result = result * static_cast<std::uint64_t>(n - k + i) / static_cast<unsigned>(i);
  return result;
}

BigCount power(std::int64_t base, int exponent) {
  BigCount result = 1;
  for (int i = 0; i < exponent; ++i) result *= static_cast<std::uint64_t>(base);
  return result;
}

std::uint64_t factorial(int n) {
  std::uint64_t result = 1;
  for (int i = 2; i <= n; ++i) result *= static_cast<std::uint64_t>(i);
  return result;
}

// The ways to take c cards of a kind held `copies` times (sets) or listed
// `copies` times as endless supplies (ordered; the orderings come separately).
BigCount kind_factor(HandDraw draw, std::int64_t copies, int c) {
  return draw == HandDraw::kSets ? choose(copies, c) : power(copies, c);
}

int kind_cap(HandDraw draw, std::int64_t copies, int hand_size) {
  if (copies <= 0) return 0;
  if (draw == HandDraw::kOrdered) return hand_size;
  return static_cast<int>(std::min<std::int64_t>(copies, hand_size));
}

bool same_run(int state, int slot) { return (state >> slot & 1) == 0; }

// The canonical steps of one rank in one state, sorted by sum.
StepList make_steps(const int (&cap)[kSuitCount], int state, int hand_size) {
  StepList list;
  int c[kSuitCount];
  for (c[0] = 0; c[0] <= cap[0]; ++c[0])
    for (c[1] = 0; c[1] <= cap[1]; ++c[1])
      for (c[2] = 0; c[2] <= cap[2]; ++c[2])
        for (c[3] = 0; c[3] <= cap[3]; ++c[3]) {
          const int sum = c[0] + c[1] + c[2] + c[3];
          if (sum > hand_size) continue;
          bool canonical = true;
          for (int i = 0; i + 1 < kSuitCount; ++i)
            if (same_run(state, i) && c[i] < c[i + 1]) canonical = false;
          if (!canonical) continue;
          Step step{};
          std::uint64_t orbit = 1;
          int next = state;
          // Each run of alike slots: its size! over the factorials of its
          // groups of equal counts (equal counts are adjacent, never rising).
          for (int start = 0; start < kSuitCount;) {
            int end = start + 1;
            while (end < kSuitCount && same_run(state, end - 1)) ++end;
            orbit *= factorial(end - start);
            for (int g = start; g < end;) {
              int h = g + 1;
              while (h < end && c[h] == c[g]) ++h;
              orbit /= factorial(h - g);
              if (h < end) next |= 1 << (h - 1);
              g = h;
            }
            start = end;
          }
          std::uint64_t arrangements = factorial(sum);
          for (int i = 0; i < kSuitCount; ++i) {
            step.count[i] = static_cast<std::uint8_t>(c[i]);
            arrangements /= factorial(c[i]);
          }
          step.sum = static_cast<std::uint8_t>(sum);
          step.next_state = static_cast<std::uint8_t>(next);
          step.orbit = static_cast<std::uint8_t>(orbit);
          step.arrangements = arrangements;
          list.steps.push_back(step);
        }
  std::stable_sort(list.steps.begin(), list.steps.end(),
                   [](const Step& a, const Step& b) { return a.sum < b.sum; });
  std::uint32_t i = 0;
  for (int s = 0; s <= kMaxHandSize + 1; ++s) {
    while (i < list.steps.size() && list.steps[i].sum < s) ++i;
    list.first[static_cast<std::size_t>(s)] = i;
  }
  return list;
}

// Suits whose natural copies agree on every rank are interchangeable. They
// get adjacent slots; the starting state separates the groups.
void assign_slots(const ExactPack& pack, int (&slot_suit)[kSuitCount], int& initial_state) {
  int group[kSuitCount];
  for (int s = 0; s < kSuitCount; ++s) {
    group[s] = s;
    for (int t = 0; t < s; ++t) {
      bool alike = true;
      for (int r = 0; r < kRankCount; ++r)
        alike = alike && pack.natural[r][s] == pack.natural[r][t];
      if (alike) {
        group[s] = group[t];
        break;
      }
    }
  }
  int next = 0;
  for (int g = 0; g < kSuitCount; ++g)
    for (int s = 0; s < kSuitCount; ++s)
      if (group[s] == g) slot_suit[next++] = s;
  initial_state = 0;
  for (int i = 0; i + 1 < kSuitCount; ++i)
    if (group[slot_suit[i]] != group[slot_suit[i + 1]]) initial_state |= 1 << i;
}

std::unique_ptr<Plan> make_plan(const ExactGame& game) {
  auto plan = std::make_unique<Plan>();
  const int h = game.hand_size;
  plan->hand_size = h;
  plan->draw = game.draw;
  plan->ranking = game.ranking;
  plan->ranked = game.ranking != standard_ranking();
  int slot_suit[kSuitCount];
  assign_slots(game.pack, slot_suit, plan->initial_state);
  for (int r = 0; r < kRankCount; ++r)
    for (int slot = 0; slot < kSuitCount; ++slot) {
      const std::int64_t copies = game.pack.natural[r][slot_suit[slot]];
      plan->cap[r][slot] = kind_cap(game.draw, copies, h);
      plan->card[r][slot] = make_card(r, slot_suit[slot], false);
      for (int c = 0; c <= h; ++c) plan->factor[r][slot][c] = kind_factor(game.draw, copies, c);
    }
  plan->wild_cap = kind_cap(game.draw, game.pack.wild, h);
  for (int c = 0; c <= h; ++c) plan->wild_factor[c] = kind_factor(game.draw, game.pack.wild, c);
  for (int r = kRankCount - 1; r >= 0; --r) {
    std::int64_t rank_cap = 0;
    for (int slot = 0; slot < kSuitCount; ++slot) rank_cap += plan->cap[r][slot];
    plan->capacity_from[r] = plan->capacity_from[r + 1] + rank_cap;
  }
  // Only refinements of the starting state can occur.
  for (int r = 0; r < kRankCount; ++r)
    for (int state = 0; state < kStates; ++state)
      if ((state & plan->initial_state) == plan->initial_state)
        plan->lists[r][state] = make_steps(plan->cap[r], state, h);
  for (int n = 0; n <= kMaxHandSize; ++n)
    for (int k = 0; k <= n; ++k)
      plan->binomial[n][k] =
          k == 0 || k == n ? 1 : plan->binomial[n - 1][k - 1] + plan->binomial[n - 1][k];
  return plan;
}

template <class W>
BigCount widen(const W& value) {
  if constexpr (std::is_same_v<W, BigCount>) {
    return value;
  } else if constexpr (sizeof(W) == 8) {
    return BigCount(static_cast<std::uint64_t>(value));
  } else {
    return BigCount(static_cast<std::uint64_t>(value >> 64)) << 64 |
           BigCount(static_cast<std::uint64_t>(value));
  }
}

// value in the counting type W, or W's largest value when it does not fit
// (only factors no hand can use are ever that large).
template <class W>
W narrow(const BigCount& value) {
  if constexpr (std::is_same_v<W, BigCount>) {
    return value;
  } else {
    const W most = static_cast<W>(~W{0});
    if (value > widen(most)) return most;
    const BigCount low_mask(~std::uint64_t{0});
    const auto low = static_cast<std::uint64_t>(value & low_mask);
    if constexpr (sizeof(W) == 8) {
      return low;
    } else {
      const auto high = static_cast<std::uint64_t>(value >> 64);
      return static_cast<W>(high) << 64 | low;
    }
  }
}

// A subtree of the walk: the cards placed so far and where to go on.
template <class W>
struct Task {
  int rank = 0;  // next rank to take cards of
  int state = 0;
  int placed = 0;
  W weight = 1;
  std::uint32_t orbit = 1;
  CardCode prefix[kMaxHandSize] = {};
};

// The per-rank factors in the counting type.
template <class W>
struct Factors {
  W kind[kRankCount][kSuitCount][kMaxHandSize + 1];
  W wild[kMaxHandSize + 1];
  explicit Factors(const Plan& plan) {
    for (int r = 0; r < kRankCount; ++r)
      for (int slot = 0; slot < kSuitCount; ++slot)
        for (int c = 0; c <= kMaxHandSize; ++c)
          kind[r][slot][c] = narrow<W>(plan.factor[r][slot][c]);
    for (int c = 0; c <= kMaxHandSize; ++c) wild[c] = narrow<W>(plan.wild_factor[c]);
  }
};

// Calls take(step, child weight, cards written) for every step of `rank`
// that leaves a hand the later ranks can still complete. The step's cards are
// written to hand[placed..].
template <class W, bool kOrdered, class Take>
inline void for_each_step(const Plan& plan, const Factors<W>& factors, int rank, int state,
                          int placed, const W& weight, CardCode* hand, Take&& take) {
  const int remaining = plan.hand_size - placed;
  const std::int64_t later = plan.capacity_from[rank + 1];
  const int lowest = remaining > later ? remaining - static_cast<int>(later) : 0;
  const StepList& list = plan.lists[rank][state];
  const Step* step = list.steps.data() + list.first[static_cast<std::size_t>(lowest)];
  const Step* end = list.steps.data() + list.first[static_cast<std::size_t>(remaining + 1)];
  for (; step != end; ++step) {
    W w = weight;
    int p = placed;
    for (int slot = 0; slot < kSuitCount; ++slot) {
      const int c = step->count[slot];
      if (c == 0) continue;
      w *= factors.kind[rank][slot][c];
      const CardCode card = plan.card[rank][slot];
      for (int k = 0; k < c; ++k) hand[p++] = card;
    }
    if (step->orbit != 1) w *= W(step->orbit);
    if constexpr (kOrdered) w *= W(step->arrangements) * W(plan.binomial[p][step->sum]);
    if (!take(*step, w, p)) return;
  }
}

// One worker's walk and its private counts.
template <class W, bool kOrdered>
class Walker {
 public:
  Walker(const Plan& plan, const Factors<W>& factors, const ExactOptions& options)
      : plan_(plan),
        factors_(factors),
        options_(options),
        evaluate_(select_evaluator(plan.hand_size)) {
    if (options.distinct_values) reset_value_set(values, kCatalogueSize);
  }

  void run(const Task<W>& task) {
    std::copy(task.prefix, task.prefix + task.placed, hand_);
    if (task.placed == plan_.hand_size)
      leaf(task.weight, task.orbit);
    else
      descend(task.rank, task.state, task.placed, task.weight, task.orbit);
    report_progress();
  }

  W sums[kResultCells] = {};
  std::uint64_t covered = 0;    // code multisets covered
  std::uint64_t evaluated = 0;  // hands evaluated
  bool stopped = false;
  HandValueSet values;

 private:
  static constexpr std::uint64_t kReportEvery = 1u << 18;

  void report_progress() {
    if (options_.progress != nullptr && covered != reported_) {
      add_progress(*options_.progress, covered - reported_);
      reported_ = covered;
    }
  }

  void leaf(const W& weight, std::uint32_t orbit) {
    HandValue value;
    if (plan_.ranked) [[unlikely]] {
      value = evaluate(hand_, plan_.hand_size, plan_.ranking);
      sums[hand_category(value, plan_.ranking) * kRankCount + top_rank(value, plan_.ranking)] +=
          weight;
    } else {
      value = evaluate_(hand_);
      sums[hand_category(value) * kRankCount + top_rank(value)] += weight;
    }
    covered += orbit;
    ++evaluated;
    if (options_.distinct_values) insert_value(values, value);
  }

  void descend(int rank, int state, int placed, const W& weight, std::uint32_t orbit) {
    if (stop_asked(options_)) stopped = true;
    if (stopped) return;
    if (covered - reported_ >= kReportEvery) report_progress();
    for_each_step<W, kOrdered>(plan_, factors_, rank, state, placed, weight, hand_,
                               [&](const Step& step, const W& w, int p) {
                                 const std::uint32_t o = orbit * step.orbit;
                                 if (p == plan_.hand_size) {
                                   leaf(w, o);
                                   return true;
                                 }
                                 descend(rank + 1, step.next_state, p, w, o);
                                 return !stopped;
                               });
  }

  const Plan& plan_;
  const Factors<W>& factors_;
  const ExactOptions& options_;
  const evaluate_hand evaluate_;
  std::uint64_t reported_ = 0;
  CardCode hand_[kMaxHandSize] = {};
};

// The wild count first, then whole ranks, until there are enough subtrees to
// share among the workers (and to check for a stop between them).
template <class W, bool kOrdered>
std::vector<Task<W>> make_tasks(const Plan& plan, const Factors<W>& factors, std::size_t wanted) {
  const int h = plan.hand_size;
  std::vector<Task<W>> tasks;
  for (int w = 0; w <= plan.wild_cap; ++w) {
    if (h - w > plan.capacity_from[0]) continue;
    Task<W> task;
    task.state = plan.initial_state;
    task.placed = w;
    task.weight = factors.wild[w];
    for (int i = 0; i < w; ++i) task.prefix[i] = kJoker;
    tasks.push_back(task);
  }
  constexpr std::size_t kMostTasks = 1u << 16;
  for (int rank = 0; rank < kRankCount && tasks.size() < wanted; ++rank) {
    std::size_t widest = 1;
    for (const StepList& list : plan.lists[rank]) widest = std::max(widest, list.steps.size());
    if (tasks.size() * widest > kMostTasks) break;
    std::vector<Task<W>> next;
    for (Task<W>& task : tasks) {
      if (task.placed == h) {
        next.push_back(task);
        continue;
      }
      for_each_step<W, kOrdered>(plan, factors, rank, task.state, task.placed, task.weight,
                                 task.prefix, [&](const Step& step, const W& w, int p) {
                                   Task<W> child = task;
                                   child.rank = rank + 1;
                                   child.state = step.next_state;
                                   child.placed = p;
                                   child.weight = w;
                                   child.orbit = task.orbit * step.orbit;
                                   next.push_back(child);
                                   return true;
                                 });
    }
    tasks.swap(next);
  }
  return tasks;
}

template <class W, bool kOrdered>
ExactTable run_walk(const Plan& plan, const ExactOptions& options) {
  const auto factors = std::make_unique<Factors<W>>(plan);
  const int workers = std::max(1, options.workers);
  const bool split =
      workers > 1 || options.watch_stop || options.cancel != nullptr || options.progress != nullptr;
  const std::vector<Task<W>> tasks =
      make_tasks<W, kOrdered>(plan, *factors, split ? 256u * static_cast<unsigned>(workers) : 1u);

  std::vector<std::unique_ptr<Walker<W, kOrdered>>> walkers;
  for (int i = 0; i < workers; ++i)
    walkers.push_back(std::make_unique<Walker<W, kOrdered>>(plan, *factors, options));
  std::atomic<std::size_t> next_task{0};
  auto work = [&](Walker<W, kOrdered>& walker) {
    for (;;) {
      if (stop_asked(options)) walker.stopped = true;
      if (walker.stopped) return;
      const std::size_t i = next_task.fetch_add(1, std::memory_order_relaxed);
      if (i >= tasks.size()) return;
      walker.run(tasks[i]);
    }
  };
  // The calling thread is worker 0; a thread the system refuses just leaves
  // its share to the others.
  std::vector<std::thread> threads;
  for (int i = 1; i < workers; ++i) {
    try {
      threads.emplace_back(work, std::ref(*walkers[static_cast<std::size_t>(i)]));
    } catch (const std::system_error&) {
      break;
    }
  }
  work(*walkers[0]);
  for (std::thread& thread : threads) thread.join();

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
      for (int r = 0; r < kRankCount; ++r)
        table.by_rank[c][r] += widen(walker->sums[c * kRankCount + r]);
  }
  for (int c = 0; c < kCategoryCount; ++c) {
    for (int r = 0; r < kRankCount; ++r) table.by_category[c] += table.by_rank[c][r];
    table.total += table.by_category[c];
  }
  if (options.distinct_values) {
    HandValueSet& all = walkers[0]->values;
    for (std::size_t i = 1; i < walkers.size(); ++i) {
      for (HandValue v : walkers[i]->values.slots)
        if (v != kEmptySlot) insert_value(all, v);
      if (walkers[i]->values.holds_empty_key) insert_value(all, kEmptySlot);
    }
    table.distinct_values = value_set_size(all);
  }
  return table;
}

}  // namespace

std::string count_text(const BigCount& count) {
  // Nineteen digits at a time; Boost's own conversion trips a false GCC warning.
  constexpr std::uint64_t kChunk = 10000000000000000000u;
  std::string text;
  BigCount rest = count;
  do {
    const BigCount next = rest / kChunk;
    auto part = static_cast<std::uint64_t>(rest % kChunk);
    for (int i = 0; i < 19 && (next != 0 || part != 0 || i == 0); ++i) {
      text.push_back(static_cast<char>('0' + part % 10));
      part /= 10;
    }
    rest = next;
  } while (rest != 0);
  std::reverse(text.begin(), text.end());
  return text;
}

ExactPack pack_from_rules(const GameRules& rules) {
  ExactPack pack;
  for (int r = 0; r < kRankCount; ++r)
    for (int s = 0; s < kSuitCount; ++s) {
      const std::int64_t copies = std::int64_t{rules.decks} + rules.card_delta[r][s];
      if (copies <= 0) continue;
      if (rules.wild[r][s] != 0)
        pack.wild += copies;
      else
        pack.natural[r][s] = copies;
    }
  pack.wild += rules.jokers;
  return pack;
}

ExactPack pack_from_cards(const CardCode* cards, int count) {
  ExactPack pack;
  for (int i = 0; i < count; ++i) {
    if (is_wild(cards[i]))
      ++pack.wild;
    else
      ++pack.natural[card_rank_index(cards[i])][card_suit_index(cards[i])];
  }
  return pack;
}

std::int64_t pack_size(const ExactPack& pack) {
  std::int64_t size = pack.wild;
  for (const auto& rank : pack.natural)
    for (const std::int64_t copies : rank) size += copies;
  return size;
}

BigCount total_hands(const ExactGame& game) {
  const std::int64_t n = pack_size(game.pack);
  if (game.draw == HandDraw::kOrdered) return n == 0 ? BigCount(0) : power(n, game.hand_size);
  return choose(n, game.hand_size);
}

std::uint64_t distinct_code_multisets(const ExactGame& game) {
  const int h = game.hand_size;
  // Coefficients of the product over codes of (1 + x + ... + x^cap).
  Wide ways[kMaxHandSize + 1] = {1};
  auto add_code = [&](std::int64_t copies) {
    const int cap = kind_cap(game.draw, copies, h);
    if (cap == 0) return;
    for (int j = h; j >= 1; --j)
      for (int c = 1; c <= cap && c <= j; ++c) ways[j] += ways[j - c];
  };
  for (const auto& rank : game.pack.natural)
    for (const std::int64_t copies : rank) add_code(copies);
  add_code(game.pack.wild);
  const Wide most = ~std::uint64_t{0};
  return static_cast<std::uint64_t>(ways[h] > most ? most : ways[h]);
}

ExactTable count_exact(const ExactGame& game, const ExactOptions& options) {
  assert(game.hand_size >= 1 && game.hand_size <= kMaxHandSize);
  // BigCount holds C(n, 20) and n^20 for every n below 2^50.
  assert(pack_size(game.pack) < std::int64_t{1} << 50);
  const std::unique_ptr<Plan> plan = make_plan(game);
  // The walk only enters subtrees that complete a hand, and every factor is
  // at least 1, so each partial weight is at most the weight of a whole hand,
  // and every sum at most the total: the type that holds the total suffices.
  const BigCount total = total_hands(game);
  const bool ordered = game.draw == HandDraw::kOrdered;
  if (total <= BigCount(std::numeric_limits<std::uint64_t>::max()))
    return ordered ? run_walk<std::uint64_t, true>(*plan, options)
                   : run_walk<std::uint64_t, false>(*plan, options);
  if (total <= (BigCount(1) << 128) - 1)
    return ordered ? run_walk<Wide, true>(*plan, options) : run_walk<Wide, false>(*plan, options);
  return ordered ? run_walk<BigCount, true>(*plan, options)
                 : run_walk<BigCount, false>(*plan, options);
}

}  // namespace orvix
