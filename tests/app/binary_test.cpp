// Start-up cases the transcript runner cannot express: empty arguments, an
// unusual argument 0, unreadable files. Each runs the real program.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/banner.h"
#include "support/files.h"
#include "support/start_program.h"
#include "support/temp_dir.h"

namespace orvix {
namespace {

using test::Finished;

// Runs the program with exactly these arguments (argument 0 included) and
// an empty standard input; standard error must stay silent.
Finished run_program(const std::vector<std::string>& argv) {
  Finished finished = test::run_to_end(ORVIX_BINARY, argv);
  EXPECT_EQ(finished.error, "");
  return finished;
}

std::string usage_for(const std::string& program) {
  return std::string(program_banner) + "Usage: " + program +
         " [/i inputfile] [/o outputfile] [/q] [/n]\n"
         "Where: /i inputfile: read commands from inputfile.\n"
         "       /o outputfile: output to outputfile.\n"
         "       /n: no hint mode, suppress hints about window or how to get help.\n"
         "       /q: quiet mode, turn off prompts, on by default with /i or /o.\n\n";
}

TEST(StartUp, OddArgumentsGiveTheirMessagesAndStatus) {
  struct Case {
    std::vector<std::string> argv;
    int status;
    std::string output;
  };
  const std::vector<Case> cases = {
      {{"my orvix", ""}, 0, usage_for("my orvix")},
      {{"", "/x"}, 0, usage_for("")},
      {{"orvix", "/q", "", "/i"}, 0, usage_for("orvix")},
      {{"orvix", "/i", ""}, 1, "Error: cannot open input file .\n"},
      {{"orvix", "/o", ""}, 1, "Error on freopen assigning stdout to file \n"},
      {{"orvix", "/i", "/nonexistent/dir/cmds.txt"},
       1,
       "Error: cannot open input file /nonexistent/dir/cmds.txt.\n"},
      {{"orvix", "/q"}, 0, ""},  // quiet, and the empty input ends the loop silently
  };
  for (const Case& c : cases) {
    std::string label;
    for (const std::string& a : c.argv) label += "[" + a + "] ";
    SCOPED_TRACE(label);
    const Finished finished = run_program(c.argv);
    EXPECT_EQ(finished.status, c.status);
    EXPECT_EQ(finished.output, c.output);
  }
}

TEST(StartUp, InputFileWithoutReadPermissionIsRefused) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser may read any file";
  const test::ScopedTempDir dir;
  const std::string path = dir.file("unreadable.txt");
  test::write_file(path, "decks 2\n");
  ::chmod(path.c_str(), 0);
  const Finished finished = run_program({"orvix", "/i", path});
  EXPECT_EQ(finished.status, 1);
  EXPECT_EQ(finished.output, "Error: cannot open input file " + path + ".\n");
}

}  // namespace
}  // namespace orvix
