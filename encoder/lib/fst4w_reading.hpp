// Reading an FST4W wsptones.inc or wsptones.h back: the mode the file names, its 160 symbols,
// the sync groups, the parity checks, the CRC and the message.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "beacon_mode.hpp"
#include "fst4w_types.hpp"
#include "fst4w_unpacking.hpp"

namespace tonepak::fst4w {

struct Fst4wReading {
  std::optional<beacon::Mode> mode;  // as the file names it; none when it names no period
  std::optional<ChannelSymbols> symbols;
  std::size_t sync_errors = 0;    // of the 40 sync symbols
  std::size_t failed_checks = 0;  // of the 166 parity checks
  bool crc_matches = false;
  std::optional<UnpackedMessage> message;  // set only when the parity checks and CRC hold
  std::vector<std::string> problems;       // one sentence for each thing that fails
};

// Whether the text is an FST4W file rather than a WSPR one: it names an FST4W mode
// ("FST4W-300") or defines fst4w_symbols, or its "de" lines hold 40 bytes, not WSPR's 41, and
// it does not say it is WSPR's.
bool IsFst4wText(std::string_view text);

Fst4wReading ReadFst4wText(std::string_view text);

// The checks of 160 symbols, as ReadFst4wText makes them once it has the symbols.
Fst4wReading CheckFst4wSymbols(const ChannelSymbols& symbols);

}  // namespace tonepak::fst4w
