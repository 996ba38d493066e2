#pragma once
// Saved results: the JSON file that "save" writes and "load" reads back, and
// the CSV table for spreadsheets. The JSON layout is described in
// docs/save-format.md.

#include <cstdint>
#include <string>
#include <string_view>

#include "sim/result_table.h"
#include "sim/run_record.h"

namespace orvix {

// The layout version of the JSON file; a reader refuses anything newer and
// reads every older one. 2: deals per run and card counts per kind. 3: the
// board, the use rule and the holds of a game, and the seat counts. 4: the
// ranking of a game (older files play the standard one).
inline constexpr std::uint32_t kSaveFormatVersion = 4;

// Largest file "load" reads, and so the largest "save" writes: a run takes one
// line of at most about a kilobyte (a 100,000-card game with every kind wild
// and added), so 200,000 such runs fit; held cards add at most about 3 kB
// to a line (50 seats holding 20 cards each), so about 60,000 of those. The
// parsed document needs several times the
// file's size in memory.
inline constexpr std::size_t kMaxSaveMiB = 256;
inline constexpr std::size_t kMaxSaveBytes = kMaxSaveMiB << 20;

struct SavedResults {
  ResultTable table;  // counters and seat counts only; sums and percentages not computed
  RunRecords runs;
  std::string program_version;
  std::uint64_t dealing_version = 0;
};

// The JSON text of the table's counters, its seat counts (when it has any)
// and the runs that made them.
std::string save_json_text(const ResultTable& table, const RunRecords& runs);

// Reads a JSON save. Refuses (false, reason set, saved untouched) anything
// that is not a complete, consistent save of a format this program knows.
bool parse_save(std::string_view text, SavedResults& saved, std::string& reason);

// Adds saved counters into table. Refuses (false, table untouched) when any
// counter or the grand total would pass 2^64 - 1.
bool add_saved_counts(ResultTable& table, const ResultTable& saved);

// The spreadsheet table: a header row, then per category a row for the whole
// category (rank "All") and one per top rank, Ace to Two.
std::string save_csv_text(const ResultTable& table);

}  // namespace orvix
