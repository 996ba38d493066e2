#include "card_list.h"

namespace orvix {

// TODO(rules): placeholder body.
CardListResult apply_card_list(GameRules&, std::string_view, WordStream&) { return {}; }

}  // namespace orvix
