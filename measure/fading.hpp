// Slow fading: the amplitude of a signal that reaches the receiver by changing paths.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace measure {

// `count` amplitudes at `sample_rate_hz`: the magnitude of a complex Gaussian smoothed to
// `coherence_s` (the time over which it changes little), so Rayleigh-like with deep fades now and
// then. Scaled so that their mean square is 1: the faded signal keeps its mean power.
std::vector<double> FadingEnvelope(std::size_t count, double sample_rate_hz, double coherence_s,
                                   std::uint64_t seed);

}  // namespace measure
