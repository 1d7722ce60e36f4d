// A crowded window and a beacon far below it, searched with the plans the analysis uses: every
// beacon strong enough gives a candidate at its tone 0 and its start (the coarse search outside
// the window to its bin and frame), or, beside a stronger one, is decoded once that one is
// taken out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "analysis.hpp"
#include "candidate_search.hpp"
#include "message_unpacking.hpp"
#include "stage_signals.hpp"
#include "window_band.hpp"

namespace beaconcheck {
namespace {

using namespace stage_test;

struct Placed {
  const char* message;
  double tone0_hz;
  double snr_db;
  double start_s;
  double drift_hz;
};

// Pairs 6 to 10 Hz apart (tone 0 to tone 0), two drifting away from the others, one far
// outside the window.
const Placed kCrowd[] = {
    {"K1ABC FN42 37", 1405.0, -12.0, 1.0, 0.0}, {"K9XYZ EM10 30", 1412.0, -16.0, 1.6, 0.0},
    {"W1AW FN31 33", 1430.0, -5.0, 0.8, 0.0},   {"G4ABC IO91 23", 1440.0, -20.0, 2.1, 0.0},
    {"DL1AA JO62 30", 1458.0, -8.0, 1.2, 0.0},  {"F5XYZ JN18 27", 1464.0, -10.0, 0.6, 0.0},
    {"VK2AB QF56 37", 1490.0, -24.0, 1.4, 0.0}, {"JA1XY PM95 33", 1510.0, -15.0, 1.9, 0.0},
    {"ON4AA JO20 37", 1518.0, -19.0, 1.1, 0.0}, {"PA0ABC JO22 30", 1545.0, -22.0, 0.9, 0.0},
    {"OZ1AB JO65 27", 1565.0, -6.0, 2.4, -3.0}, {"KA1ABC FN42 20", 1590.0, -18.0, 1.3, 2.0},
    {"WB2XYZ FN20 23", 900.0, -12.0, 1.7, 0.0},
};
constexpr double kWeakestSureDb = -20.0;

TEST(CandidateSearch, FindsEveryBeaconOfACrowdedWindow) {
  std::vector<double> clean;
  for (const Placed& p : kCrowd) {
    measure::SignalShape shape = Beacon(p.tone0_hz, p.snr_db, p.start_s);
    shape.drift_hz = p.drift_hz;
    Add(clean, measure::WsprSignal(Symbols(p.message), shape));
  }
  for (const std::uint64_t seed : {1, 2, 3, 4, 5}) {
    const Recording recording = Noisy(clean, seed);
    Search search = FindCandidates(WindowBand(recording), WindowPlan());
    const Search coarse = FindCandidates(recording, CoarsePlan());
    search.candidates.insert(search.candidates.end(), coarse.candidates.begin(),
                             coarse.candidates.end());
    std::optional<Analysis> analysis;  // made only when a beacon needs the later passes
    for (const Placed& p : kCrowd) {
      if (p.snr_db < kWeakestSureDb) continue;
      // Tone 0 at the middle of the transmission, as the drift takes it there; outside the
      // window the coarse search's bins are a step wide and its frames a symbol apart.
      const double middle_hz = p.tone0_hz + p.drift_hz * 80.5 / (kSymbolCount - 1);
      const bool coarse_one = p.tone0_hz < kFineLowHz || p.tone0_hz > kFineHighHz;
      const double hz = coarse_one ? kToneSpacingHz : 1.0;
      const double s = coarse_one ? 1.5 * kSymbolPeriodS : kSymbolPeriodS;
      const bool found =
          std::any_of(search.candidates.begin(), search.candidates.end(), [&](const Candidate& c) {
            return std::abs(c.tone0_mid_hz - middle_hz) < hz && std::abs(c.start_s - p.start_s) < s;
          });
      if (found) continue;
      if (!analysis) analysis = Analyse(recording);
      const bool decoded =
          std::any_of(analysis->transmissions.begin(), analysis->transmissions.end(),
                      [&](const Transmission& t) {
                        return t.message && tonepak::MessageText(*t.message) == p.message;
                      });
      EXPECT_TRUE(decoded) << p.message << " at " << p.tone0_hz << " Hz, seed " << seed;
    }
    EXPECT_TRUE(search.carriers.empty()) << "seed " << seed;
    EXPECT_TRUE(coarse.carriers.empty()) << "seed " << seed;
  }
}

}  // namespace
}  // namespace beaconcheck
