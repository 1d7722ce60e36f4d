// One transmission measured: the stages in the order they run.
#include "measurement.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "alignment.hpp"
#include "decoding.hpp"
#include "figures.hpp"
#include "fine_fit.hpp"
#include "noise_floor.hpp"
#include "phase_fit.hpp"

namespace beaconcheck {
namespace {

constexpr double kLargestPeriodError = 0.05;   // of the symbol period
constexpr double kLargestDriftChangeHz = 2.0;  // from the energy fit's
constexpr double kLowestSnrDb = -34.0;
// Seconds of recording mixed down before and after a candidate's transmission: room for the
// fit to move the start and for the slots looked at around it.
constexpr double kBeforeS = 16.0;
constexpr double kAfterS = 16.0;
// Symbol-period errors the fit starts from when the nominal period decodes nothing: beyond
// about 0.6 % a fit from the nominal period loses the timing, and wsprd follows up to 1.1 %.
constexpr std::array<double, 2> kFarPeriodErrors{0.009, -0.009};
// A period read within this of the nominal one (%) is trusted: a few times what the fit's
// noise gives at -25 dB.
constexpr double kNearPeriodPercent = 0.03;
constexpr double kRetrySnrDb = -24.0;

// The track fitted on tone energy, the tones snapped to whole steps before and after.
Track FitOnEnergy(const Baseband& narrow, const Track& track) {
  Track fitted = FitTrack(narrow, SnapToTones(narrow, track));
  if (const Track snapped = SnapToTones(narrow, fitted); snapped.tones_hz != fitted.tones_hz) {
    fitted = FitTrack(narrow, snapped);
  }
  return fitted;
}

// The tones and the timing refined with the symbols of the slots `t` sent known, then the phase
// fit, which is taken unless it walked far off (a carrier's phase fits any track). Its `track`
// is the track the fits end on either way.
PhaseFit FitKnownSymbols(const Baseband& baseband, Track track,
                         const std::vector<std::uint8_t>& symbols, const Transmission& t) {
  const auto sent_end = static_cast<std::size_t>(
      std::clamp<long long>(t.first_slot + static_cast<long long>(t.symbols_sent), 0,
                            static_cast<long long>(kSymbolCount)));
  const std::vector<std::uint8_t> sent(symbols.begin(),
                                       symbols.begin() + static_cast<std::ptrdiff_t>(sent_end));
  track = FitTones(baseband, track, sent);
  track = FitTiming(baseband, track, sent);
  PhaseFit phase = FitPhase(baseband, track, sent);
  phase.coherent = phase.coherent &&
                   std::abs(phase.track.symbol_s / kSymbolPeriodS - 1.0) < kLargestPeriodError &&
                   std::abs(phase.track.drift_hz - track.drift_hz) < kLargestDriftChangeHz;
  if (!phase.coherent) phase.track = track;
  return phase;
}

}  // namespace

std::optional<Transmission> MeasureTransmission(const Baseband& baseband, const Track& track) {
  // The fits on tone energy need only the few hertz the tones move in: a quarter of the
  // samples, so a quarter of the work. The timing they find is refined at the full rate below.
  const Baseband narrow = Narrowed(baseband);
  const Track fitted = FitOnEnergy(narrow, track);
  // The noise where no signal is, once: it does not move with the fits that follow.
  const double noise_power = QuietNoisePower(baseband, fitted);
  const std::optional<Aligned> aligned = Align(baseband, fitted, noise_power);
  if (!aligned) return std::nullopt;
  Transmission t;
  t.first_slot = aligned->first_slot;
  t.symbols_sent = aligned->symbols_sent;
  const Decoding decoding =
      DecodeAligned(baseband, narrow, aligned->track, track, aligned->level.snr_db, t);
  const PhaseFit phase = FitKnownSymbols(baseband, decoding.track, decoding.symbols, t);
  t.track = phase.track;
  t.phase_continuous = phase.coherent;
  PlaceEdges(baseband, aligned->level, std::abs(aligned->sync) >= kWeakSync, t);
  if (t.decoded) ExtendWhileHeard(baseband, decoding.symbols, noise_power, t);
  HeardFigures(baseband, decoding.symbols, noise_power, t);
  if (t.snr_db < kLowestSnrDb) return std::nullopt;
  TrackFigures(phase, t);
  return t;
}

std::optional<Transmission> Measure(const Recording& source, const Track& track) {
  const double centre_hz = Tone0AtMiddle(track) + 1.5 * kToneSpacingHz;
  const Baseband baseband = MixDown(source, centre_hz, track.start_s - kBeforeS,
                                    track.start_s + kTransmissionS + kAfterS);
  std::optional<Transmission> t = MeasureTransmission(baseband, track);
  // A symbol timer far off (a beacon clocked by an RC oscillator or the wrong crystal) walks
  // the symbols out of a nominal track before the fit can follow it, and the fit then settles
  // near the nominal period on a wrong timing. When nothing decodes, or the period read is off
  // at all, the fit starts again from periods far off, the middle of the transmission kept;
  // the decoded reading with the most signal wins.
  // A weak reading that does not decode is left as it is: a timer that far off at that level
  // is beyond what a decoder follows anyway, and in a crowd most such readings are noise.
  const bool doubtful = !t || (!t->decoded && t->snr_db >= kRetrySnrDb) ||
                        (t->decoded && std::abs(t->symbol_error_percent) > kNearPeriodPercent);
  for (const double off : kFarPeriodErrors) {
    if (!doubtful) break;
    Track far = track;
    far.symbol_s = kSymbolPeriodS * (1.0 + off);
    far.start_s += kMiddleSlot * (kSymbolPeriodS - far.symbol_s);
    std::optional<Transmission> again = MeasureTransmission(baseband, far);
    if (again && again->decoded && (!t || !t->decoded || again->snr_db > t->snr_db)) t = again;
  }
  return t;
}

}  // namespace beaconcheck
