// What a piece of tonepak's trace is to its reader; the console shows each role in a colour of
// its own, the web page in a style of its own.
#pragma once

#include <cstdint>

namespace tonepak {

enum class TextRole : std::uint8_t {
  kPlain,    // the stages' printout and the rest of the run
  kHeading,  // the summary box that opens the run
  kValue,    // the packed bytes, which the firmware takes
  kWarning   // what is worth a word about the fields, and the notes
};

}  // namespace tonepak
