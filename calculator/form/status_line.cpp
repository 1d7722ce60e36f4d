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

// Why there are no tones, in a few words.
std::string_view ShortFaultText(ToneFault fault) {
  switch (fault) {
    case ToneFault::kAlias:
      return "an alias at or above half the clock";
    case ToneFault::kSi5351:
      return "out of the Si5351's reach";
    default:
      return "a tuning word is cut to the accumulator";
  }
}

std::string Capitalised(std::string text) {
  if (!text.empty() && text.front() >= 'a' && text.front() <= 'z') {
    text.front() = static_cast<char>(text.front() - 'a' + 'A');
  }
  return text;
}

// A red report whose whole sentence goes into the tooltip too, for when the strip shows less.
StatusLine Report(std::string text, std::vector<std::string> shorter) {
  std::string tip = text;
  return StatusLine{std::move(text), true, std::move(tip), std::move(shorter)};
}

}  // namespace

StatusLine StatusAfter(const CalcInputs& inputs, const CalcOutputs& outputs) {
  if (outputs.Overflow) {
    const std::string_view first = kOverflowReport.substr(0, kOverflowReport.find('.') + 1);
    return Report(std::string(kOverflowReport), {std::string(first), "Overflow"});
  }
  if (!(ReadNumber(inputs.RFMult) > 0)) {
    return StatusLine{NoTonesReport(inputs.Mode) + std::string(kNoRfMultiplication), true, {}};
  }
  const ActualTones& tones = outputs.Tones;
  if (tones.fault != ToneFault::kNone) {
    const std::string report = NoTonesReport(inputs.Mode);
    return Report(
        report + std::string(ToneFaultText(tones.fault)),
        {report + std::string(ShortFaultText(tones.fault)), report.substr(0, report.find(':'))});
  }
  ActualSummary actual = ActualStatusLine(tones.frequencies);
  StatusLine line{std::move(actual.text), actual.warn, std::move(actual.tooltip)};
  if (!tones.frequencies) return line;
  std::string phrase;  // where the tones land, when near a band
  if (const auto band = CheckBand(*tones.frequencies)) {
    phrase = BandPhrase(*band);
    line.text += ", " + phrase;
    line.warning = line.warning || !band->inside;
    line.tool_tip += "\n" + band->note;
  }
  // Shorter: without the step; the findings alone; where the tones land alone.
  const std::string& warning = actual.warning;
  const std::string after_warning = phrase.empty() ? "" : ", " + phrase;
  line.shorter.push_back(actual.tones + (warning.empty() ? "" : ": " + warning) + after_warning);
  if (!warning.empty()) {
    line.shorter.push_back(Capitalised(warning + (phrase.empty() ? "" : "; " + phrase)));
  }
  if (!phrase.empty()) line.shorter.push_back(Capitalised(phrase));
  return line;
}

}  // namespace tuneworks
