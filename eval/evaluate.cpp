#include "evaluate.h"

namespace orvix {

// TODO(eval): placeholder bodies so the tree links while the evaluators are built.
HandValue evaluate_5(const CardCode*) { return 0; }
HandValue evaluate_7(const CardCode*) { return 0; }
HandValue evaluate_many(int, const CardCode*) { return 0; }
HandValue evaluate_6(const CardCode* c) { return evaluate_many(6, c); }
HandValue evaluate_8(const CardCode* c) { return evaluate_many(8, c); }
HandValue evaluate_9(const CardCode* c) { return evaluate_many(9, c); }
HandValue evaluate_10(const CardCode* c) { return evaluate_many(10, c); }
HandValue evaluate_11(const CardCode* c) { return evaluate_many(11, c); }
HandValue evaluate_12(const CardCode* c) { return evaluate_many(12, c); }
HandValue evaluate_13(const CardCode* c) { return evaluate_many(13, c); }
HandValue evaluate_14(const CardCode* c) { return evaluate_many(14, c); }
HandValue evaluate_15(const CardCode* c) { return evaluate_many(15, c); }
HandValue evaluate_16(const CardCode* c) { return evaluate_many(16, c); }
HandValue evaluate_17(const CardCode* c) { return evaluate_many(17, c); }
HandValue evaluate_18(const CardCode* c) { return evaluate_many(18, c); }
HandValue evaluate_19(const CardCode* c) { return evaluate_many(19, c); }
HandValue evaluate_20(const CardCode* c) { return evaluate_many(20, c); }
HandValue flush_value(int, unsigned, unsigned, unsigned) { return 0; }

evaluate_hand select_evaluator(int hand_size) {
  static constexpr evaluate_hand kBySize[21] = {
      evaluate_20, evaluate_1,  evaluate_2,  evaluate_3,  evaluate_4,  evaluate_5,  evaluate_6,
      evaluate_7,  evaluate_8,  evaluate_9,  evaluate_10, evaluate_11, evaluate_12, evaluate_13,
      evaluate_14, evaluate_15, evaluate_16, evaluate_17, evaluate_18, evaluate_19, evaluate_20};
  if (hand_size < 1 || hand_size > 20) return evaluate_20;
  return kBySize[hand_size];
}

}  // namespace orvix
