// Reading the packed symbols back out of a wsptones.inc: the bytes of its "de" lines.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "wspr_types.hpp"

namespace tonepak {

struct IncludeReading {
  std::optional<PackedSymbols> packed;
  std::string problem;  // when there are none: what is wrong with the text, with its line number
};

struct IncludeBytes {
  std::vector<std::uint8_t> bytes;  // the values in order, the first kKeptBytes of them
  std::size_t count = 0;            // how many values there are
  std::string problem;              // the first line the assembler would refuse, with its number
};
inline constexpr std::size_t kKeptBytes = 64;

// Every value of the "de" lines, read as ReadIncludeText reads them, however many there are.
IncludeBytes ReadIncludeBytes(std::string_view text);

// Reads every "de" directive (any case, after an optional label) as the PIC assembler would:
// comments from ';' to the line end, blanks and tabs anywhere, lines ended by CR LF, LF or CR.
// Values may be written 0xF0, H'F0', 0F0h, D'240', .240 or B'11110000'. Other lines are passed
// over. There must be exactly 41 bytes.
IncludeReading ReadIncludeText(std::string_view text);

}  // namespace tonepak
