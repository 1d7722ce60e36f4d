// How far wsprd, the WSPR decoder, follows a signal that is off: a tone step too large or too
// small, drift, a start early or late, a symbol timer fast or slow. The limits a clean signal
// still decodes within, and the decibels each fault costs below them, measured with wsprd itself
// (tools/measure-wsprd-limits, data/wsprd_limits.tsv).
#pragma once

#include <optional>
#include <span>

namespace wspr {

enum class WsprdFault {
  kStepError,    // % of the tone step 12000/8192 Hz
  kDrift,        // Hz from the first symbol to the last
  kDt,           // s, the start less 1 s, as WSJT-X shows it
  kSymbolError,  // % of the symbol period 8192/12000 s
};

// The weakest signal that decodes (SNR in 2500 Hz, half the noise seeds) with a fault of `value`;
// none when it does not decode even at +40 dB.
struct LimitPoint {
  double value;
  std::optional<int> threshold_snr_db;
};

// A clean signal decodes from `low` to `high`; `points` in rising order of value, 0 among them.
struct Tolerance {
  double low;
  double high;
  std::span<const LimitPoint> points;
};

// The measured table, as compiled in.
const Tolerance& WsprdTolerance(WsprdFault fault);

// Does a clean signal decode with this value of a measured fault? Never for NaN.
bool Follows(const Tolerance& tolerance, double value);

// Does wsprd decode a clean signal with this fault? Never for NaN.
bool WsprdFollows(WsprdFault fault, double value);

// What the fault costs: the threshold's rise over the fault-free one, interpolated in the
// measured points. Between the outermost point and the limit the cost there is a lower bound
// (`at_least`); beyond the limits, or next to a point that does not decode in noise, there is
// none.
struct Cost {
  double db;
  bool at_least;
};
std::optional<Cost> WsprdCost(WsprdFault fault, double value);

// The same for any decoder's measured table (jt9's too).
std::optional<Cost> CostOf(const Tolerance& tolerance, double value);

}  // namespace wspr
