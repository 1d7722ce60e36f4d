// Finding a WSPR band by name, and where the actual tones land against a band's 200 Hz window:
// WSPR's, or for FST4W the window of the bands WSJT-X lists for it.
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "ascii_text.hpp"
#include "fst4w_bands.hpp"
#include "jt9_limits.hpp"
#include "tuneworks_core.hpp"
#include "wspr_bands.hpp"

namespace tuneworks {
namespace {

constexpr const auto& kBands = wspr::kWsprBands;

constexpr double kDialToleranceHz = 1.0;   // a wanted frequency this close is the dial
constexpr double kNearFraction = 0.01;     // a band counts within 1 % of the tones' centre ...
constexpr double kNearMinimumHz = 5000.0;  // ... or 5 kHz, whichever is larger

std::string Megahertz(double hz) { return FixedText(hz / 1e6, 6); }

// The wanted frequency in MHz to the hertz, without trailing zeros: "7.0386".
std::string ShortMegahertz(double hz) {
  std::string text = Megahertz(hz);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

// The bands and the window of a mode, and what the texts call it: "WSPR", "FST4W-300".
struct ModeBands {
  std::span<const WsprBand> bands;
  double low;  // the window above the dial
  double high;
  double centre;  // where the decoder reports the tones: their centre, or FST4W's tone 0
  std::string_view label;
};

ModeBands BandsOf(beacon::Mode mode) {
  if (mode == beacon::Mode::kWspr) {
    return {kBands, kWsprWindowLowHz, kWsprWindowHighHz, kWsprWindowCentreHz, "WSPR"};
  }
  return {fst4w::kFst4wBands, fst4w::kWindowLowHz, fst4w::kWindowHighHz, fst4w::kWindowCentreHz,
          beacon::NameOf(mode).label};
}

std::string Note(const BandCheck& c, double wanted_hz, std::string_view mode) {
  const std::string window = Megahertz(c.windowLowHz) + " to " + Megahertz(c.windowHighHz) + " MHz";
  const bool below = c.lowerEdge;
  const std::string by = FixedText(std::abs(c.marginHz), 1) + " Hz";
  if (c.wantedIsDial) {
    return ShortMegahertz(wanted_hz) + " MHz is the " + std::string(c.band.label) +
           " dial frequency: " + std::string(mode) + " transmits at " + window + "; the " +
           (below ? "lowest tone lies " + by + " below" : "highest tone lies " + by + " above") +
           " that window";
  }
  const std::string audio = FixedText(c.audioHz, 1) + " Hz";
  if (c.inside) {
    return "The tones lie in the " + std::string(c.band.label) + " " + std::string(mode) +
           " window, " + window + ", " + by + " from its " + (below ? "lower" : "upper") +
           " edge; a decoder shows them at " + audio;
  }
  return std::string(below ? "The lowest tone lies " + by + " below"
                           : "The highest tone lies " + by + " above") +
         " the " + std::string(c.band.label) + " " + std::string(mode) + " window, " + window +
         "; a decoder would show the tones at " + audio + ", outside its 1400 to 1600 Hz";
}

}  // namespace

std::span<const WsprBand> WsprBands() { return kBands; }

std::span<const WsprBand> BandsOfMode(beacon::Mode mode) { return BandsOf(mode).bands; }

const WsprBand* FindBandOfMode(std::string_view name, beacon::Mode mode) {
  const WsprBand* band = FindWsprBand(name);
  if (band == nullptr) return nullptr;
  for (const WsprBand& row : BandsOf(mode).bands) {
    if (row.name == band->name) return &row;
  }
  return nullptr;
}

double ReportedAboveDialHz(beacon::Mode mode) { return BandsOf(mode).centre; }

const WsprBand* FindWsprBand(std::string_view name) {
  std::string key;
  for (const char c : name) {
    if (c == ' ' || c == '\t') continue;
    key += wspr::ascii::ToLower(c);
  }
  if (!key.empty() && key.find_first_not_of("0123456789") == std::string::npos) key += 'm';
  const auto row = std::find_if(kBands.begin(), kBands.end(),
                                [&](const WsprBand& band) { return band.name == key; });
  return row == kBands.end() ? nullptr : &*row;
}

std::optional<BandCheck> CheckBand(const ActualFrequencies& actual, std::string_view band_name) {
  const ModeBands mode = BandsOf(actual.mode);
  const WsprBand* named = nullptr;
  if (!band_name.empty()) {
    named = FindWsprBand(band_name);
    if (named == nullptr) return std::nullopt;
  }
  const double low_tone = actual.tonesHz[0];
  const double high_tone = actual.tonesHz[3];
  // Where the decoder shows the tones: WSPR's centre, FST4W's tone 0.
  const double centre = actual.mode == beacon::Mode::kWspr ? (low_tone + high_tone) / 2 : low_tone;
  const WsprBand* best = nullptr;
  double best_distance = std::numeric_limits<double>::infinity();
  for (const WsprBand& band : mode.bands) {
    if (named != nullptr && band.name != named->name) continue;
    const double distance = std::abs(centre - (band.dialHz + mode.centre));
    if (distance < best_distance) {
      best = &band;
      best_distance = distance;
    }
  }
  if (best == nullptr) return std::nullopt;
  if (named == nullptr &&
      !(best_distance <= std::max(kNearFraction * std::abs(centre), kNearMinimumHz))) {
    return std::nullopt;
  }
  BandCheck c;
  c.band = *best;
  c.windowLowHz = best->dialHz + mode.low;
  c.windowHighHz = best->dialHz + mode.high;
  c.audioHz = centre - best->dialHz;
  const double low_side = low_tone - c.windowLowHz;
  const double high_side = c.windowHighHz - high_tone;
  c.marginHz = std::min(low_side, high_side);
  c.lowerEdge = low_side <= high_side;
  c.inside = c.marginHz >= 0;
  c.wantedIsDial = std::abs(actual.wantedHz - best->dialHz) <= kDialToleranceHz;
  c.note = Note(c, actual.wantedHz, mode.label);
  if (const auto period = beacon::Fst4wPeriodOf(actual.mode)) {
    // Where jt9 with WSJT-X's settings really stops hearing tone 0, as measured.
    if (const wspr::Tolerance* heard = fst4w::Jt9Tolerance(*period, fst4w::Jt9Fault::kOffset)) {
      c.note += "; jt9 hears a clean tone 0 from " + FixedText(mode.centre + heard->low, 1) +
                " to " + FixedText(mode.centre + heard->high, 1) + " Hz";
    }
  }
  return c;
}

}  // namespace tuneworks
