// Reading the packed symbols back out of a wsptones.inc: the bytes of its "de" lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "wspr_types.hpp"

namespace tonepak {

struct IncludeReading {
  std::optional<PackedSymbols> packed;
  std::string problem;  // when there are none: what is wrong with the text, with its line number
};

// Reads every "de" directive (any case, after an optional label) as the PIC assembler would:
// comments from ';' to the line end, blanks and tabs anywhere, lines ended by CR LF, LF or CR.
// Values may be written 0xF0, H'F0', 0F0h, D'240', .240 or B'11110000'. Other lines are passed
// over. There must be exactly 41 bytes.
IncludeReading ReadIncludeText(std::string_view text);

}  // namespace tonepak
