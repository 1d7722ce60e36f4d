// Fuzz target: Calculate on any four input texts and unit/resolution indexes from -1 to 3 (3 is
// the Si5351).
//
// Input, as FuzzedDataProvider splits it: the last three bytes pick ClkUnits, Funits and
// Resolution (byte % 5 - 1); the front holds Ref, PLLMult, Fout and RFMult, each ending at a
// backslash followed by anything but a backslash ("20\ 1\ 1\ 1\ " and then the index bytes).
// Whatever is left runs a second calculation on the same state, as the window does on the next
// edit, so that the values carried from one calculation to the next are exercised too.
//
// Every calculation must either finish or stop with OverflowError; the outputs it produced must be
// those that come before the failure, in order (Clock, DDSFreq, colour, report), and every text
// must be one the report format allows. The actual frequencies of the same inputs are checked too.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "escaped_text.hpp"
#include "tuneworks_core.hpp"

namespace {

using tuneworks::CalcInputs;
using tuneworks::CalcOutputs;
using tuneworks::CalcState;

const CalcInputs* g_inputs = nullptr;  // the calculation being checked, for the failure message

void PrintText(const char* name, std::string_view text) {
  std::fprintf(stderr, "  %s ", name);
  PrintEscaped(text);
  std::fputc('\n', stderr);
}

[[noreturn]] void Fail(const char* what, std::string_view text = {}) {
  std::fprintf(stderr, "calculate_fuzz: %s\n", what);
  if (!text.empty()) PrintText("text", text);
  if (g_inputs != nullptr) {
    PrintText("Ref", g_inputs->Ref);
    PrintText("PLLMult", g_inputs->PLLMult);
    PrintText("Fout", g_inputs->Fout);
    PrintText("RFMult", g_inputs->RFMult);
    std::fprintf(stderr, "  ClkUnits %d Funits %d Resolution %d\n", g_inputs->ClkUnits,
                 g_inputs->Funits, g_inputs->Resolution);
  }
  std::abort();
}

void Check(bool holds, const char* what, std::string_view text = {}) {
  if (!holds) Fail(what, text);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F'); }

std::size_t CountDigits(std::string_view text, std::size_t from) {
  std::size_t n = 0;
  while (from + n < text.size() && IsDigit(text[from + n])) ++n;
  return n;
}

// The decimal text of a clock or DDS frequency: a blank or minus for the sign, then either
// plain digits (no zero before the full stop, none trailing after it, at most 15 significant) or
// one digit, a fraction and an exponent of at least two digits. Checks that it reads back as
// `value` to 15 significant digits.
void CheckNumberText(std::string_view text, double value) {
  Check(text.size() >= 2 && (text[0] == ' ' || text[0] == '-'), "number text without a sign place",
        text);
  const std::string_view body = text.substr(1);
  const std::size_t whole = CountDigits(body, 0);
  std::size_t pos = whole;
  std::size_t fraction = 0;
  if (pos < body.size() && body[pos] == '.') {
    fraction = CountDigits(body, pos + 1);
    Check(fraction > 0, "full stop without digits after it", text);
    Check(body[pos + fraction] != '0', "trailing zero after the full stop", text);
    pos += 1 + fraction;
  }
  const bool exponent_form = pos < body.size() && body[pos] == 'E';
  if (exponent_form) {
    Check(whole == 1 && body[0] != '0', "exponent form without one leading digit 1-9", text);
    Check(1 + fraction <= 15, "more than 15 significant digits", text);
    Check(pos + 1 < body.size() && (body[pos + 1] == '+' || body[pos + 1] == '-'),
          "exponent without a sign", text);
    const std::size_t exponent_digits = CountDigits(body, pos + 2);
    Check(exponent_digits >= 2 && pos + 2 + exponent_digits == body.size(),
          "exponent not two or more digits to the end", text);
    const int exponent = std::atoi(std::string(body.substr(pos + 1)).c_str());
    Check(exponent >= 15 || exponent < 0, "exponent form for a number written plainly", text);
  } else {
    Check(pos == body.size(), "stray characters in a number text", text);
    Check(whole + fraction > 0, "number text without digits", text);
    if (whole > 0 && body[0] == '0') {
      Check(body == "0" && text[0] == ' ', "leading zero, or a zero that is not \" 0\"", text);
    }
    // Zeros straight after the full stop of a number below one are not significant.
    std::size_t significant = whole + fraction;
    if (whole == 0) {
      significant -= body.substr(1).find_first_not_of('0');
    }
    Check(significant <= 15, "more than 15 significant digits", text);
  }
  // Read back in long double: the largest doubles round up, at 15 digits, beyond the double range.
  const long double shown = std::strtold(std::string(text).c_str(), nullptr);
  Check(std::fabs(shown - value) <= std::fabs(static_cast<long double>(value)) * 1e-14L,
        "number text is not the value", text);
  if (!exponent_form) {
    Check(std::fabs(shown) < 1e15L, "plain number text of 10^15 or more", text);
  }
}

// A run of tuning-word hex digits at `pos`, its width checked against the accumulator.
std::size_t ReadHexWord(std::string_view report, std::size_t pos, std::size_t min_digits,
                        std::size_t max_digits) {
  std::size_t n = 0;
  while (pos + n < report.size() && IsHexDigit(report[pos + n])) ++n;
  Check(n >= min_digits && n <= max_digits, "tuning word of the wrong width", report);
  return pos + n;
}

enum class ReportStage { kDdsSetting, kWsprLines, kFinished };

struct Report {
  ReportStage stage = ReportStage::kDdsSetting;
  bool wspr_lines = false;
  std::string_view resolution;  // the picture, when finished
};

// Parses the report as far as it was built; fails on anything the format does not allow.
Report ParseReport(std::string_view report, std::int16_t resolution_index) {
  // The accumulator width decides the width of each word: 6 digits for 24 bit, 8 for 32 bit,
  // the whole 12 to 14 otherwise; the interval shows its last 8 digits (6 for 24 bit).
  const std::size_t word_min = resolution_index == 0 ? 6 : resolution_index == 1 ? 8 : 12;
  const std::size_t word_max = resolution_index == 0 ? 6 : resolution_index == 1 ? 8 : 14;
  const std::size_t interval_digits = resolution_index == 0 ? 6 : 8;
  std::size_t pos = 0;
  auto expect = [&](std::string_view piece, const char* what) {
    Check(report.substr(pos, piece.size()) == piece, what, report);
    pos += piece.size();
  };
  Report parsed;
  expect("DDS Setting           0x ", "report does not start with the DDS setting label");
  pos = ReadHexWord(report, pos, word_min, word_max);
  expect("\r\n", "no CR LF after the DDS setting");
  if (pos == report.size()) return parsed;
  if (report.substr(pos, 4) == "WSPR") {
    expect("WSPR Interval      0x ", "WSPR interval label");
    pos = ReadHexWord(report, pos, interval_digits, interval_digits);
    expect("\r\n", "no CR LF after the WSPR interval");
    expect("WSPR     Setting   0x ", "WSPR setting label");
    pos = ReadHexWord(report, pos, word_min, word_max);
    parsed.stage = ReportStage::kWsprLines;
    parsed.wspr_lines = true;
    if (pos == report.size()) return parsed;
  }
  // Two line ends: an empty line after the WSPR setting, two after a lone DDS setting line.
  expect("\r\n\r\n", "no empty line before the resolution");
  expect("Resolution    ", "resolution label");
  parsed.stage = ReportStage::kFinished;
  parsed.resolution = report.substr(pos);

  // The picture #.########Hz: sign, whole part without leading zero (none when zero), the
  // separator always, at most eight decimals without trailing zero, Hz, and nothing after it.
  std::string_view picture = parsed.resolution;
  const bool negative = !picture.empty() && picture[0] == '-';
  if (negative) picture.remove_prefix(1);
  const std::size_t whole = CountDigits(picture, 0);
  Check(whole == 0 || picture[0] != '0', "leading zero in the resolution", report);
  Check(whole < picture.size() && picture[whole] == '.', "no full stop in the resolution", report);
  const std::size_t decimals = CountDigits(picture, whole + 1);
  Check(decimals <= 8, "more than eight decimals in the resolution", report);
  Check(decimals == 0 || picture[whole + decimals] != '0', "trailing zero in the resolution",
        report);
  Check(picture.substr(whole + 1 + decimals) == "Hz", "resolution does not end in Hz", report);
  Check(!negative || whole + decimals > 0, "minus sign on a resolution of zero", report);
  return parsed;
}

// The reading that Calculate itself makes of a box, or empty when it overflows.
std::optional<double> Read(const std::string& text) {
  try {
    return tuneworks::ReadNumber(text);
  } catch (const tuneworks::OverflowError&) {
    return std::nullopt;
  }
}

double UnitScale(std::int16_t index) {
  constexpr double kScales[] = {0.001, 1.0, 1e3, 1e6, 1e9};
  return kScales[index + 1];
}

// The Si5351: every output once nothing overflowed, in red exactly when the plan has a problem,
// and tones exactly when it has none (and there is an RF multiplication).
void CheckSi5351(const CalcOutputs& out) {
  Check(out.Overflow == !out.OverflowMessage.empty(), "overflow flag and message disagree");
  if (out.Overflow) return;
  Check(out.Clock && out.DDSFreq && out.Results && out.ResultsColour && out.Si5351,
        "finished Si5351 calculation with an output missing");
  const tuneworks::Si5351Plan& plan = *out.Si5351;
  Check((*out.ResultsColour == tuneworks::kColourRed) == plan.problem.has_value(),
        "red does not follow the plan's problem", *out.Results);
  if (!plan.problem) {
    Check(out.Tones.frequencies.has_value(), "a Si5351 plan without tones", *out.Results);
    Check(std::abs(plan.stepErrorPercent) <= 1.0, "a plan beyond 1 % of the step", *out.Results);
  }
}

void CheckCalculation(const CalcInputs& in, const CalcState& before, const CalcState& state,
                      const CalcOutputs& out) {
  g_inputs = &in;
  if (in.Resolution == tuneworks::kSi5351Resolution) {
    CheckSi5351(out);
    g_inputs = nullptr;
    return;
  }
  for (const std::optional<std::string>* text : {&out.Clock, &out.DDSFreq, &out.Results}) {
    if (*text) Check(!(*text)->empty(), "an output text produced empty");
  }

  // Outputs come in a fixed order and a failure cuts the sequence: nothing after a missing one.
  if (out.DDSFreq) Check(out.Clock.has_value(), "DDSFreq produced without Clock");
  if (out.ResultsColour) Check(out.DDSFreq.has_value(), "colour produced without DDSFreq");
  if (out.Results) {
    Check(out.DDSFreq.has_value(), "report produced without DDSFreq");
    if (state.ClockHz > 0) Check(out.ResultsColour.has_value(), "report produced without colour");
  }
  Check(out.Overflow == !out.OverflowMessage.empty(), "overflow flag and message disagree");
  if (!out.Overflow) {
    Check(out.Clock && out.DDSFreq && out.Results, "finished calculation with an output missing");
  }

  // An output that is missing must have a cause: a box that overflows when read, or a product
  // or quotient beyond the double range, in the steps that lead to it.
  const std::optional<double> ref = Read(in.Ref);
  const std::optional<double> pll = Read(in.PLLMult);
  const std::optional<double> fout = Read(in.Fout);
  const std::optional<double> m = Read(in.RFMult);
  if (!out.Clock && ref && pll) {
    Check(!std::isfinite(UnitScale(in.ClkUnits) * (*ref * *pll)),
          "Clock missing although the clock is within range");
  }
  if (out.Clock && !out.DDSFreq && fout && m) {
    const double wanted = *fout * UnitScale(in.Funits);
    Check(!std::isfinite(wanted) || (*m > 0 && (!std::isfinite(wanted / *m) ||
                                                !std::isfinite((wanted - 2.197265625) / *m))),
          "DDSFreq missing although the DDS frequencies are within range");
  }
  if (out.DDSFreq && !out.ResultsColour && state.ClockHz > 0) {
    Check(out.Overflow && !std::isfinite(state.DdsOutHz / state.ClockHz),
          "colour missing although the clock is positive and the ratio within range");
  }

  if (out.Clock) {
    Check(state.ClockUnitScale == UnitScale(in.ClkUnits), "clock unit scale");
    Check(ref && pll, "Clock produced although Ref or PLLMult overflows");
    Check(state.ClockHz == state.ClockUnitScale * (*ref * *pll),
          "ClockHz is not scale * ref * pll");
    Check(*out.Clock == tuneworks::NumberText(state.ClockHz), "Clock is not NumberText(ClockHz)");
    CheckNumberText(*out.Clock, state.ClockHz);
  }
  if (out.DDSFreq) {
    Check(state.FreqUnitScale == UnitScale(in.Funits), "frequency unit scale");
    Check(fout && m, "DDSFreq produced although Fout or RFMult overflows");
    Check(state.WantedHz == *fout * state.FreqUnitScale, "WantedHz is not fout * scale");
    if (*m > 0) {
      Check(state.DdsOutHz == state.WantedHz / *m, "DdsOutHz is not WantedHz / RFMult");
    } else {
      Check(state.DdsOutHz == before.DdsOutHz, "DdsOutHz not kept with RFMult not positive");
    }
    Check(*out.DDSFreq == tuneworks::NumberText(state.DdsOutHz),
          "DDSFreq is not NumberText(DdsOutHz)");
    CheckNumberText(*out.DDSFreq, state.DdsOutHz);
  }
  if (out.ResultsColour) {
    Check(*out.ResultsColour == tuneworks::kColourRed ||
              *out.ResultsColour == tuneworks::kColourBlack,
          "colour neither 255 nor 0");
    Check(state.ClockHz > 0, "colour set with a clock that is not positive");
    const int expected =
        state.DdsOutHz / state.ClockHz > 0.35 ? tuneworks::kColourRed : tuneworks::kColourBlack;
    Check(*out.ResultsColour == expected, "colour does not follow DDS output / clock > 0.35");
  } else if (!out.Overflow) {
    Check(state.ClockHz <= 0, "colour left unchanged with a positive clock");
  }

  if (out.Results) {
    const Report report = ParseReport(*out.Results, in.Resolution);
    if (out.Overflow) {
      // The last steps, the WSPR lines and the resolution, cannot fail once reached.
      Check(report.stage == ReportStage::kDdsSetting,
            "report beyond the DDS setting although the calculation overflowed", *out.Results);
    } else {
      Check(report.stage == ReportStage::kFinished, "finished calculation with a cut report",
            *out.Results);
      Check(report.wspr_lines == state.WsprLines, "WSPR lines do not follow the interval word",
            *out.Results);
      Check(report.resolution == tuneworks::ResolutionPicture(state.ResolutionHz),
            "resolution is not ResolutionPicture(ResolutionHz)", *out.Results);
      const double shown = std::strtod(std::string(report.resolution).c_str(), nullptr);
      Check(std::fabs(shown - state.ResolutionHz) <=
                5.000001e-9 + std::fabs(state.ResolutionHz) * 1e-15,
            "resolution is not ResolutionHz to eight decimals", *out.Results);
    }
  }
  g_inputs = nullptr;
}

CalcInputs ConsumeInputs(FuzzedDataProvider& provider) {
  CalcInputs in;
  in.ClkUnits = provider.ConsumeIntegralInRange<std::int16_t>(-1, 3);
  in.Funits = provider.ConsumeIntegralInRange<std::int16_t>(-1, 3);
  in.Resolution = provider.ConsumeIntegralInRange<std::int16_t>(-1, 3);
  in.Ref = provider.ConsumeRandomLengthString();
  in.PLLMult = provider.ConsumeRandomLengthString();
  in.Fout = provider.ConsumeRandomLengthString();
  in.RFMult = provider.ConsumeRandomLengthString();
  return in;
}

// The frequencies the words give: nothing after an overflow, else finite figures whose tones lie
// one step apart, and a status line that says something.
void CheckActual(const CalcInputs& in, const CalcOutputs& out) {
  g_inputs = &in;
  const tuneworks::ActualTones tones = tuneworks::CalculateActualTones(in);
  const auto& actual = tones.frequencies;
  if (out.Overflow)
    Check(!actual && tones.fault == tuneworks::ToneFault::kNone,
          "actual frequencies after an overflow");
  Check(!actual || tones.fault == tuneworks::ToneFault::kNone, "tones and a fault at once");
  if (!actual) return;
  Check(std::isfinite(actual->settingHz) && std::isfinite(actual->stepErrorPercent) &&
            std::isfinite(actual->centreErrorHz),
        "actual frequencies not finite");
  for (const double tone : actual->tonesHz) Check(std::isfinite(tone), "tone not finite");
  Check(actual->stepHz >= 0 && actual->tonesHz[3] >= actual->tonesHz[0], "tones not rising");
  Check(!actual->decoderLossDb || actual->decodable, "a loss where nothing decodes");
  const tuneworks::ActualSummary line = tuneworks::ActualStatusLine(actual);
  Check(line.text.starts_with("Tones ") && !line.tooltip.empty(), "status line", line.text);
  if (const auto band = tuneworks::CheckBand(*actual)) {
    Check(std::isfinite(band->marginHz) && std::isfinite(band->audioHz) && !band->note.empty() &&
              band->inside == (band->marginHz >= 0),
          "band check", band->note);
  }
  g_inputs = nullptr;
}

void RunOne(const CalcInputs& in, CalcState& state) {
  const CalcState before = state;
  CalcOutputs out;
  try {
    out = tuneworks::Calculate(in, state);
  } catch (const std::exception& e) {
    g_inputs = &in;
    Fail(e.what());
  } catch (...) {
    g_inputs = &in;
    Fail("Calculate threw something other than a std::exception");
  }
  CheckCalculation(in, before, state, out);
  CheckActual(in, out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  CalcState state;
  RunOne(ConsumeInputs(provider), state);
  if (provider.remaining_bytes() > 0) RunOne(ConsumeInputs(provider), state);
  return 0;
}
