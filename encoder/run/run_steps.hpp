// What one run of TONEPAK prints, complains of and writes, in the order it happens, worked out
// before anything is done: the console program carries the steps out, the web page shows them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "beacon_mode.hpp"
#include "text_role.hpp"

namespace tonepak {

// The files a run writes, in the current folder (the program) or as downloads (the page).
inline constexpr const char* kIncludeFileName = "wsptones.inc";
inline constexpr const char* kSecondIncludeFileName = "wsptones2.inc";
inline constexpr const char* kTestAudioFileName = "a.au";
inline constexpr const char* kSecondTestAudioFileName = "a2.au";
inline constexpr const char* kCHeaderFileName = "wsptones.h";

struct RunStep {
  enum class Kind { kPrint, kComplain, kWrite };
  Kind kind = Kind::kPrint;
  TextRole role = TextRole::kPlain;  // what the step's text is to the reader
  std::string text;                  // kPrint: standard output; kComplain: the complaint
  const char* file_name = nullptr;   // kWrite: one of the names above
  std::vector<std::uint8_t> bytes;   // kWrite: its whole contents
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

// The same for FST4W in one of its four modes: the summary, every stage from the 50 message bits
// to the 160 symbols, wsptones.inc, a.au a period long and with c_header wsptones.h. The message
// is as fst4sim takes it ("K1ABC FN42 37", "PJ4/K1ABC 37", "<PJ4/K1ABC> FK52UD"); one it cannot
// carry is refused with one complaint naming the field, and no file.
RunSteps PlanFst4wRun(std::string_view message, beacon::Mode mode, bool c_header);

}  // namespace tonepak
