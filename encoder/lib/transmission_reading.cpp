// Reading a file's bytes back to their message.
#include "transmission_reading.hpp"

#include <string>
#include <string_view>

#include "include_reading.hpp"
#include "tone_demodulation.hpp"

namespace tonepak {

Decoded ReadTransmission(std::span<const std::uint8_t> start, bool longer) {
  const std::string_view text(reinterpret_cast<const char*>(start.data()), start.size());
  if (text.starts_with(".snd")) {
    const HeardSymbols heard = HearTestAudio(start);
    if (!heard.symbols) return {std::nullopt, {heard.problem}};
    return DecodeSymbols(*heard.symbols);
  }
  if (longer) {
    return {std::nullopt,
            {"it is larger than " + std::to_string(kReadLimitBytes >> 20) +
             " MiB, far too large for an include file, and no a.au (no \".snd\" header)"}};
  }
  const IncludeReading reading = ReadIncludeText(text);
  if (!reading.packed) return {std::nullopt, {reading.problem}};
  return DecodePacked(*reading.packed);
}

}  // namespace tonepak
