// CalculateActual: the RF frequencies that the report's tuning words really give.
#include <charconv>
#include <cstdint>
#include <optional>
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

constexpr double kIntervalLineSpan = 4294967296.0;  // the WSPR Interval line shows 8 digits

// The whole number that LongHex writes for `raw`, read back from its full-width text, so that it
// is the report's word by construction. Empty for a negative word (written in two's complement).
std::optional<double> ReportedWord(double raw) {
  std::string text;
  LongHex(raw, text, 2);             // 2: the whole text, no digits cut
  if (raw < 0) return std::nullopt;  // raw now holds the word plus one half, as the text shows it
  std::uint64_t word = 0;
  std::from_chars(text.data(), text.data() + text.size(), word, 16);
  return static_cast<double>(word);  // below 2^55, exact
}

ActualTones Run(const CalcInputs& in) {
  if (in.Resolution < 0 || in.Resolution > 2) return {};
  // The same readings and the same operations, in the same order, as Calculate, so that this
  // overflows exactly when the calculation does and its words are the report's.
  const double clock_scale = detail::UnitScale(in.ClkUnits);
  const double reference = ReadNumber(in.Ref);
  const double pll = ReadNumber(in.PLLMult);
  const double clock_hz = CheckedMul(clock_scale, CheckedMul(reference, pll));
  const double wanted_hz = CheckedMul(ReadNumber(in.Fout), detail::UnitScale(in.Funits));
  const double m = ReadNumber(in.RFMult);
  if (!(clock_hz > 0) || !(m > 0)) return {};
  const double dds_out_hz = CheckedDiv(wanted_hz, m);
  const double low_tone_dds_hz = CheckedDiv(CheckedSub(wanted_hz, kLowToneOffsetHz), m);
  CheckedDiv(dds_out_hz, clock_hz);  // the colour test, which can overflow
  const double span = in.Resolution == 2   ? 281474976710656.0
                      : in.Resolution == 1 ? 4294967296.0
                                           : 16777216.0;
  CheckedMul(CheckedDiv(clock_hz, span), m);  // the resolution, which can overflow
  const double setting_raw =
      dds_out_hz < clock_hz ? CheckedDiv(CheckedMul(span, dds_out_hz), clock_hz) : 0.0;
  const double low_raw =
      low_tone_dds_hz < clock_hz ? CheckedDiv(CheckedMul(low_tone_dds_hz, span), clock_hz) : 0.0;
  const double interval_raw = CheckedDiv(CheckedDiv(CheckedMul(kToneSpacingHz, span), clock_hz), m);

  // At or above half its clock a DDS makes only the alias clock - f; above the clock the report
  // even shows the word 0. Either way the words do not give the wanted tones.
  const auto s = ReportedWord(setting_raw);  // LongHex overflows where the report does
  const auto l = ReportedWord(low_raw);
  const auto i = ReportedWord(interval_raw);
  const double nyquist_hz = clock_hz / 2;
  if (dds_out_hz >= nyquist_hz || low_tone_dds_hz >= nyquist_hz) return {{}, ToneFault::kAlias};
  if (!s || !l || !i || *s >= span || *l >= span || *i >= span || *i >= kIntervalLineSpan) {
    return {{}, ToneFault::kWordCut};
  }
  if (*l + 3 * *i >= span / 2) return {{}, ToneFault::kAlias};  // the highest tone

  // Word x clock / 2^N x m; the division by 2^N is exact, so it may come first, which keeps
  // word x clock from overflowing where the calculation did not.
  const auto rf_hz = [&](double word) { return CheckedMul(CheckedMul(word / span, clock_hz), m); };
  ActualFrequencies a;
  a.wantedHz = wanted_hz;
  a.settingHz = rf_hz(*s);
  a.settingErrorHz = a.settingHz - wanted_hz;
  for (int k = 0; k < 4; ++k) a.tonesHz[k] = rf_hz(*l + k * *i);
  a.stepHz = rf_hz(*i);
  a.stepErrorPercent = (a.stepHz / kToneSpacingHz - 1.0) * 100.0;
  a.centreErrorHz = (a.tonesHz[1] + a.tonesHz[2]) / 2.0 - wanted_hz;
  a.decodable = DecoderFollows(a.stepErrorPercent);
  a.decoderLossDb = DecoderLossDb(a.stepErrorPercent);
  return {a, ToneFault::kNone};
}

}  // namespace

ActualTones CalculateActualTones(const CalcInputs& inputs) {
  try {
    return Run(inputs);
  } catch (const OverflowError&) {
    return {};
  }
}

std::optional<ActualFrequencies> CalculateActual(const CalcInputs& inputs) {
  return CalculateActualTones(inputs).frequencies;
}

std::string_view ToneFaultText(ToneFault fault) {
  switch (fault) {
    case ToneFault::kAlias:
      return "at or above half its clock a DDS makes only an alias, not the wanted tones";
    case ToneFault::kWordCut:
      return "a tuning word is cut to the accumulator's width, so the words miss the wanted tones";
    case ToneFault::kNone:
      break;
  }
  return {};
}

}  // namespace tuneworks
