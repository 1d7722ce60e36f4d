// The line below Results and its tooltip: the frequencies the words give, in a few words.
#include <algorithm>
#include <string>

#include "beacon_signal.hpp"
#include "decoder_step.hpp"
#include "tuneworks_core.hpp"
#include "wsprd_limits.hpp"

namespace tuneworks {
namespace {

constexpr double kWarnLossDb = 1.0;  // the decoder losing more than this is worth a red line
constexpr std::string_view kEllipsis = "\u2026";

// The steps the mode's decoder follows, when measured.
std::string LimitsText(beacon::Mode mode) {
  const wspr::Tolerance& limits = *detail::DecoderStepTolerance(mode);
  return FixedText(limits.low, 1, true) + " % to " + FixedText(limits.high, 1, true) + " %";
}

// The warning, or empty: the decoder cannot follow, or loses more than 1 dB, or its loss here
// was not measured.
std::string Warning(const ActualFrequencies& a) {
  if (!a.stepMeasured) return {};
  const std::string decoder(detail::DecoderPhrase(a.mode));
  if (!a.decodable) return decoder + " cannot follow this step";
  if (!a.decoderLossDb) return decoder + " needs a much stronger signal with this step";
  if (*a.decoderLossDb > kWarnLossDb) {
    return decoder + " needs " + FixedText(*a.decoderLossDb, 1) + " dB more signal";
  }
  return {};
}

}  // namespace

std::string ActualFiguresText(const ActualFrequencies& a) {
  std::string text;
  text += "DDS setting gives  " + FixedText(a.settingHz, 4) + " Hz (" +
          FixedText(a.settingErrorHz, 6, true) + " Hz from wanted)\n";
  std::string tones = std::string(beacon::NameOf(a.mode).label) + " tones";
  tones.resize(std::max<std::size_t>(tones.size() + 1, 19), ' ');  // "WSPR tones         "
  text += tones + FixedText(a.tonesHz[0], 4);
  for (int k = 1; k < 4; ++k) text += " / " + FixedText(a.tonesHz[k], 4);
  text += " Hz\n";
  text += "Tone step          " + FixedText(a.stepHz, 6) + " Hz (" +
          FixedText(a.stepErrorPercent, 2, true) + " % from " +
          FixedText(beacon::ToneStepHz(a.mode), 8) + " Hz)\n";
  // jt9 reports tone 0, wsprd the centre.
  text += a.mode == beacon::Mode::kWspr ? "Tone centre        " : "Tone 0             ";
  text += FixedText(a.centreErrorHz, 6, true) + " Hz from wanted\n";
  std::string decoder = "Decoder (" + std::string(detail::DecoderProgram(a.mode)) + ")";
  decoder.resize(19, ' ');  // "Decoder (wsprd)    "
  text += decoder;
  if (!a.stepMeasured) {
    text += "its tolerance of a step that is off is not measured\n";
  } else if (!a.decodable) {
    text += "cannot follow; it decodes only steps from " + LimitsText(a.mode) + " off\n";
  } else if (!a.decoderLossDb) {
    text += "decodes a clean signal; its loss this far off was not measured\n";
  } else {
    text += "needs " + FixedText(*a.decoderLossDb, 1) + " dB more signal than with an exact step\n";
  }
  return text;
}

ActualSummary ActualStatusLine(const std::optional<ActualFrequencies>& actual) {
  if (!actual) return {};
  const ActualFrequencies& a = *actual;
  ActualSummary line;
  line.tones = "Tones " + FixedText(a.tonesHz[0], 1) + " " + std::string(kEllipsis) + " " +
               FixedText(a.tonesHz[3], 1) + " Hz";
  line.text = line.tones + ", step " + FixedText(a.stepHz, 4) + " Hz (" +
              FixedText(a.stepErrorPercent, 2, true) + " %)";
  line.warning = Warning(a);
  line.warn = !line.warning.empty();
  if (line.warn) line.text += ": " + line.warning;
  line.tooltip = ActualFiguresText(a);
  line.tooltip.pop_back();  // no line end after the last line
  return line;
}

}  // namespace tuneworks
