// Decoding a heard transmission with soft decisions: the power in each of the four tones of
// every symbol, through a sequential decoder of the K=32 rate-1/2 code, to the message.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "fano_decoder.hpp"
#include "soft_metrics.hpp"  // TonePowers
#include "wspr_types.hpp"

namespace tonepak {

struct SoftDecoded {
  Message message;  // as UnpackMessage gives it; a type 3's call is blank (see FillInCall)
  std::uint32_t n1 = 0, n2 = 0;
  ChannelSymbols symbols{};  // the transmission re-encoded from the decoded message
  std::size_t cycles = 0;    // decoder steps taken
  std::int32_t metric = 0;   // the path metric of the decoded code word, in kMetricUnitsPerBit
  // Symbols whose strongest tone is not the re-encoded symbol: hard-decision errors.
  std::size_t symbol_errors = 0;
};

// The strongest of the four tones in each period: the symbols as heard.
ChannelSymbols StrongestTones(const TonePowers& powers);

// How many of the 162 symbols' low bits agree with the sync vector.
std::size_t SyncAgreeing(const ChannelSymbols& symbols);

// Decodes with soft decisions; nullopt when the sequential decoder gives up (bounded work: never
// more than limits.cycles_per_bit steps per information bit) or the code word it finds is no
// WSPR message.
std::optional<SoftDecoded> DecodeTonePowers(const TonePowers& powers,
                                            const DecoderLimits& limits = {});

}  // namespace tonepak
