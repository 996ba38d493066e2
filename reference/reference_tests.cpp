#include "reference_tests.h"

namespace orvix {

// TODO(reference): placeholder bodies.
void run_reference_tests() {}
void enumerate_reference_game(bool, int, bool, bool) {}
void print_distinguishable_hands() {}
void standard_deck(CardCode*) {}
void make_deuces_wild(CardCode*) {}

}  // namespace orvix
