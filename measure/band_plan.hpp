// A crowded WSPR band drawn from a seed: who transmits, where, when and how loud, and what the
// receiving chain does to it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace measure {

struct BandOptions {
  std::uint64_t seed = 1;
  std::size_t beacons = 24;
  double snr_low_db = -30.0;  // each beacon's SNR uniform between these, in 2500 Hz
  double snr_high_db = -5.0;
  bool fading = false;  // every beacon's amplitude wanders slowly (mean power as stated)
  bool ssb = false;     // an SSB receiver's audio: 300-2700 Hz, sloping, mains hum
  double ppm = 0.0;     // the sound card's clock error: frequencies x (1 + ppm 1e-6)
  double sample_rate_hz = 12000.0;
  double seconds = 120.0;
  std::optional<double> carrier_hz;  // a steady carrier that is no beacon, as the card hears it

  // The clock's factor on every frequency; every time is divided by it.
  double ClockScale() const { return 1.0 + ppm * 1e-6; }
};

// Where the beacons' centres may lie (the middle 180 Hz of wsprd's 200 Hz window), and how far
// apart a crowded pair is placed.
inline constexpr double kLowestCentreHz = 1410.0;
inline constexpr double kHighestCentreHz = 1590.0;
inline constexpr double kPairNearestHz = 6.0;
inline constexpr double kPairFarthestHz = 10.0;
inline constexpr double kFadingCoherenceS = 3.0;
inline constexpr double kCarrierSnrDb = 0.0;  // a birdie as loud as a strong beacon

// One beacon as the recording holds it: the figures after the sound card's clock error.
struct Beacon {
  std::string message;     // "K1ABC FN42 37"
  double centre_hz = 0.0;  // tone 1.5 at the middle of the transmission (wsprd's frequency)
  double tone0_hz = 0.0;   // tone 0 at the first symbol
  double step_hz = 0.0;
  double drift_hz = 0.0;  // from the first symbol's middle to the last's
  double symbol_s = 0.0;
  double start_s = 0.0;  // the first symbol, from the start of the recording
  double snr_db = 0.0;
  double phase_cycles = 0.0;
  bool fading = false;
  std::uint64_t fading_seed = 0;

  double DtS() const { return start_s - 1.0; }  // as WSJT-X shows it
};

// The beacons of the band, all with different calls: a quarter of them placed 6 to 10 Hz from
// one drawn before. DT mostly -1 to +2 s (one in eight -3 to +3 s), drift mostly -2 to +2 Hz (one
// in eight -4 to +4 Hz).
std::vector<Beacon> PlanBeacons(const BandOptions& options);

}  // namespace measure
