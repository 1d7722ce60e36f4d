// Calculate: one recalculation of the window: the DDS report and its words, or the Si5351 plan,
// and the tones they give.
#include <string>
#include <string_view>

#include "beacon_signal.hpp"
#include "checked_math.hpp"
#include "tuneworks_core.hpp"
#include "tuning_words.hpp"

namespace tuneworks {
namespace {

using detail::CheckedDiv;
using detail::CheckedMul;
using detail::CheckedSub;

constexpr double kOverdriveRatio = 0.35;
constexpr double kIntervalThreshold = 10.0;

constexpr std::string_view kDdsSettingLabel = "DDS Setting           0x ";
constexpr std::string_view kIntervalLabel = "WSPR Interval      0x ";
constexpr std::string_view kLowToneLabel = "WSPR     Setting   0x ";
constexpr std::string_view kFst4wIntervalLabel = "FST4W Interval     0x ";
constexpr std::string_view kFst4wLowToneLabel = "FST4W    Setting   0x ";
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

// The DDS report and its words; an OverflowError leaves `out` and `s` as far as they were
// produced, in the order the window has always filled its boxes.
void RunDds(const CalcInputs& in, CalcState& s, std::string_view separator, CalcOutputs& out) {
  s.ClockUnitScale = detail::UnitScale(in.ClkUnits);
  const double reference = ReadNumber(in.Ref);  // the readings first, then the scale
  const double pll = ReadNumber(in.PLLMult);
  s.ClockHz = CheckedMul(s.ClockUnitScale, CheckedMul(reference, pll));
  out.Clock = NumberText(s.ClockHz);

  s.FreqUnitScale = detail::UnitScale(in.Funits);
  s.WantedHz = CheckedMul(ReadNumber(in.Fout), s.FreqUnitScale);
  const double m = ReadNumber(in.RFMult);
  double low_tone_dds_hz = 0.0;
  if (m > 0) s.DdsOutHz = CheckedDiv(s.WantedHz, m);
  const double step_hz = beacon::ToneStepHz(in.Mode);
  const double low_tone_offset_hz = beacon::LowToneBelowReportedHz(in.Mode);
  if (m > 0) low_tone_dds_hz = CheckedDiv(CheckedSub(s.WantedHz, low_tone_offset_hz), m);
  out.DDSFreq = NumberText(s.DdsOutHz);

  if (s.ClockHz > 0) {
    out.ResultsColour =
        CheckedDiv(s.DdsOutHz, s.ClockHz) > kOverdriveRatio ? kColourRed : kColourBlack;
  }
  s.AccumulatorSpan = AccumulatorSpanOf(in.Resolution);
  s.ResolutionHz = CheckedMul(CheckedDiv(s.ClockHz, s.AccumulatorSpan), m);

  // Each word is worked out once, as the whole number the report shows; a frequency at or above
  // the clock gets the word 0.
  const bool clock = s.ClockHz > 0;
  const double setting = clock && s.DdsOutHz < s.ClockHz
                             ? CheckedDiv(CheckedMul(s.AccumulatorSpan, s.DdsOutHz), s.ClockHz)
                             : 0.0;
  s.SettingWord = detail::ShownWord(setting);
  const double low_tone =
      clock && low_tone_dds_hz < s.ClockHz
          ? CheckedDiv(CheckedMul(low_tone_dds_hz, s.AccumulatorSpan), s.ClockHz)
          : 0.0;
  s.LowToneWord = detail::ShownWord(low_tone);

  std::string& report = out.Results.emplace();  // the DDS setting first: what an overflow leaves
  report.reserve(128);
  report += kDdsSettingLabel;
  report += detail::WordHex(s.SettingWord, in.Resolution);
  report += kLineEnd;

  // The tone step, with a clock and an RF multiplication; the WSPR lines follow when it is more
  // than 10 once the half is added (a word of 10 can still show them).
  s.IntervalWord = 0;
  s.WsprLines = false;
  if (clock && m > 0) {
    const double interval =
        CheckedDiv(CheckedDiv(CheckedMul(step_hz, s.AccumulatorSpan), s.ClockHz), m);
    s.IntervalWord = detail::ShownWord(interval);
    s.WsprLines = interval + 0.5 > kIntervalThreshold;
  }
  if (s.WsprLines) {
    const std::string hex = detail::WordHex(s.IntervalWord, in.Resolution);
    const std::string_view shown = hex;
    const bool wspr = in.Mode == beacon::Mode::kWspr;
    report += wspr ? kIntervalLabel : kFst4wIntervalLabel;
    report += shown.size() > 8 ? shown.substr(shown.size() - 8) : shown;  // eight digits at most
    report += kLineEnd;
    report += wspr ? kLowToneLabel : kFst4wLowToneLabel;
    report += detail::WordHex(s.LowToneWord, in.Resolution);
  }
  report += kLineEnd;
  report += kLineEnd;
  report += kResolutionLabel;
  report += ResolutionPicture(s.ResolutionHz, separator);

  if (in.Resolution < 0 || in.Resolution > 2 || !clock || !(m > 0)) return;  // none to read
  const detail::DdsWords words{s.ClockHz,
                               s.WantedHz,
                               s.DdsOutHz,
                               low_tone_dds_hz,
                               m,
                               s.AccumulatorSpan,
                               s.SettingWord,
                               s.LowToneWord,
                               s.IntervalWord,
                               setting < -0.5 || low_tone < -0.5,
                               in.Mode};
  try {
    out.Tones = detail::DdsTones(words);
  } catch (const OverflowError&) {
    out.Tones = {};  // frequencies beyond the double range: nothing to report
  }
}

// The Si5351: the reference box holds its crystal or CLKIN frequency, DDS Clock shows the PLL.
void RunSi5351(const CalcInputs& in, CalcState& s, CalcOutputs& out) {
  s.ClockUnitScale = detail::UnitScale(in.ClkUnits);
  const double crystal_hz = CheckedMul(s.ClockUnitScale, ReadNumber(in.Ref));
  const double pll = ReadNumber(in.PLLMult);
  s.FreqUnitScale = detail::UnitScale(in.Funits);
  s.WantedHz = CheckedMul(ReadNumber(in.Fout), s.FreqUnitScale);
  const double m = ReadNumber(in.RFMult);
  if (m > 0) s.DdsOutHz = CheckedDiv(s.WantedHz, m);
  Si5351Plan& plan = out.Si5351.emplace(PlanSi5351(crystal_hz, s.WantedHz, m, in.Mode));
  s.ClockHz = plan.pllHz;
  s.AccumulatorSpan = 0;
  s.ResolutionHz = 0;
  s.SettingWord = s.LowToneWord = s.IntervalWord = 0;
  s.WsprLines = false;
  out.Clock = NumberText(s.ClockHz);
  out.DDSFreq = NumberText(s.DdsOutHz);
  out.ResultsColour = plan.problem ? kColourRed : kColourBlack;
  out.Results = Si5351Report(plan, pll);
  out.Tones = detail::Si5351Tones(plan, s.WantedHz, in.Mode);
}

}  // namespace

CalcOutputs Calculate(const CalcInputs& inputs, CalcState& state,
                      std::string_view decimal_separator) {
  CalcOutputs out;
  try {
    if (inputs.Resolution == kSi5351Resolution) {
      RunSi5351(inputs, state, out);
    } else {
      RunDds(inputs, state, decimal_separator, out);
    }
  } catch (const OverflowError& error) {
    out.Overflow = true;
    out.OverflowMessage = error.what();
  }
  return out;
}

}  // namespace tuneworks
