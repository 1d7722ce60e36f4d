// The console trace of a run: the summary box and the printout of every encoding stage.
#pragma once

#include <string>

#include "convolution.hpp"
#include "source_coding.hpp"
#include "wspr_types.hpp"

namespace tonepak {

// The prompts and the argument-count complaint shown when the command line is not CALL LOC POWER.
inline constexpr const char* kUsageLine =
    "\nIncorrect number of arguments.   Usage ...  'TONEPAK CALL LOC POWER'";
inline constexpr const char* kCallsignPrompt = "\n\n     Callsign    ";
inline constexpr const char* kLocatorPrompt = "     Locator     ";
inline constexpr const char* kPowerPrompt = "     Power       ";

std::string SummaryBox(const MessageFields& fields);

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

}  // namespace tonepak
