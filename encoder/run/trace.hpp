// The console trace of a run: the summary box and the printout of every encoding stage.
#pragma once

#include <string>
#include <string_view>

#include "convolution.hpp"
#include "source_coding.hpp"
#include "wspr_types.hpp"

namespace tonepak {

std::string SummaryBox(const MessageFields& fields);

// The box for a compound call, whose call does not fit six places: the whole call, and the
// six-character locator or "(not sent)" when the call goes alone.
std::string CompoundSummaryBox(std::string_view call, std::string_view locator, int power_dbm);

// Compact locator, N1 and N2, and the 11 source bytes.
std::string SourceTrace(const SourceCode& code);

// The 88 register states, then the coded bits 0..161, 32 to a row.
std::string ConvolutionTrace(const Convolution& convolution);

std::string InterleaverTrace(const InterleavedBits& interleaved);

std::string ChannelSymbolsTrace(const ChannelSymbols& symbols);

// "Packed Symbols for Export" and the 41 bytes, eight to a row.
std::string PackedSymbolsTrace(const PackedSymbols& packed);

// The closing line of the include-file stage. It names the file in capitals, as the firmware
// sources refer to it; the file on disk is wsptones.inc.
inline constexpr const char* kIncludeFileStoredLine =
    "\n Packed WSPR tone data stored in  WSPRTONES.INC - import into PIC .asm file \n\n";

// A pair: the line before the second transmission's trace, its closing line, and the lines that
// end the run.
std::string SecondTransmissionLine(const Message& second);
inline constexpr const char* kSecondIncludeFileStoredLine =
    "\n Packed WSPR tone data stored in  WSPTONES2.INC - import into PIC .asm file \n\n";
std::string PairClosingLines(const Message& first, const Message& second);

// After --c-header: where the C arrays went.
inline constexpr const char* kCHeaderStoredLine =
    " Symbols and packed bytes as C arrays stored in  wsptones.h - include in the firmware \n\n";

}  // namespace tonepak
