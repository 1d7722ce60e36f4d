// tonepak --read FILE: the message a wsptones.inc or an a.au carries, or why it carries none.
#include "read_back.hpp"

#include <cstdio>
#include <string>
#include <string_view>

#include "decoding.hpp"
#include "include_reading.hpp"
#include "input_file.hpp"
#include "message_unpacking.hpp"
#include "tone_demodulation.hpp"
#include "tonepak.hpp"

namespace tonepak {
namespace {

Decoded Read(const InputFile& in) {
  const std::string_view text(reinterpret_cast<const char*>(in.bytes.data()), in.bytes.size());
  if (text.starts_with(".snd")) {
    const HeardSymbols heard = HearTestAudio(in.bytes);
    if (!heard.symbols) return {std::nullopt, {heard.problem}};
    return DecodeSymbols(*heard.symbols);
  }
  if (in.longer) {
    return {std::nullopt,
            {"it is larger than " + std::to_string(kReadLimitBytes >> 20) +
             " MiB, far too large for an include file, and no a.au (no \".snd\" header)"}};
  }
  const IncludeReading reading = ReadIncludeText(text);
  if (!reading.packed) return {std::nullopt, {reading.problem}};
  return DecodePacked(*reading.packed);
}

}  // namespace

int ReadBack(const char* file_name) {
  const InputFile in = ReadFileStart(file_name, kReadLimitBytes);
  if (!in.error.empty()) {
    Complain(in.error);
    return 1;
  }
  const Decoded decoded = Read(in);
  if (!decoded.message) {
    for (const std::string& problem : decoded.problems) {
      Complain(std::string(file_name) + ": " + problem);
    }
    return 1;
  }
  const std::string line = MessageText(*decoded.message) + "\n";
  std::fwrite(line.data(), 1, line.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace tonepak
