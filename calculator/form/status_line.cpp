// The status line below Results after each recalculation.
#include "status_line.hpp"

#include <cmath>
#include <string>
#include <utility>

namespace tuneworks {
namespace {

// Where the tones land, in a few words after the tones: "40 m window +97.8 Hz".
std::string BandPhrase(const BandCheck& band) {
  const std::string label(band.band.label);
  if (band.inside) return label + " window " + FixedText(band.marginHz, 1, true) + " Hz";
  const std::string by = FixedText(std::abs(band.marginHz), 1) + " Hz ";
  const std::string way = band.lowerEdge ? "below" : "above";
  if (band.wantedIsDial) return label + " dial frequency, " + by + way + " the window";
  return by + way + " the " + label + " window";
}

}  // namespace

StatusLine StatusAfter(const CalcOutputs& outputs) {
  if (outputs.Overflow) {
    return StatusLine{std::string(kOverflowReport), true, {}};
  }
  const ActualTones& tones = outputs.Tones;
  if (tones.fault != ToneFault::kNone) {
    return StatusLine{
        std::string(kNoTonesReport) + std::string(ToneFaultText(tones.fault)), true, {}};
  }
  ActualSummary actual = ActualStatusLine(tones.frequencies);
  StatusLine line{std::move(actual.text), actual.warn, std::move(actual.tooltip)};
  if (tones.frequencies) {
    if (const auto band = CheckBand(*tones.frequencies)) {
      line.text += ", " + BandPhrase(*band);
      line.warning = line.warning || !band->inside;
      line.tool_tip += "\n" + band->note;
    }
  }
  return line;
}

}  // namespace tuneworks
