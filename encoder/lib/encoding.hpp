// The whole encoding of one message: every stage's result from the normalised fields onwards.
#pragma once

#include <string>

#include "convolution.hpp"
#include "source_coding.hpp"
#include "wspr_types.hpp"

namespace tonepak {

struct Encoding {
  Message message;
  SourceCode source;        // N1, N2 and the 11 source bytes
  Convolution convolution;  // register states and the 176 coded bits
  InterleavedBits interleaved{};
  ChannelSymbols symbols{};  // 0..3: sync bit + 2 * data bit
  PackedSymbols packed{};    // four symbols to a byte
  std::string include_file;  // the text of wsptones.inc
};

// Source coding, convolution, interleaving, the sync merge, packing and the include file, in that
// order. The test audio is the one stage left out: it is 2.9 MB, so TestAudioFile(symbols) makes
// it only where it is wanted.
// One transmission of any message type; a MessageFields converts to a standard message.
Encoding EncodeMessage(const Message& message);

}  // namespace tonepak
