// The saved-file loader: any bytes as the text of a save. A refused text
// leaves the record as it was; an accepted one is written out again and
// reads back the same.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "sim/save_file.h"

using namespace orvix;

namespace {

bool same_counts(const ResultTable& a, const ResultTable& b) {
  return std::memcmp(a.wins, b.wins, sizeof a.wins) == 0 &&
         std::memcmp(a.losses, b.losses, sizeof a.losses) == 0;
}

bool same_runs(const RunRecords& a, const RunRecords& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!(a[i].game == b[i].game) || a[i].seed != b[i].seed || a[i].part != b[i].part ||
        a[i].parts != b[i].parts || a[i].deals != b[i].deals)
      return false;
  }
  return true;
}

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
    FUZZ_CHECK(same_counts(saved.table, mark.table));
    FUZZ_CHECK(same_runs(saved.runs, mark.runs));
    FUZZ_CHECK(saved.program_version == mark.program_version);
    FUZZ_CHECK(saved.dealing_version == mark.dealing_version);
    return 0;
  }
  // Accepted: the counts go into a table like "load" does, and the file this
  // program would write for them reads back the same.
  ResultTable table{};
  FUZZ_CHECK(add_saved_counts(table, saved.table));
  FUZZ_CHECK(same_counts(table, saved.table));
  SavedResults again;
  std::string again_reason;
  const std::string written = save_json_text(saved.table, saved.runs);
  FUZZ_CHECK(parse_save(written, again, again_reason));
  FUZZ_CHECK(same_counts(again.table, saved.table));
  FUZZ_CHECK(same_runs(again.runs, saved.runs));
  return 0;
}
