// The start-up switches: the input is an argument vector (arguments split at
// NUL bytes), scanned against a stand-in platform that opens nothing. The
// first byte picks which platform calls fail.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/switches.h"
#include "fuzz_support.h"

using namespace orvix;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::silence_standard_output();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned failures = data[0];
  std::vector<std::string> args{"orvix"};
  std::string arg;
  for (std::size_t i = 1; i < size; ++i) {
    if (data[i] == 0) {
      args.push_back(arg);
      arg.clear();
    } else {
      arg.push_back(static_cast<char>(data[i]));
    }
  }
  args.push_back(arg);

  int reopened_input = 0;
  int reopened_output = 0;
  SwitchPlatform platform;
  platform.input_readable = [&](const std::string&) { return (failures & 1) == 0; };
  platform.same_file = [&](const std::string& in, const std::string& out) {
    return (failures & 2) != 0 || in == out;
  };
  platform.reopen_input = [&](const std::string&) {
    ++reopened_input;
    return (failures & 4) == 0;
  };
  platform.reopen_output = [&](const std::string&) {
    ++reopened_output;
    return (failures & 8) == 0;
  };

  const SwitchOutcome outcome = scan_switches(args, platform);
  // A redirection is reported only when it was made, and a run never names a file.
  FUZZ_CHECK(!outcome.input_redirected || reopened_input > 0);
  FUZZ_CHECK(!outcome.output_redirected || reopened_output > 0);
  FUZZ_CHECK(outcome.result != SwitchResult::kRun || outcome.file_name.empty());
  // One file on both sides is found before anything is opened.
  FUZZ_CHECK(outcome.result != SwitchResult::kSameFile || reopened_input + reopened_output == 0);
  const int status = switch_exit_status(outcome);
  FUZZ_CHECK(
      status ==
      ((outcome.result == SwitchResult::kRun || outcome.result == SwitchResult::kUsage) ? 0 : 1));
  print_switch_outcome(outcome, "orvix");
  return 0;
}
