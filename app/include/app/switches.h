#pragma once
// The start-up switches: quiet, input file, output file and no hint.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvix {

// What the scan asks the operating system to do; each returns false on failure.
// Kept behind functions so the scan can be checked without touching real files.
struct SwitchPlatform {
  std::function<bool(const std::string&)> input_readable;  // a readable file, device or pipe
  std::function<bool(const std::string&, const std::string&)> same_file;  // one file, two names
  std::function<bool(const std::string&)> reopen_input;   // standard input from the file
  std::function<bool(const std::string&)> reopen_output;  // standard output to the file
};

enum class SwitchResult {
  kRun,               // scan complete: build the tables and enter the command loop
  kUsage,             // unrecognised argument: print the usage text, exit 0
  kMissingFileName,   // /i or /o was the last argument
  kInputNotReadable,  // the input file failed the read-access test
  kSameFile,          // /i and /o name one file
  kInputReopenFailed,
  kOutputReopenFailed,
};

struct SwitchOutcome {
  SwitchResult result = SwitchResult::kRun;
  bool quiet = false;
  bool no_hint = false;
  bool input_redirected = false;   // standard input now reads an /i file
  bool output_redirected = false;  // standard output now writes an /o file
  std::string file_name;           // the file a failure names
};

// Scans args[1..] left to right, performing each redirection as its switch is
// met, and stops at the first argument that ends the program. args[0] is the
// program name and is not looked at. Before anything is opened, every /i
// file the scan would reach is compared with every /o file: the same file
// on both sides ends the program at once (same_file), so that opening the
// output cannot empty the commands.
SwitchOutcome scan_switches(const std::vector<std::string>& args, const SwitchPlatform& platform);

// Prints what the outcome calls for (nothing for run) to standard output,
// wherever the scan left it.
void print_switch_outcome(const SwitchOutcome& outcome, std::string_view program_name);

// 0 for kRun and kUsage, 1 for every failure.
int switch_exit_status(const SwitchOutcome& outcome);

// The real operating-system facilities behind SwitchPlatform.
SwitchPlatform system_switch_platform();

}  // namespace orvix
