#include "rules/ascii.h"

namespace orvix {

std::string upper_copy(std::string_view text) {
  std::string copy(text);
  for (char& c : copy) c = ascii_upper(c);
  return copy;
}

}  // namespace orvix
