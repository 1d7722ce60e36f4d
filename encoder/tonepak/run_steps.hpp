// What one run of TONEPAK prints, complains of and writes, in the order it happens, worked out
// before anything is done: the console program carries the steps out, the web page shows them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tonepak {

struct RunStep {
  enum class Kind { kPrint, kComplain, kWrite };
  Kind kind = Kind::kPrint;
  std::uint8_t attribute = 0;       // the console colour the step is taken in
  std::string text;                 // kPrint: standard output; kComplain: the complaint
  const char* file_name = nullptr;  // kWrite: the file in the current folder
  std::vector<std::uint8_t> bytes;  // kWrite: its whole contents
};

struct RunSteps {
  std::vector<RunStep> steps;
  bool refused = false;  // the call cannot be sent: one complaint, and no file
};

// The summary box and the field warnings, every stage's trace, the include file and the test
// audio of each transmission the words call for (one, or a pair), with c_header wsptones.h, and
// for a pair the lines that tell how the firmware sends the two. Pure: no I/O.
RunSteps PlanRun(std::string_view call, std::string_view locator, std::string_view power,
                 bool c_header);

}  // namespace tonepak
