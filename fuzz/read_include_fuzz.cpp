// Fuzz target: any text as a wsptones.inc. The reader must not crash or hang, and whatever it
// accepts must hold together: 41 bytes, and a message only when those bytes encode it exactly.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "decoding.hpp"
#include "encoding.hpp"
#include "escaped_text.hpp"
#include "include_reading.hpp"

namespace {

using namespace tonepak;

void Check(bool holds, const char* what, std::string_view input) {
  if (holds) return;
  std::fprintf(stderr, "read_include_fuzz: invariant broken: %s\ninput: ", what);
  PrintEscaped(input);
  std::fputc('\n', stderr);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const IncludeReading reading = ReadIncludeText(text);
  Check(reading.packed.has_value() == reading.problem.empty(), "bytes and a problem, or neither",
        text);
  if (!reading.packed) return 0;

  const Decoded decoded = DecodePacked(*reading.packed);
  Check(decoded.message.has_value() == decoded.problems.empty(), "message and problems, or neither",
        text);
  if (decoded.message) {
    Check(EncodeMessage(*decoded.message).packed == *reading.packed,
          "the message read does not encode to the bytes it was read from", text);
  }
  return 0;
}
