#include "app/switches.h"

#include "app/banner.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/standard_streams.h"

namespace orvix {

namespace {

enum class Switch { kQuiet, kInput, kOutput, kNoHint, kNone };

struct SwitchForms {
  Switch which;
  const char* forms[4];
};

// Tried in this order; an argument must equal a form exactly, so /qq, --q or
// /ifile are no switches at all.
constexpr SwitchForms kSwitchTable[] = {
    {Switch::kQuiet, {"/q", "/Q", "-q", "-Q"}},
    {Switch::kInput, {"/i", "/I", "-i", "-I"}},
    {Switch::kOutput, {"/o", "/O", "-o", "-O"}},
    {Switch::kNoHint, {"/n", "/N", "-n", "-N"}},
};

Switch classify(const std::string& arg) {
  for (const SwitchForms& entry : kSwitchTable)
    for (const char* form : entry.forms)
      if (arg == form) return entry.which;
  return Switch::kNone;
}

// The file names after /i and /o, up to the argument where the scan stops.
void collect_file_names(const std::vector<std::string>& args, std::vector<std::string>& inputs,
                        std::vector<std::string>& outputs) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    const Switch which = classify(args[i]);
    if (which == Switch::kQuiet || which == Switch::kNoHint) continue;
    if (which == Switch::kNone || i + 1 >= args.size()) return;
    (which == Switch::kInput ? inputs : outputs).push_back(args[++i]);
  }
}

}  // namespace

SwitchOutcome scan_switches(const std::vector<std::string>& args, const SwitchPlatform& platform) {
  SwitchOutcome outcome;
  std::vector<std::string> inputs, outputs;
  collect_file_names(args, inputs, outputs);
  for (const std::string& output : outputs)
    for (const std::string& input : inputs)
      if (platform.same_file(input, output)) {
        outcome.result = SwitchResult::kSameFile;
        outcome.file_name = output;
        return outcome;
      }
  for (std::size_t i = 1; i < args.size(); ++i) {
    const Switch which = classify(args[i]);
    if (which == Switch::kQuiet) {
      outcome.quiet = true;
    } else if (which == Switch::kNoHint) {
      outcome.no_hint = true;
    } else if (which == Switch::kInput || which == Switch::kOutput) {
      if (i + 1 >= args.size()) {
        outcome.result = SwitchResult::kMissingFileName;
        return outcome;
      }
      const std::string& name = args[++i];  // verbatim, even if it looks like a switch
      if (which == Switch::kInput) {
        if (!platform.input_readable(name)) {
          outcome.result = SwitchResult::kInputNotReadable;
          outcome.file_name = name;
          return outcome;
        }
        outcome.quiet = true;
        if (!platform.reopen_input(name)) {
          outcome.result = SwitchResult::kInputReopenFailed;
          outcome.file_name = name;
          return outcome;
        }
        outcome.input_redirected = true;
      } else {
        outcome.quiet = true;
        if (!platform.reopen_output(name)) {
          outcome.result = SwitchResult::kOutputReopenFailed;
          outcome.file_name = name;
          return outcome;
        }
        outcome.output_redirected = true;
      }
    } else {
      outcome.result = SwitchResult::kUsage;  // later arguments are never examined
      return outcome;
    }
  }
  return outcome;
}

void print_switch_outcome(const SwitchOutcome& outcome, std::string_view program_name) {
  const std::string program(program_name);
  switch (outcome.result) {
    case SwitchResult::kRun:
      break;
    case SwitchResult::kUsage:
      out_printf("%s", program_banner);
      out_printf("Usage: %s [/i inputfile] [/o outputfile] [/q] [/n]\n", program.c_str());
      out_printf("Where: /i inputfile: read commands from inputfile.\n");
      out_printf("       /o outputfile: output to outputfile.\n");
      out_printf("       /n: no hint mode, suppress hints about window or how to get help.\n");
      out_printf("       /q: quiet mode, turn off prompts, on by default with /i or /o.\n\n");
      break;
    case SwitchResult::kMissingFileName:
      out_printf("Error: no filename provided with /i or /o.\n");
      break;
    case SwitchResult::kInputNotReadable:
      out_printf("Error: cannot open input file %s.\n", outcome.file_name.c_str());
      break;
    case SwitchResult::kSameFile:
      out_printf("Error: the input file and the output file are the same file (%s).\n",
                 outcome.file_name.c_str());
      break;
    case SwitchResult::kInputReopenFailed:
      out_printf("Error on freopen assigning stdin from file %s\n", outcome.file_name.c_str());
      break;
    case SwitchResult::kOutputReopenFailed:
      out_printf("Error on freopen assigning stdout to file %s\n", outcome.file_name.c_str());
      break;
  }
  out_flush();
}

int switch_exit_status(const SwitchOutcome& outcome) {
  return outcome.result == SwitchResult::kRun || outcome.result == SwitchResult::kUsage ? 0 : 1;
}

SwitchPlatform system_switch_platform() {
  SwitchPlatform platform;
  platform.input_readable = readable_file;
  platform.same_file = same_file;
  platform.reopen_input = reopen_standard_input;
  platform.reopen_output = reopen_standard_output;
  return platform;
}

}  // namespace orvix
