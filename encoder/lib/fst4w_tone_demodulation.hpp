// Hearing the 160 symbols in an FST4W a.au of tonepak's again: the period told by the file's
// length, then the energy at each of the four tones over every symbol, strongest wins.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "beacon_mode.hpp"
#include "fst4w_types.hpp"

namespace tonepak::fst4w {

// An FST4W a.au is a whole period at 12000 Hz after the 24-byte header: 43,200,024 bytes at 1800 s.
inline constexpr std::size_t kAudioReadLimitBytes =
    24 + std::size_t{2} * 1800 * static_cast<std::size_t>(::fst4w::kSampleRateHz);

struct HeardFst4w {
  std::optional<beacon::Mode> mode;  // the period the file's length names
  std::optional<ChannelSymbols> symbols;
  std::string problem;  // when there are none: what is wrong with the file
};

// The mode whose period a.au's sample count is, if any.
std::optional<beacon::Mode> Fst4wModeOfSampleCount(std::size_t samples);

// Checks the header (16-bit linear PCM, 12000 Hz, mono) and that every symbol holds one clear
// tone at 1500 Hz plus 0 to 3 steps, the transmission starting 1.0 s in.
HeardFst4w HearFst4wTestAudio(std::span<const std::uint8_t> file);

}  // namespace tonepak::fst4w
