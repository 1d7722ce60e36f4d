// Calculate: one recalculation of the window, in its fixed order of steps.
#include <string>
#include <string_view>

#include "checked_math.hpp"
#include "tuneworks_core.hpp"
#include "wspr_constants.hpp"

namespace tuneworks {
namespace {

using detail::CheckedDiv;
using detail::CheckedMul;
using detail::CheckedSub;
using wspr::kLowToneOffsetHz;
using wspr::kToneSpacingHz;

constexpr double kOverdriveRatio = 0.35;
constexpr double kIntervalThreshold = 10.0;

constexpr std::string_view kDdsSettingLabel = "DDS Setting           0x ";
constexpr std::string_view kIntervalLabel = "WSPR Interval      0x ";
constexpr std::string_view kLowToneLabel = "WSPR     Setting   0x ";
constexpr std::string_view kResolutionLabel = "Resolution    ";
constexpr std::string_view kLineEnd = "\r\n";

double AccumulatorSpanOf(std::int16_t resolution_index) {
  switch (resolution_index) {
    case 2:
      return 281474976710656.0;  // 2^48
    case 1:
      return 4294967296.0;  // 2^32
    default:
      return 16777216.0;  // 2^24, also for 0 and -1
  }
}

// The steps; an OverflowError leaves `out` and `s` as far as they were produced.
void Run(const CalcInputs& in, CalcState& s, std::string_view separator, CalcOutputs& out) {
  s.ClockUnitScale = detail::UnitScale(in.ClkUnits);  // 1
  const double reference = ReadNumber(in.Ref);        // 2: readings first, then the scale
  const double pll = ReadNumber(in.PLLMult);
  s.ClockHz = CheckedMul(s.ClockUnitScale, CheckedMul(reference, pll));
  out.Clock = NumberText(s.ClockHz);  // 3

  s.FreqUnitScale = detail::UnitScale(in.Funits);  // 4
  s.WantedHz = CheckedMul(ReadNumber(in.Fout), s.FreqUnitScale);

  const double m = ReadNumber(in.RFMult);  // 5: m is first needed here
  double low_tone_dds_hz = 0.0;
  if (m > 0) s.DdsOutHz = CheckedDiv(s.WantedHz, m);
  if (m > 0) low_tone_dds_hz = CheckedDiv(CheckedSub(s.WantedHz, kLowToneOffsetHz), m);  // 6
  out.DDSFreq = NumberText(s.DdsOutHz);                                                  // 7

  if (s.ClockHz > 0) {  // 8
    out.ResultsColour =
        CheckedDiv(s.DdsOutHz, s.ClockHz) > kOverdriveRatio ? kColourRed : kColourBlack;
  }

  s.AccumulatorSpan = AccumulatorSpanOf(in.Resolution);                      // 9
  s.ResolutionHz = CheckedMul(CheckedDiv(s.ClockHz, s.AccumulatorSpan), m);  // 10

  if (s.ClockHz > 0 && s.DdsOutHz < s.ClockHz) {  // 11
    s.TuningWord = CheckedDiv(CheckedMul(s.AccumulatorSpan, s.DdsOutHz), s.ClockHz);
  } else {
    s.TuningWord = 0;
  }
  LongHex(s.TuningWord, s.HexText, in.Resolution);

  if (s.ClockHz > 0 && low_tone_dds_hz < s.ClockHz) {  // 12
    s.TuningWord = CheckedDiv(CheckedMul(low_tone_dds_hz, s.AccumulatorSpan), s.ClockHz);
  } else {
    s.TuningWord = 0;
  }
  std::string low_tone_hex;
  LongHex(s.TuningWord, low_tone_hex, in.Resolution);

  std::string& report = out.Results.emplace();  // 13: stage 1 replaces the whole content
  report.reserve(128);
  report += kDdsSettingLabel;
  report += s.HexText;
  report += kLineEnd;

  if (s.ClockHz > 0 && m > 0) {  // 14.1
    s.TuningWord =
        CheckedDiv(CheckedDiv(CheckedMul(kToneSpacingHz, s.AccumulatorSpan), s.ClockHz), m);
  }
  LongHex(s.TuningWord, s.HexText, in.Resolution);  // 14.2
  if (s.TuningWord > kIntervalThreshold) {          // 14.3: stage 2
    const std::string_view hex = s.HexText;
    report += kIntervalLabel;
    report += hex.size() > 8 ? hex.substr(hex.size() - 8) : hex;
    report += kLineEnd;
    report += kLowToneLabel;
    report += low_tone_hex;
  }

  report += kLineEnd;  // 15: stage 3
  report += kLineEnd;
  report += kResolutionLabel;
  report += ResolutionPicture(s.ResolutionHz, separator);
}

}  // namespace

CalcOutputs Calculate(const CalcInputs& inputs, CalcState& state,
                      std::string_view decimal_separator) {
  CalcOutputs out;
  try {
    Run(inputs, state, decimal_separator, out);
  } catch (const OverflowError& error) {
    out.Overflow = true;
    out.OverflowMessage = error.what();
  }
  return out;
}

}  // namespace tuneworks
