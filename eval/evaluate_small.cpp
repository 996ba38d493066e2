#include "evaluate.h"

namespace orvix {

// TODO(eval): placeholder bodies.
HandValue evaluate_1(const CardCode*) { return 0; }
HandValue evaluate_2(const CardCode*) { return 0; }
HandValue evaluate_3(const CardCode*) { return 0; }
HandValue evaluate_4(const CardCode*) { return 0; }

}  // namespace orvix
