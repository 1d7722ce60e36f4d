// The final figures: levels and symbols heard, then start, tones, step line, drift and period.
#include "figures.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "alignment.hpp"
#include "decoding.hpp"
#include "fine_fit.hpp"
#include "line_fit.hpp"
#include "signal_level.hpp"
#include "symbol_powers.hpp"
#include "sync.hpp"
#include "sync_correlation.hpp"

namespace beaconcheck {
namespace {

constexpr std::array<double, 4> kToneNumbers{0.0, 1.0, 2.0, 3.0};

// The line through the four tones (tone number against frequency): the step and its
// uncertainty; and the tone farthest off the line the other three make.
void Spacing(Transmission& t, double rough_sigma_hz) {
  std::array<double, 4> sigma{};
  for (std::size_t k = 0; k < 4; ++k) sigma[k] = std::max(t.tones_sigma_hz[k], rough_sigma_hz);
  const Line line = FitLine(kToneNumbers, t.tones_hz, sigma);
  t.step_hz = line.slope;
  t.step_sigma_hz = line.slope_sigma;
  t.step_error_percent = 100.0 * (t.step_hz / kToneSpacingHz - 1.0);
  // One tone off the grid of the other three: the largest departure from the line the other
  // three make, when it is well beyond the measurement's own uncertainty.
  double worst = 0.0;
  for (std::size_t k = 0; k < 4; ++k) {
    std::array<double, 3> numbers{};
    std::array<double, 3> others{};
    std::size_t n = 0;
    for (std::size_t j = 0; j < 4; ++j) {
      if (j == k) continue;
      numbers[n] = kToneNumbers[j];
      others[n++] = t.tones_hz[j];
    }
    const double off = t.tones_hz[k] - FitLine(numbers, others).At(kToneNumbers[k]);
    const double limit = std::max(0.02, 8.0 * sigma[k]);
    if (std::abs(off) > limit && std::abs(off) > std::abs(worst)) {
      worst = off;
      t.off_grid_tone = static_cast<int>(k);
    }
  }
  t.evenly_spaced = t.off_grid_tone < 0;
  t.off_grid_hz = worst;
}

}  // namespace

double DtS(double start_s) {
  return start_s - wspr::kDtOffsetS -
         wspr::kSlotS * std::round((start_s - wspr::kDtOffsetS) / wspr::kSlotS);
}

void HeardFigures(const Baseband& baseband, const std::vector<std::uint8_t>& symbols,
                  double noise_power, Transmission& t) {
  const auto powers = TonePowers(baseband, t.track, 0, kSymbolCount);
  std::vector<std::uint8_t> on_air(t.symbols_sent, 0);
  for (std::size_t i = 0; i < t.symbols_sent; ++i) {
    const long long at = t.first_slot + static_cast<long long>(i);
    if (at >= 0 && at < static_cast<long long>(kSymbolCount))
      on_air[i] = symbols[static_cast<std::size_t>(at)];
  }
  t.snr_db = MeasureLevel(t.track, Slice(powers, t.first_slot, t.symbols_sent), on_air, noise_power)
                 .snr_db;
  t.sync = SyncCorrelation(powers);
  t.powers = ToDecoder(powers, false);
  const std::vector<std::uint8_t> strongest = StrongestTones(powers);
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    t.sync_agreeing += (strongest[i] & 1U) == tonepak::SyncVector[i] ? 1 : 0;
    const long long from = t.first_slot + static_cast<long long>(i);
    if (i < t.symbols_sent && from >= 0 && from < static_cast<long long>(kSymbolCount)) {
      t.heard[i] = strongest[static_cast<std::size_t>(from)];
    }
  }
}

void TrackFigures(const PhaseFit& phase, Transmission& t) {
  const Track& track = t.track;
  // The figures, at the moment the signal begins (before the recording, where the sync vector
  // puts it, when the recording began later).
  t.start_s = track.SlotStartS(t.begins_before_recording ? 0 : t.first_slot);
  t.dt_s = DtS(t.start_s);
  for (std::size_t k = 0; k < 4; ++k) t.tones_hz[k] = track.ToneHz(k, t.start_s);
  // Without the phase, a tone is known to about a tenth of the resolution of one symbol spread
  // over the symbols sent in it.
  const double rough =
      phase.coherent
          ? 0.0
          : 0.5 / (track.symbol_s * std::sqrt(static_cast<double>(t.symbols_sent) / 4.0 + 1.0));
  t.tones_sigma_hz =
      phase.coherent ? phase.tones_sigma_hz : std::array<double, 4>{rough, rough, rough, rough};
  t.drift_hz = track.drift_hz;
  t.drift_sigma_hz = phase.coherent ? phase.drift_sigma_hz : 4.0 * rough;
  Spacing(t, rough);
  if (phase.coherent && phase.even_step_hz > 0.0) {
    t.step_hz = phase.even_step_hz;
    t.step_sigma_hz = phase.even_step_sigma_hz;
    t.step_error_percent = 100.0 * (t.step_hz / kToneSpacingHz - 1.0);
  }
  t.symbol_ms = track.symbol_s * 1000.0;
  t.symbol_error_percent = 100.0 * (track.symbol_s / kSymbolPeriodS - 1.0);
}

}  // namespace beaconcheck
