// The texts of an FST4W transmission's files: wsptones.inc for the PIC assembler and wsptones.h
// for C firmware, each naming the mode and its period.
#pragma once

#include <string>

namespace tonepak::fst4w {

struct Fst4wEncoding;

// Seven lines ending in CR LF, as WSPR's: two comments, the first naming the mode
// ("FST4W-120"), the second the message, the period and the symbol length, then five "de" lines
// of eight bytes, the last ending in "End of FST4W Data".
std::string Fst4wIncludeFileText(const Fst4wEncoding& encoding);

// The message and mode in a comment, FST4W_PERIOD_S, FST4W_SYMBOL_COUNT and FST4W_PACKED_COUNT,
// and two arrays of uint8_t: fst4w_symbols (160 tones 0..3) and fst4w_packed (40 bytes), with
// FST4W_ROM (empty unless defined first) on both. Lines end in LF.
std::string Fst4wCHeaderText(const Fst4wEncoding& encoding);

}  // namespace tonepak::fst4w
