// The tone table as the firmware takes it: a PIC include file or a C header.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "tuneworks_core.hpp"

namespace tunecalc {

// One band of the table (or the wanted frequency alone, then `band` is its nearest band or
// nothing). Every entry of a table is for the same synthesiser.
struct TableEntry {
  tuneworks::ToneTable table;
  std::optional<tuneworks::BandCheck> band;
};

// The include file, in the form of tonepak's wsptones.inc: comments naming the synthesiser, the
// byte order, and each entry's band, wanted frequency and actual step; then one "de" line per
// tone, its frequency in a comment. Lines end in CR LF.
std::string IncludeTableText(std::span<const TableEntry> entries);

// The C header, in the form of tonepak's wsptones.h (C99, <stdint.h>, WSPR_ROM on the array,
// LF line ends): the comments of the include file with the byte layout drawn, the counts as
// macros, WSPR_TONE_BAND_40M and the like for each band, and
// const uint8_t wspr_tone_table[WSPR_TONE_BAND_COUNT][WSPR_TONE_COUNT][WSPR_TONE_BYTES].
std::string CHeaderTableText(std::span<const TableEntry> entries);

}  // namespace tunecalc
