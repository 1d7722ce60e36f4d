// Which heard FST4W symbols differ from the expected ones, and the fault in a beacon's symbol
// table that explains them: the faults WSPR's tables are judged by, on 160 symbols.
#pragma once

#include <cstddef>
#include <vector>

#include "fst4w_types.hpp"
#include "symbol_faults.hpp"

namespace beaconcheck {

struct Fst4wExplanation {
  tonepak::SymbolFault fault = tonepak::SymbolFault::kUnexplained;
  int shift = 0;                       // kShifted: heard symbol i is expected symbol i + shift
  std::vector<std::size_t> differing;  // heard symbols that are not the expected ones
};

// The expected symbols as a beacon with `fault` sends them.
tonepak::fst4w::ChannelSymbols WithFst4wFault(const tonepak::fst4w::ChannelSymbols& symbols,
                                              tonepak::SymbolFault fault, int shift = 0);

// `decoded_same` says the decoder read the expected message, `decoded_other` another one. The
// fault under which most symbols agree wins when it explains most of them and clearly more
// than as intended does; as intended when few differ.
Fst4wExplanation ExplainFst4wSymbols(const tonepak::fst4w::ChannelSymbols& heard,
                                     const tonepak::fst4w::ChannelSymbols& expected,
                                     bool decoded_same, bool decoded_other);

}  // namespace beaconcheck
