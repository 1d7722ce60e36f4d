// What the words of a DDS calculation, or the settings of a Si5351 plan, really give.
#include <cmath>
#include <optional>
#include <string_view>

#include "beacon_signal.hpp"
#include "checked_math.hpp"
#include "decoder_step.hpp"
#include "tuneworks_core.hpp"
#include "tuning_words.hpp"
#include "wsprd_limits.hpp"

namespace tuneworks {
namespace {

using detail::CheckedMul;

constexpr double kIntervalLineSpan = 4294967296.0;  // the WSPR Interval line shows 8 digits

// The figures that follow from the tones, the setting and the wanted frequency.
ActualFrequencies Figures(beacon::Mode mode, double wanted_hz, double setting_hz,
                          const std::array<double, 4>& tones, double step_hz) {
  ActualFrequencies a;
  a.mode = mode;
  a.wantedHz = wanted_hz;
  a.settingHz = setting_hz;
  a.settingErrorHz = setting_hz - wanted_hz;
  a.tonesHz = tones;
  a.stepHz = step_hz;
  a.stepErrorPercent = (a.stepHz / beacon::ToneStepHz(mode) - 1.0) * 100.0;
  // jt9 reports tone 0, wsprd the middle of tones 1 and 2.
  a.centreErrorHz = mode == beacon::Mode::kWspr ? (a.tonesHz[1] + a.tonesHz[2]) / 2.0 - wanted_hz
                                                : a.tonesHz[0] - wanted_hz;
  const wspr::Tolerance* step = detail::DecoderStepTolerance(mode);
  if (step == nullptr) {
    // jt9's tolerance of a step that is off was not measured at this period: no verdict.
    a.decodable = true;
    a.stepMeasured = false;
    return a;
  }
  a.decodable = wspr::Follows(*step, a.stepErrorPercent);
  if (const auto cost = wspr::CostOf(*step, a.stepErrorPercent)) a.decoderLossDb = cost->db;
  return a;
}

}  // namespace

namespace detail {

ActualTones DdsTones(const DdsWords& w) {
  // At or above half its clock a DDS makes only the alias clock - f; above the clock the report
  // even shows the word 0. Either way the words do not give the wanted tones.
  const double nyquist_hz = w.clockHz / 2;
  if (w.ddsOutHz >= nyquist_hz || w.lowToneDdsHz >= nyquist_hz)
    return {{}, ToneFault::kAlias, w.mode};
  const auto fits = [&](std::int64_t word) { return static_cast<double>(word) < w.span; };
  if (w.belowZero || !fits(w.setting) || !fits(w.lowTone) || !fits(w.interval) ||
      static_cast<double>(w.interval) >= kIntervalLineSpan) {
    return {{}, ToneFault::kWordCut, w.mode};
  }
  if (static_cast<double>(w.lowTone + 3 * w.interval) >= w.span / 2) {
    return {{}, ToneFault::kAlias, w.mode};  // the highest tone
  }
  // Word x clock / 2^N x m; the division by 2^N is exact, so it may come first, which keeps
  // word x clock from overflowing where the calculation did not.
  const auto rf_hz = [&](std::int64_t word) {
    return CheckedMul(CheckedMul(static_cast<double>(word) / w.span, w.clockHz), w.rfMultiplier);
  };
  std::array<double, 4> tones{};
  for (int k = 0; k < 4; ++k) tones[k] = rf_hz(w.lowTone + k * w.interval);
  return {Figures(w.mode, w.wantedHz, rf_hz(w.setting), tones, rf_hz(w.interval)), ToneFault::kNone,
          w.mode};
}

ActualTones Si5351Tones(const Si5351Plan& plan, double wanted_hz, beacon::Mode mode) {
  if (plan.problem) return {{}, ToneFault::kSi5351, mode};
  std::array<double, 4> tones{};
  for (int k = 0; k < 4; ++k) tones[k] = plan.tones[k].hz;
  return {Figures(mode, wanted_hz, plan.setting.hz, tones, plan.stepHz), ToneFault::kNone, mode};
}

}  // namespace detail

ActualTones CalculateActualTones(const CalcInputs& inputs) {
  CalcState state;
  return Calculate(inputs, state).Tones;
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
    case ToneFault::kSi5351:
      return "the Si5351 cannot make them, as the report says";
    case ToneFault::kNone:
      break;
  }
  return {};
}

std::string NoTonesReport(beacon::Mode mode) {
  if (mode == beacon::Mode::kWspr) return std::string(kNoTonesReport);
  return "No " + std::string(beacon::NameOf(mode).label) + " tones: ";
}

}  // namespace tuneworks
