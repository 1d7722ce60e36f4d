// The measured limits of wsprd and their interpolation.
#include "wsprd_limits.hpp"

namespace wspr {
namespace {

#include "wsprd_limits_table.inc"

// The threshold at `value` by straight lines between the points; none outside them or next to
// a point that does not decode, except on a measured point that does.
std::optional<double> Threshold(std::span<const LimitPoint> points, double value) {
  for (std::size_t k = 0; k + 1 < points.size(); ++k) {
    const LimitPoint& a = points[k];
    const LimitPoint& b = points[k + 1];
    if (value < a.value || value > b.value) continue;
    if (value == a.value && a.threshold_snr_db) return *a.threshold_snr_db;
    if (value == b.value && b.threshold_snr_db) return *b.threshold_snr_db;
    if (!a.threshold_snr_db || !b.threshold_snr_db) return std::nullopt;
    const double t = (value - a.value) / (b.value - a.value);
    return *a.threshold_snr_db + t * (*b.threshold_snr_db - *a.threshold_snr_db);
  }
  return std::nullopt;
}

}  // namespace

const Tolerance& WsprdTolerance(WsprdFault fault) {
  switch (fault) {
    case WsprdFault::kStepError:
      return kStepError;
    case WsprdFault::kDrift:
      return kDrift;
    case WsprdFault::kDt:
      return kDt;
    case WsprdFault::kSymbolError:
      break;
  }
  return kSymbolError;
}

bool Follows(const Tolerance& tolerance, double value) {
  return value >= tolerance.low && value <= tolerance.high;
}

bool WsprdFollows(WsprdFault fault, double value) { return Follows(WsprdTolerance(fault), value); }

std::optional<Cost> WsprdCost(WsprdFault fault, double value) {
  return CostOf(WsprdTolerance(fault), value);
}

std::optional<Cost> CostOf(const Tolerance& t, double value) {
  if (!Follows(t, value)) return std::nullopt;
  if (t.points.empty()) return std::nullopt;
  const auto at_zero = Threshold(t.points, 0.0);
  const bool at_least = value < t.points.front().value || value > t.points.back().value;
  const double clamped = value < t.points.front().value  ? t.points.front().value
                         : value > t.points.back().value ? t.points.back().value
                                                         : value;
  const auto at_value = Threshold(t.points, clamped);
  if (!at_zero || !at_value) return std::nullopt;
  return Cost{*at_value - *at_zero, at_least};
}

}  // namespace wspr
