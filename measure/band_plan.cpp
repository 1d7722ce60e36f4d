// The beacons drawn one after the other from the seed.
#include "band_plan.hpp"

#include <algorithm>
#include <set>

#include "random_message.hpp"
#include "seeded_random.hpp"
#include "wspr_constants.hpp"

namespace measure {
namespace {

constexpr double kWideShare = 1.0 / 8.0;  // beacons whose DT or drift goes further out

std::string Call(const std::string& message) { return message.substr(0, message.find(' ')); }

// A centre near `other`, on the side that stays inside the window.
double NearCentre(SeededRandom& random, double other) {
  const double gap = random.Uniform(kPairNearestHz, kPairFarthestHz);
  const double up = other + gap;
  const double down = other - gap;
  const bool prefer_up = random.Chance(0.5);
  if (prefer_up && up <= kHighestCentreHz) return up;
  if (down >= kLowestCentreHz) return down;
  return up;
}

}  // namespace

std::vector<Beacon> PlanBeacons(const BandOptions& options) {
  SeededRandom random(options.seed);
  const double scale = options.ClockScale();
  std::vector<Beacon> beacons;
  std::vector<double> nominal_centres;
  std::set<std::string> calls;
  for (std::size_t i = 0; i < options.beacons; ++i) {
    Beacon b;
    do {
      b.message = RandomMessage(random);
    } while (!calls.insert(Call(b.message)).second);
    const bool near_other = i % 4 == 3;  // a quarter of them, spread through the list
    const double centre = near_other ? NearCentre(random, nominal_centres[random.Below(i)])
                                     : random.Uniform(kLowestCentreHz, kHighestCentreHz);
    nominal_centres.push_back(centre);
    const double dt =
        random.Chance(kWideShare) ? random.Uniform(-3.0, 3.0) : random.Uniform(-1.0, 2.0);
    const double drift =
        random.Chance(kWideShare) ? random.Uniform(-4.0, 4.0) : random.Uniform(-2.0, 2.0);
    b.snr_db = random.Uniform(options.snr_low_db, options.snr_high_db);
    b.phase_cycles = random.Uniform(0.0, 1.0);
    b.fading = options.fading;
    b.fading_seed = options.seed * 1000003ULL + i;
    // The middle of the transmission lies 81 of the 161 symbol spacings from the first symbol's
    // middle, so the centre there has gone 81/161 of the drift.
    const double drift_to_middle = drift * 81.0 / (wspr::kSymbolCount - 1);
    b.step_hz = wspr::kToneSpacingHz * scale;
    b.drift_hz = drift * scale;
    b.centre_hz = centre * scale;
    b.tone0_hz = (centre - drift_to_middle - wspr::kLowToneOffsetHz) * scale;
    b.symbol_s = wspr::kSymbolPeriodS / scale;
    b.start_s = (1.0 + dt) / scale;
    beacons.push_back(b);
  }
  return beacons;
}

}  // namespace measure
