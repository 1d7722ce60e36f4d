// The pipeline: candidates, a baseband around each, the measurement, the pair's calls.
#include "analysis.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "baseband.hpp"
#include "call_fill_in.hpp"
#include "candidate_search.hpp"
#include "fine_fit.hpp"
#include "measurement.hpp"

namespace beaconcheck {
namespace {

// Seconds of recording mixed down before and after a candidate's transmission: room for the
// fit to move the start and for the slots looked at around it.
constexpr double kBeforeS = 16.0;
constexpr double kAfterS = 16.0;
// Symbol-period errors the fit starts from when the nominal period decodes nothing: beyond
// about 0.6 % a fit from the nominal period loses the timing, and wsprd follows up to 1.1 %.
constexpr std::array<double, 2> kFarPeriodErrors{0.009, -0.009};
constexpr double kMiddleSlot = 81.0;
// A period read within this of the nominal one (%) is trusted: a few times what the fit's
// noise gives at -25 dB.
constexpr double kNearPeriodPercent = 0.03;

}  // namespace

Analysis Analyse(const Recording& recording) {
  std::vector<Transmission> found;
  for (const Candidate& candidate : FindCandidates(recording)) {
    const Track track = TrackFromCandidate(candidate);
    const double centre_hz = candidate.tone0_mid_hz + 1.5 * kToneStepHz;
    const Baseband baseband = MixDown(recording, centre_hz, candidate.start_s - kBeforeS,
                                      candidate.start_s + kTransmissionS + kAfterS);
    std::optional<Transmission> t = MeasureTransmission(baseband, track);
    // A symbol timer far off (a beacon clocked by an RC oscillator or the wrong crystal) walks
    // the symbols out of a nominal track before the fit can follow it, and the fit then settles
    // near the nominal period on a wrong timing. When nothing decodes, or the period read is off
    // at all, the fit starts again from periods far off, the middle of the transmission kept;
    // the decoded reading with the most signal wins.
    const bool doubtful =
        !t || !t->decoded || std::abs(t->symbol_error_percent) > kNearPeriodPercent;
    for (const double off : kFarPeriodErrors) {
      if (!doubtful) break;
      Track far = track;
      far.symbol_s = kSymbolS * (1.0 + off);
      far.start_s += kMiddleSlot * (kSymbolS - far.symbol_s);
      std::optional<Transmission> again = MeasureTransmission(baseband, far);
      if (again && again->decoded && (!t || !t->decoded || again->snr_db > t->snr_db)) t = again;
    }
    if (!t) continue;
    // The same transmission reached from two candidates: keep the stronger reading.
    const auto same = std::find_if(found.begin(), found.end(), [&](const Transmission& f) {
      return std::abs(f.tones_hz[0] - t->tones_hz[0]) < 3.0 &&
             std::abs(f.start_s - t->start_s) < 10.0;
    });
    if (same == found.end()) {
      found.push_back(*t);
    } else if (t->snr_db > same->snr_db) {
      *same = *t;
    }
  }
  std::sort(found.begin(), found.end(), [](const Transmission& a, const Transmission& b) {
    return a.start_s != b.start_s ? a.start_s < b.start_s : a.tones_hz[0] < b.tones_hz[0];
  });
  std::vector<tonepak::Message> heard;
  for (const Transmission& t : found) {
    if (t.decoded) heard.push_back(t.decoded->message);
  }
  const std::vector<tonepak::Message> filled = tonepak::FillInCalls(heard);
  std::size_t next = 0;
  for (Transmission& t : found) {
    if (t.decoded) t.message = filled[next++];
  }
  return {std::move(found), {}};
}

}  // namespace beaconcheck
