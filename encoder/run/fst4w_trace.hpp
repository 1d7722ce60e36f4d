// The console trace of an FST4W run: the summary box and the printout of every stage, from the
// 50 message bits to the 160 symbols with their sync groups marked.
#pragma once

#include <string>

#include "fst4w_encoding.hpp"

namespace tonepak::fst4w {

// The mode and the message in a box, then the period's tone step, symbol period and timing.
std::string Fst4wSummary(const Fst4wEncoding& encoding);

// The 50 message bits in their fields, the CRC-24, and the 240-bit codeword.
std::string Fst4wBitsTrace(const Fst4wEncoding& encoding);

// The 160 symbols, one line for each sync group (S) and each run of 30 data symbols (D), each
// line with the index of its first symbol.
std::string Fst4wSymbolsTrace(const ChannelSymbols& symbols);

// "Packed Symbols for Export" and the 40 bytes, eight to a row.
std::string Fst4wPackedTrace(const PackedSymbols& packed);

// The closing line of the include-file stage.
std::string Fst4wIncludeStoredLine(const Fst4wEncoding& encoding);

// A note when the power is sent rounded, or the call as a hash; empty otherwise.
std::string Fst4wMessageNote(const PackedMessage& message);

}  // namespace tonepak::fst4w
