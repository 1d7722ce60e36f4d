// FST4W's channel symbols: the codeword Gray mapped two bits a tone, with the five sync groups
// around its four runs of 30, and the way back from symbols to codeword.
#pragma once

#include <optional>

#include "fst4w_types.hpp"

namespace tonepak::fst4w {

ChannelSymbols ChannelSymbolsOf(const Codeword& word);

// How many of the 40 sync symbols differ from the sync words.
std::size_t SyncErrors(const ChannelSymbols& symbols);

// The codeword the data symbols carry, whatever the sync symbols hold.
Codeword CodewordOf(const ChannelSymbols& symbols);

// The index of the n-th data symbol (0..119) among the 160.
std::size_t DataSymbolIndex(std::size_t n);

}  // namespace tonepak::fst4w
