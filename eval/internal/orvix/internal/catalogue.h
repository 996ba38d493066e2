#pragma once
// Every distinct value a five-card hand can take, with any number of decks (so
// a Flush may repeat a rank), in ascending order; built when the program is
// compiled. Internal to the evaluator: read by the exact enumerations, their
// reports and the tests.

#include <array>

#include <orvix/evaluate.h>

namespace orvix {

// Checked against the catalogue's own length where it is built.
inline constexpr int kCatalogueSize = 12051;

extern const std::array<HandValue, kCatalogueSize> kFiveCardValues;

// First and last index of each category's values in kFiveCardValues.
struct CategoryRange {
  int first;
  int last;
};
extern const std::array<CategoryRange, kCategoryCount> kCategoryRanges;

}  // namespace orvix
