// The whole encoding of one message: every stage's result from the normalised fields onwards.
#include "encoding.hpp"

#include "include_file.hpp"
#include "interleaver.hpp"
#include "packing.hpp"
#include "sync.hpp"

namespace tonepak {

Encoding EncodeMessage(const Message& message) {
  Encoding e;
  e.message = message;
  e.source = EncodeSource(message);
  e.convolution = Convolve(e.source.bytes);
  e.interleaved = Interleave(e.convolution.bits);
  e.symbols = MergeSync(e.interleaved);
  e.packed = PackSymbols(e.symbols);
  e.include_file = IncludeFileText(message, e.packed);
  return e;
}

}  // namespace tonepak
