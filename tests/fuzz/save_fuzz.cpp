// The saved-file loader: any bytes as the text of a save. A refused text
// leaves the record as it was; an accepted one is written out again and
// reads back the same.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "sim/save_file.h"
#include "support/records.h"

using namespace orvix;

namespace {

// A record that no save text could produce, to see that a refusal leaves it.
SavedResults marked_record() {
  SavedResults saved;
  saved.table.wins[3][4] = 12345;
  saved.table.losses[0][1] = 678;
  saved.runs.emplace_back();
  saved.runs.back().seed = 99;
  saved.program_version = "untouched";
  saved.dealing_version = 424242;
  return saved;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const SavedResults mark = marked_record();
  SavedResults saved = mark;
  std::string reason;
  if (!parse_save(text, saved, reason)) {
    FUZZ_CHECK(!reason.empty());
    FUZZ_CHECK(test::same_counters(saved.table, mark.table));
    FUZZ_CHECK(saved.runs == mark.runs);
    FUZZ_CHECK(saved.program_version == mark.program_version);
    FUZZ_CHECK(saved.dealing_version == mark.dealing_version);
    return 0;
  }
  // Accepted: the counts go into a table like "load" does, and the file this
  // program would write for them reads back the same.
  ResultTable table{};
  FUZZ_CHECK(add_saved_counts(table, saved.table));
  FUZZ_CHECK(test::same_counters(table, saved.table));
  SavedResults again;
  std::string again_reason;
  const std::string written = save_json_text(saved.table, saved.runs);
  FUZZ_CHECK(parse_save(written, again, again_reason));
  FUZZ_CHECK(test::same_counters(again.table, saved.table));
  FUZZ_CHECK(again.runs == saved.runs);
  FUZZ_CHECK(again.table.seats == saved.table.seats);
  return 0;
}
