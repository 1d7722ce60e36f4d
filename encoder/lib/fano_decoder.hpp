// The Fano sequential decoder of the K=32 rate-1/2 WSPR code: the 81 source bits (50 message
// bits and 31 zero tail bits) most likely to have made the coded bits' metrics.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "decoding.hpp"  // kCarriedSourceBitCount, kMessageBitCount
#include "soft_metrics.hpp"

namespace tonepak {

// How hard the decoder tries before it gives up.
struct DecoderLimits {
  std::size_t cycles_per_bit = 10'000;                   // the decoder's steps, per source bit
  std::int32_t threshold_step = 4 * kMetricUnitsPerBit;  // how far the threshold moves
};

struct FanoResult {
  std::array<std::uint8_t, kCarriedSourceBitCount> bits{};  // source bits 0..80, each 0 or 1
  std::int32_t metric = 0;  // the path's metric, in 1/kMetricUnitsPerBit bit
  std::size_t cycles = 0;   // steps taken
};

// Walks the code tree one source bit at a time, keeping to the path whose metric stays above a
// running threshold, backing up and lowering the threshold when every way forward falls below
// it. In the tail only the 0 branch exists. nullopt when the steps run out: the work is bounded
// by limits.cycles_per_bit * 81, whatever the metrics.
std::optional<FanoResult> FanoDecode(const BitMetrics& metrics, const DecoderLimits& limits = {});

}  // namespace tonepak
