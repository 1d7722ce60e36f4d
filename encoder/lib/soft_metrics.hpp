// Soft decisions: from the power in the four tones of each symbol to how much each coded bit
// speaks for 0 or for 1, as the sequential decoder weighs it.
#pragma once

#include <array>
#include <cstdint>

#include "wspr_types.hpp"

namespace tonepak {

// The linear power heard in each of the four tones, for each of the 162 symbol periods,
// aligned so that index 0 is the transmission's first symbol. Noise-normalised or not: the
// decoder does not depend on the scale.
using TonePowers = std::array<std::array<float, 4>, kSymbolCount>;

// Metrics are integers in units of 1/16 bit.
inline constexpr int kMetricUnitsPerBit = 16;

// For each coded bit in code order (de-interleaved), the Fano metric of its being 0 and of its
// being 1: log2(2 P(bit | heard)) - 1/2, the code rate subtracted, so that the right path gains
// on average and a wrong one loses.
using BitMetrics = std::array<std::array<std::int32_t, 2>, kSymbolCount>;

// The tone of a symbol is sync bit + 2 * data bit, and the sync bit is known: the data bit
// chooses between two tones, while the other two carry only noise. Their mean power over the
// transmission is the noise power N of one tone, and the pair's mean power less 2N the signal's
// power S. The data bit's log-likelihood ratio is then that of non-coherent detection of a tone
// of known power in Gaussian noise: ln I0(2 sqrt(S p1) / N) - ln I0(2 sqrt(S p0) / N), p1 and
// p0 the powers of the tones that mean 1 and 0.
std::array<float, kSymbolCount> DataBitLogLikelihoods(const TonePowers& powers);

// The ratios above, de-interleaved into code order and turned into metrics.
BitMetrics SoftBitMetrics(const TonePowers& powers);

}  // namespace tonepak
