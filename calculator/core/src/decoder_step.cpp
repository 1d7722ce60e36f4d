// The decoder that judges each mode's tone step, and its measured tolerance.
#include "decoder_step.hpp"

#include "jt9_limits.hpp"

namespace tuneworks::detail {

const wspr::Tolerance* DecoderStepTolerance(beacon::Mode mode) {
  if (const auto period = beacon::Fst4wPeriodOf(mode)) {
    return fst4w::Jt9Tolerance(*period, fst4w::Jt9Fault::kStepError);
  }
  return &wspr::WsprdTolerance(wspr::WsprdFault::kStepError);
}

std::string_view DecoderProgram(beacon::Mode mode) {
  return mode == beacon::Mode::kWspr ? "wsprd" : "jt9";
}

std::string_view DecoderPhrase(beacon::Mode mode) {
  return mode == beacon::Mode::kWspr ? "a WSPR decoder" : "an FST4W decoder";
}

}  // namespace tuneworks::detail
