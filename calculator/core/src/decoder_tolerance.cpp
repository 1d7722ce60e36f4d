// How far wsprd follows a WSPR tone step that is off: the measured table and its interpolation.
#include <optional>
#include <span>

#include "tuneworks_core.hpp"

namespace tuneworks {
namespace {

#include "decoder_tolerance_table.inc"

std::optional<double> InterpolatedThreshold(double e) {
  const std::span<const ThresholdPoint> points = kThresholds;
  for (std::size_t k = 0; k + 1 < points.size(); ++k) {
    const ThresholdPoint& a = points[k];
    const ThresholdPoint& b = points[k + 1];
    if (e < a.stepErrorPercent || e > b.stepErrorPercent) continue;
    if (e == a.stepErrorPercent && a.thresholdSnrDb) return *a.thresholdSnrDb;
    if (e == b.stepErrorPercent && b.thresholdSnrDb) return *b.thresholdSnrDb;
    if (!a.thresholdSnrDb || !b.thresholdSnrDb) return std::nullopt;
    const double t = (e - a.stepErrorPercent) / (b.stepErrorPercent - a.stepErrorPercent);
    return *a.thresholdSnrDb + t * (*b.thresholdSnrDb - *a.thresholdSnrDb);
  }
  return std::nullopt;  // outside the table, NaN too
}

}  // namespace

bool DecoderFollows(double step_error_percent) {
  return step_error_percent >= kCleanLowPercent && step_error_percent <= kCleanHighPercent;
}

std::optional<double> DecoderLossDb(double step_error_percent) {
  if (!DecoderFollows(step_error_percent)) return std::nullopt;
  const auto at_e = InterpolatedThreshold(step_error_percent);
  const auto at_zero = InterpolatedThreshold(0.0);
  if (!at_e || !at_zero) return std::nullopt;
  return *at_e - *at_zero;
}

DecoderLimits CleanDecodeLimits() { return {kCleanLowPercent, kCleanHighPercent}; }

std::span<const ThresholdPoint> DecoderThresholds() { return kThresholds; }

}  // namespace tuneworks
