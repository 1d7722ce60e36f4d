// How far wsprd follows a beacon that drifts, starts early or late, or whose symbol timer is off:
// the limits measured with a clean signal, and the decibels each fault costs below them.
#pragma once

#include <optional>
#include <span>

namespace beaconcheck {

enum class WsprdFault {
  kDrift,        // Hz from the first symbol to the last
  kDt,           // s, the start less 1 s, as WSJT-X shows it
  kSymbolError,  // % of the symbol period 8192/12000 s
};

// The weakest signal that decodes (SNR in 2500 Hz, half the noise seeds) with a fault of `value`;
// none when it does not decode even at +40 dB.
struct LimitPoint {
  double value;
  std::optional<double> threshold_snr_db;
};

// A clean signal decodes from `low` to `high`; `points` in rising order of value, 0 among them.
struct Tolerance {
  double low;
  double high;
  std::span<const LimitPoint> points;
};

// The measured table (tools/measure-wsprd-limits writes it).
const Tolerance& WsprdTolerance(WsprdFault fault);

// Does wsprd decode a clean signal with this fault?
bool WsprdFollows(WsprdFault fault, double value);

// What the fault costs: the threshold's rise over the fault-free one, interpolated in the
// measured points. Between the outermost point and the limit the cost there is a lower bound
// (`at_least`); beyond the limits, or where a point does not decode in noise, there is none.
struct Cost {
  double db;
  bool at_least;
};
std::optional<Cost> WsprdCost(WsprdFault fault, double value);

}  // namespace beaconcheck
