// A whole command session: the input is the command lines, carried out one
// by one as the command loop does. The session plays in a temporary folder
// of its own: "save" and "load" are kept to plain names inside it, "test"
// and "exact" do nothing, runs play at most 1000 deals and at most a few
// runs are played per input, so that one input stays fast. After every line
// the game stays within its limits, and a refused command changed nothing.

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "app/command_loop.h"
#include "app/file_commands.h"
#include "fuzz_support.h"
#include "rules/word_stream.h"

using namespace orvix;

namespace {

constexpr int kMaxRunsPerInput = 4;
bool saved_something = false;
std::string folder;  // made under $TMPDIR (or /tmp) and removed at the end
// libFuzzer reads and writes its corpus and artifacts by the names it was
// given, often relative: the session enters its folder only while it plays.
int starting_folder = -1;
int session_folder = -1;

// Empties the session's folder (it holds nothing but files "save" made).
void empty_folder() {
  DIR* dir = opendir(".");
  if (dir == nullptr) return;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") unlink(name.c_str());
  }
  closedir(dir);
}

// Standard output goes to an unlinked file that is emptied before each line,
// so the line's first bytes tell whether it was refused.
void empty_output() {
  std::fflush(stdout);
  FUZZ_CHECK(ftruncate(STDOUT_FILENO, 0) == 0 && lseek(STDOUT_FILENO, 0, SEEK_SET) == 0);
}

bool printed_error() {
  std::fflush(stdout);
  char head[7];
  return pread(STDOUT_FILENO, head, sizeof head, 0) == sizeof head &&
         std::memcmp(head, "Error: ", 7) == 0;
}

bool within_limits(const GameRules& rules) {
  return rules.decks >= kMinDecks && rules.decks <= kMaxDecks && rules.players >= kMinPlayers &&
         rules.players <= kMaxPlayers && rules.hand_size >= kMinHandSize &&
         rules.hand_size <= kMaxHandSize && rules.jokers >= kMinJokers &&
         rules.jokers <= kMaxJokers && rules.run_length >= 1 && rules.run_length <= kMaxRunLength &&
         cards_available(rules) <= kMaxPackCards && deal_fits_pack(rules);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::fflush(stdout);
  std::FILE* output = std::tmpfile();
  if (output == nullptr || dup2(fileno(output), STDOUT_FILENO) < 0) {
    std::perror("orvix session fuzz: no output file");
    return 1;
  }
  starting_folder = open(".", O_RDONLY | O_DIRECTORY);
  const char* base = std::getenv("TMPDIR");
  folder =
      std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/orvix-session-fuzz-XXXXXX";
  if (mkdtemp(folder.data()) == nullptr || starting_folder < 0 ||
      (session_folder = open(folder.c_str(), O_RDONLY | O_DIRECTORY)) < 0) {
    std::perror("orvix session fuzz: no temporary folder");
    return 1;
  }
  std::atexit([] {
    if (fchdir(session_folder) == 0) empty_folder();
    rmdir(folder.c_str());
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool quiet = (data[0] & 1) != 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);

  FUZZ_CHECK(fchdir(session_folder) == 0);
  LoopState state;
  start_loop_state(state);
  state.run_length_cap = 1000;
  state.skip_enumerations = true;
  int runs = 0;

  std::size_t start = 0;
  while (start <= input.size()) {
    std::size_t end = input.find('\n', start);
    if (end == std::string_view::npos) end = input.size();
    const std::string_view line = input.substr(start, end - start);
    start = end + 1;

    const std::string folded = upper_copy(line);
    WordStream stream{folded};
    const std::string_view word = read_word(stream);
    if (word == "SAVE" || word == "LOAD") {
      // Only plain names, so every file stays in the session's folder.
      const std::string_view name = file_name_argument(line);
      if (name.find('/') != std::string_view::npos) continue;
      if (word == "SAVE") saved_something = true;
    }
    if (word == "GO" || word == "MORE") {
      if (++runs > kMaxRunsPerInput) continue;
    }
    empty_output();
    const GameRules before = state.rules;
    const bool goes_on = execute_line(state, line, quiet);
    FUZZ_CHECK(within_limits(state.rules));
    // A refused command changes nothing, except a card list, which keeps the
    // cards before the one it refused.
    const bool card_list =
        word.starts_with("WILD") || word.starts_with("ADD") || word.starts_with("REM");
    FUZZ_CHECK(card_list || !printed_error() || state.rules == before);
    FUZZ_CHECK(state.run_settings.part >= 1 && state.run_settings.part <= state.run_settings.parts);
    if (!goes_on) break;
  }
  if (saved_something) {
    empty_folder();
    saved_something = false;
  }
  FUZZ_CHECK(fchdir(starting_folder) == 0);
  return 0;
}
