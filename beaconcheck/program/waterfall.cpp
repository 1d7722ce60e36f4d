// The waterfall's pixels: power in a grid of time and frequency, grey on black, with the
// intended tones and the differing symbols marked.
#include "waterfall.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "baseband.hpp"
#include "symbol_powers.hpp"

namespace beaconcheck {
namespace {

constexpr int kColumnsPerStep = 8;
constexpr int kStepsAside = 4;  // tone steps shown below tone 0 and above tone 3
constexpr int kPixelsPerColumn = 3;
constexpr int kRowsPerSymbol = 4;
constexpr int kMarkWidth = 8;      // the red strip at the left of a differing symbol
constexpr double kRangeDb = 30.0;  // from black to white

void Set(Waterfall& image, int x, int y, std::array<std::uint8_t, 3> colour) {
  if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
  const auto at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                   static_cast<std::size_t>(x)) *
                  3;
  std::copy(colour.begin(), colour.end(), image.rgb.begin() + static_cast<std::ptrdiff_t>(at));
}

std::size_t Cell(int row, int column, int columns) {
  return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
         static_cast<std::size_t>(column);
}

}  // namespace

Waterfall DrawWaterfall(const Recording& recording, const Transmission& t, const Verdict& verdict,
                        const tonepak::IntendedTransmissions& intended) {
  const Track& track = t.track;
  const double step = kToneSpacingHz;
  const int columns = (3 + 2 * kStepsAside) * kColumnsPerStep + 1;
  const int rows = static_cast<int>(kSymbolCount + 4) * kRowsPerSymbol;
  const double first_hz = track.tones_hz[0] - kStepsAside * step;
  const double first_s = track.SlotStartS(-2);
  const Baseband bb = MixDown(recording, track.tones_hz[0] + 1.5 * step + track.drift_hz / 2.0,
                              first_s - 2.0, first_s + (kSymbolCount + 6) * track.symbol_s);
  const double rate = track.DriftRateHzPerS();

  std::vector<double> db(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
  for (int r = 0; r < rows; ++r) {
    const double begin = first_s + r * track.symbol_s / kRowsPerSymbol;
    const double drift = rate * (begin + track.symbol_s / 2.0 - track.start_s);
    for (int c = 0; c < columns; ++c) {
      const double hz = first_hz + c * step / kColumnsPerStep + drift;
      const double p = PowerAt(bb, begin, track.symbol_s, hz);
      db[Cell(r, c, columns)] = 10.0 * std::log10(p + 1e-30);
    }
  }
  std::vector<double> sorted = db;
  std::sort(sorted.begin(), sorted.end());
  const double top = sorted[sorted.size() * 998 / 1000];

  Waterfall image;
  image.width = columns * kPixelsPerColumn + kMarkWidth;
  image.height = rows;
  image.rgb.assign(
      static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3, 0);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      const double level =
          std::clamp((db[Cell(r, c, columns)] - top + kRangeDb) / kRangeDb, 0.0, 1.0);
      const auto grey = static_cast<std::uint8_t>(std::lround(255.0 * level));
      for (int x = 0; x < kPixelsPerColumn; ++x) {
        Set(image, kMarkWidth + c * kPixelsPerColumn + x, r, {grey, grey, grey});
      }
    }
  }
  // The intended tones: --expect's transmission, else the decoded one, else what was heard.
  tonepak::ChannelSymbols meant = t.heard;
  long long meant_first = t.first_slot;
  if (intended.count > 0 && verdict.expected) {
    meant = intended.symbols[verdict.expected->intended];
    meant_first = 0;
  } else if (t.decoded) {
    meant = t.decoded->symbols;
    meant_first = 0;
  }
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    const long long slot = meant_first + static_cast<long long>(i);
    const int row0 = static_cast<int>((slot + 2) * kRowsPerSymbol);
    const int column = (kStepsAside + meant[i]) * kColumnsPerStep;
    for (int r = row0; r < row0 + kRowsPerSymbol; r += 2) {
      Set(image, kMarkWidth + column * kPixelsPerColumn + 1, r, {0, 200, 0});
    }
  }
  if (verdict.expected) {
    // Differing symbols count from where the signal begins, or from the transmission's start
    // when the recording began later.
    const long long counted_from = t.begins_before_recording ? 0 : t.first_slot;
    for (const std::size_t i : verdict.expected->differing) {
      const int row0 =
          static_cast<int>((counted_from + static_cast<long long>(i) + 2) * kRowsPerSymbol);
      for (int r = row0; r < row0 + kRowsPerSymbol; ++r) {
        for (int x = 0; x < kMarkWidth - 2; ++x) Set(image, x, r, {220, 30, 30});
      }
    }
  }
  return image;
}

}  // namespace beaconcheck
