// Reading the symbols back out of a wsptones.h: the arrays wspr_symbols and wspr_symbols_2.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "wspr_types.hpp"

namespace tonepak {

struct CHeaderReading {
  std::array<ChannelSymbols, 2> symbols{};  // the first transmission's, then the second's
  std::size_t count = 0;                    // 1 or 2; 0 when the text holds none
  std::string problem;  // when count is 0: what is wrong with the text, with its line number
};

// Reads the initialisers of `wspr_symbols` and of `wspr_symbols_2`, if it is there, as a C
// compiler would: comments /* */ and //, values in decimal, 0x hex or octal, separated by
// commas. Each must hold exactly 162 values, each 0 to 3. The packed arrays are not read: they
// say the same again.
CHeaderReading ReadCHeaderText(std::string_view text);

// Reads the initialiser of the array `name` in the same way into `symbols`, which it must fill
// exactly; an empty string, or the problem.
std::string ReadSymbolArray(std::string_view text, std::string_view name,
                            std::span<std::uint8_t> symbols);

// Whether the text looks like a C header of transmissions rather than an include file.
bool IsCHeaderText(std::string_view text);

}  // namespace tonepak
