// The start-up switch scan, against a recording stand-in for the file system.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/switches.h"

namespace orvix {
namespace {

// Records every platform call in order; files named in `unreadable` fail the
// access test, and reopening a file named in `broken` fails. Two names are
// one file when they are equal or both map to the same name in `links`.
struct FakeSystem {
  std::set<std::string> unreadable;
  std::set<std::string> broken;
  std::map<std::string, std::string> links;
  std::vector<std::string> calls;

  std::string target(const std::string& name) const {
    const auto link = links.find(name);
    return link == links.end() ? name : link->second;
  }

  SwitchPlatform platform() {
    SwitchPlatform p;
    p.same_file = [this](const std::string& in, const std::string& out) {
      calls.push_back("same " + in + " " + out);
      return target(in) == target(out);
    };
    p.input_readable = [this](const std::string& name) {
      calls.push_back("access " + name);
      return unreadable.count(name) == 0;
    };
    p.reopen_input = [this](const std::string& name) {
      calls.push_back("stdin " + name);
      return broken.count(name) == 0;
    };
    p.reopen_output = [this](const std::string& name) {
      calls.push_back("stdout " + name);
      return broken.count(name) == 0;
    };
    return p;
  }
};

struct ScanCase {
  std::vector<std::string> args;  // without argument 0
  SwitchResult result;
  bool quiet;
  bool no_hint;
  std::string file_name;
  std::vector<std::string> calls;
};

TEST(SwitchScan, EachArgumentListGivesItsOutcomeAndRedirectionsInOrder) {
  using R = SwitchResult;
  const std::vector<ScanCase> cases = {
      {{}, R::kRun, false, false, "", {}},
      {{"/q"}, R::kRun, true, false, "", {}},
      {{"/Q"}, R::kRun, true, false, "", {}},
      {{"-q"}, R::kRun, true, false, "", {}},
      {{"-Q"}, R::kRun, true, false, "", {}},
      {{"/n"}, R::kRun, false, true, "", {}},
      {{"/N"}, R::kRun, false, true, "", {}},
      {{"-n"}, R::kRun, false, true, "", {}},
      {{"-N"}, R::kRun, false, true, "", {}},
      {{"/q", "/n", "/q", "-N"}, R::kRun, true, true, "", {}},
      // Either redirection turns quiet mode on.
      {{"/i", "cmds.txt"}, R::kRun, true, false, "", {"access cmds.txt", "stdin cmds.txt"}},
      {{"-I", "cmds.txt"}, R::kRun, true, false, "", {"access cmds.txt", "stdin cmds.txt"}},
      {{"/o", "out.txt"}, R::kRun, true, false, "", {"stdout out.txt"}},
      {{"-O", "out.txt", "/n"}, R::kRun, true, true, "", {"stdout out.txt"}},
      // The file name is taken verbatim, even when it looks like a switch.
      {{"/i", "/q"}, R::kInputNotReadable, false, false, "/q", {"access /q"}},
      {{"/o", "/n"}, R::kRun, true, false, "", {"stdout /n"}},
      // Repeated redirections each reopen; the scan goes on after a file name.
      {{"/i", "a", "/i", "b", "/o", "c", "/O", "d"},
       R::kRun,
       true,
       false,
       "",
       {"same a c", "same b c", "same a d", "same b d", "access a", "stdin a", "access b",
        "stdin b", "stdout c", "stdout d"}},
      // One file as input and output: refused before anything is opened, in
      // either order, under another name too, and even behind another /i.
      {{"/i", "x", "/o", "x"}, R::kSameFile, false, false, "x", {"same x x"}},
      {{"/o", "x", "/i", "x", "/q"}, R::kSameFile, false, false, "x", {"same x x"}},
      {{"/i", "cmds.txt", "/o", "link"},
       R::kSameFile,
       false,
       false,
       "link",
       {"same cmds.txt link"}},
      {{"/i", "x", "/i", "y", "/o", "x"}, R::kSameFile, false, false, "x", {"same x x"}},
      {{"/o", "a", "/i", "b", "/o", "x", "/i", "x"},
       R::kSameFile,
       false,
       false,
       "x",
       {"same b a", "same x a", "same b x", "same x x"}},
      // Names after the argument where the scan stops are never opened.
      {{"/i", "x", "/z", "/o", "x"}, R::kUsage, true, false, "", {"access x", "stdin x"}},
      {{"/i", "x", "/o"}, R::kMissingFileName, true, false, "", {"access x", "stdin x"}},
      {{"/i"}, R::kMissingFileName, false, false, "", {}},
      {{"-o"}, R::kMissingFileName, false, false, "", {}},
      {{"/q", "/o", "out.txt", "/I"}, R::kMissingFileName, true, false, "", {"stdout out.txt"}},
      {{"/o", "out.txt", "/i", "missing"},
       R::kInputNotReadable,
       true,
       false,
       "missing",
       {"same missing out.txt", "stdout out.txt", "access missing"}},
      {{"/i", "broken"},
       R::kInputReopenFailed,
       true,
       false,
       "broken",
       {"access broken", "stdin broken"}},
      {{"/o", "broken", "/q"}, R::kOutputReopenFailed, true, false, "broken", {"stdout broken"}},
      // Anything else is no switch: usage, and nothing after it is looked at.
      {{"/?"}, R::kUsage, false, false, "", {}},
      {{"-h"}, R::kUsage, false, false, "", {}},
      {{""}, R::kUsage, false, false, "", {}},
      {{"/qq"}, R::kUsage, false, false, "", {}},
      {{"--q"}, R::kUsage, false, false, "", {}},
      {{"q"}, R::kUsage, false, false, "", {}},
      {{"/q "}, R::kUsage, false, false, "", {}},
      {{"/icmds.txt"}, R::kUsage, false, false, "", {}},
      {{"cmds.txt"}, R::kUsage, false, false, "", {}},
      {{"/q", "/x", "/i"}, R::kUsage, true, false, "", {}},
      {{"/o", "out.txt", "/x", "/i", "a"}, R::kUsage, true, false, "", {"stdout out.txt"}},
  };
  for (const ScanCase& c : cases) {
    std::vector<std::string> args = {"orvix"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    std::string label;
    for (const std::string& a : c.args) label += "[" + a + "] ";
    SCOPED_TRACE(label);

    FakeSystem system;
    system.unreadable = {"missing", "/q"};
    system.broken = {"broken"};
    system.links = {{"link", "cmds.txt"}};
    const SwitchOutcome outcome = scan_switches(args, system.platform());
    EXPECT_EQ(outcome.result, c.result);
    EXPECT_EQ(outcome.quiet, c.quiet);
    EXPECT_EQ(outcome.no_hint, c.no_hint);
    EXPECT_EQ(outcome.file_name, c.file_name);
    EXPECT_EQ(system.calls, c.calls);
  }
}

TEST(SwitchScan, ProgramNameIsNeverTakenForASwitch) {
  FakeSystem system;
  const SwitchOutcome outcome = scan_switches({"/i"}, system.platform());
  EXPECT_EQ(outcome.result, SwitchResult::kRun);
  EXPECT_TRUE(system.calls.empty());
}

TEST(SwitchScan, OnlyFailuresEndWithStatusOne) {
  const std::vector<std::pair<SwitchResult, int>> cases = {
      {SwitchResult::kRun, 0},
      {SwitchResult::kUsage, 0},
      {SwitchResult::kMissingFileName, 1},
      {SwitchResult::kInputNotReadable, 1},
      {SwitchResult::kSameFile, 1},
      {SwitchResult::kInputReopenFailed, 1},
      {SwitchResult::kOutputReopenFailed, 1},
  };
  for (const auto& [result, status] : cases) {
    SwitchOutcome outcome;
    outcome.result = result;
    EXPECT_EQ(switch_exit_status(outcome), status) << static_cast<int>(result);
  }
}

}  // namespace
}  // namespace orvix
