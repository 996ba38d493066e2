#pragma once
// The "test" command: seven small reference games whose hands are enumerated
// exactly and printed as tables, and the table of distinguishable hands.

#include "reference/reference_count.h"

namespace orvix {

// Enumerates and prints the seven reference games, then the table of
// distinguishable hands. Ctrl-C stops it with "Stopped." and no partial
// table (returns false); a progress line shows on a terminal.
bool run_reference_games();

void print_distinguishable_hands();

// Enumerates one game and prints its header and table; on a stop request,
// "Stopped." instead of the table, and false.
bool print_reference_game(const ReferenceGame& game);

// The header line of a game, up to and including "distinct hands: ", flushed.
void print_reference_header(const ReferenceGame& game);

// The rest of a game's table: the distinct count ending the header line, the
// category rows and the total.
void print_reference_table(const ReferenceCounts& counts);

}  // namespace orvix
