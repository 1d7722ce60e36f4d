// The Si5351 plan: the PLL, multisynth and R settings that make the four WSPR or FST4W tones on
// CLK0, following AN619 and the chip's limits.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <optional>
#include <string>
#include <utility>

#include "beacon_signal.hpp"
#include "nearest_fraction.hpp"
#include "si5351_registers.hpp"
#include "tuneworks_core.hpp"

namespace tuneworks {
namespace {

using detail::Fraction;
using detail::Nearest;

constexpr std::uint64_t kMaxDenominator = 1048575;  // c, 20 bits
constexpr std::uint64_t kSampleRate = 12000;        // the step is this over the symbol's samples
constexpr double kVcoLowHz = 600e6;
constexpr double kVcoHighHz = 900e6;
constexpr double kOutputLowHz = 2500.0;
constexpr double kOutputHighHz = 200e6;
constexpr double kReferenceLowHz = 10e6;  // CLKIN; crystals are 25 or 27 MHz
constexpr double kReferenceHighHz = 100e6;
constexpr double kPllInputHighHz = 40e6;  // above it CLKIN is divided by 2, 4 or 8
constexpr double kFractionalLow = 8.0;    // a multisynth below 8 is 4 or 6, integers only
constexpr double kMultisynthHigh = 2048.0;
constexpr int kRHigh = 128;
constexpr double kCleanPercent = 0.1;   // an even integer multisynth is taken within this
constexpr double kUsablePercent = 1.0;  // beyond this the plan is refused
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// What a plan's search works with: frequencies at the chip's output.
struct Target {
  double crystalHz;             // the crystal or CLKIN
  int clkinDivider;             // CLKIN's divider before the PLL
  double rfMultiplier;          // after the chip
  double pllInputHz;            // the crystal, or CLKIN after its divider
  double lowHz;                 // the lowest tone
  double highHz;                // the highest tone
  double wantedHz;              // the wanted frequency itself
  double stepHz;                // the mode's step (12000/8192 Hz) divided by the RF multiplication
  std::uint64_t stepNumerator;  // the mode's step as a fraction in lowest terms: 375/256 Hz
  std::uint64_t stepDenominator;  // for WSPR, 60/41 Hz for FST4W-120 ...
  double centreHz;                // the middle of the four tones: WSPR's wanted frequency itself,
                                  // FST4W's 1.5 steps above its tone 0
};

// One way of making the tones: the fixed divider, the stepping one's denominator and step.
struct Choice {
  Si5351Method method = Si5351Method::kPll;
  int r = 1;
  Fraction fixed;  // the multisynth (PLL method) or the PLL's feedback (multisynth method)
  std::uint64_t c = 1;
  std::uint64_t n = 0;
  double error = kInfinity;  // step / wanted step - 1
  bool evenInteger = false;
};

bool Better(const Choice& a, const Choice& b) { return std::abs(a.error) < std::abs(b.error); }

// The smallest R (1, 2, 4 ... 128) that lets a multisynth of at most 2048 reach the PLL's range.
std::optional<int> SmallestR(const Target& t) {
  for (int r = 1; r <= kRHigh; r *= 2) {
    if (kVcoLowHz / (t.lowHz * r) <= kMultisynthHigh) return r;
  }
  return std::nullopt;
}

// A value n K / c within [low, high] with c <= 1048575, c as large as possible; none when no
// whole n and c reach the range. The closest value otherwise is n = 1, c = 1048575.
std::optional<std::pair<std::uint64_t, std::uint64_t>> Fit(double k, double low, double high) {
  if (!(low <= high)) return std::nullopt;
  const auto c_max = static_cast<double>(kMaxDenominator);
  const double n_full = std::ceil(c_max * low / k);  // the first n at which c = c_max reaches low
  if (n_full < 1e12 && n_full * k / c_max <= high) {
    return std::pair{static_cast<std::uint64_t>(std::max(n_full, 1.0)), kMaxDenominator};
  }
  for (double n = std::min(n_full, 64.0) - 1; n >= 1; --n) {
    const double c = std::floor(n * k / low);
    if (c >= 1 && n * k / c <= high) {
      return std::pair{static_cast<std::uint64_t>(n), static_cast<std::uint64_t>(c)};
    }
  }
  return std::nullopt;
}

// The step n/c of the PLL numerator is the mode's step S/D (375/256 Hz) exactly when n/c = S x MSR
// x div / (D x m x crystal), MSR the multisynth times R and div the CLKIN divider: for a whole
// crystal and RF multiplication, when that fraction in lowest terms has a denominator of at most
// 1048575. `reduced` is the denominator without the multisynth, `least` the common factor MSR must
// then share with it.
struct ExactSteps {
  std::uint64_t numerator = 0;  // S x div over their common factor with the denominator
  std::uint64_t reduced = 0;    // D x m x crystal over that factor; 0: never exact
  std::uint64_t least = 0;      // the smallest gcd(reduced, MSR) that gives an exact step
};

ExactSteps ExactStepsFor(const Target& t) {
  ExactSteps e;
  if (t.crystalHz != std::floor(t.crystalHz) || t.rfMultiplier != std::floor(t.rfMultiplier) ||
      t.rfMultiplier > 1e6) {
    return e;
  }
  std::uint64_t denominator = 0;
  if (__builtin_mul_overflow(t.stepDenominator * static_cast<std::uint64_t>(t.rfMultiplier),
                             static_cast<std::uint64_t>(t.crystalHz), &denominator)) {
    return e;
  }
  const std::uint64_t numerator = t.stepNumerator * static_cast<std::uint64_t>(t.clkinDivider);
  const std::uint64_t common = std::gcd(denominator, numerator);
  e.numerator = numerator / common;
  e.reduced = denominator / common;
  e.least = (e.reduced + kMaxDenominator - 1) / kMaxDenominator;
  return e;
}

// Four PLL numerators over an even integer multisynth, with the smallest R that reaches the PLL's
// range: an exact step where one divider gives it, else the divider whose best n/c comes
// closest (a step within a billionth, 1.5 nHz, ends the search: no receiver tells it from exact).
Choice EvenIntegerPll(const Target& t, const std::optional<int>& r) {
  Choice best;
  if (!r) return best;
  const double low = std::ceil(kVcoLowHz / (t.lowHz * *r));
  const double high = std::min(std::floor(kVcoHighHz / (t.highHz * *r)), kMultisynthHigh);
  const double first = std::max(low + std::fmod(low, 2.0), 4.0);
  const ExactSteps exact = ExactStepsFor(t);
  if (exact.reduced != 0 && exact.least <= static_cast<std::uint64_t>(high) * *r) {
    for (double ms = first; ms <= high; ms += 2) {
      const auto divider = static_cast<std::uint64_t>(ms) * static_cast<std::uint64_t>(*r);
      if (divider < exact.least) continue;
      const std::uint64_t shared = std::gcd(exact.reduced, divider);
      if (shared < exact.least) continue;
      const std::uint64_t c = exact.reduced / shared;
      const std::uint64_t scale = kMaxDenominator / c;
      return {Si5351Method::kPll,
              *r,
              {static_cast<std::uint64_t>(ms), 1},
              c * scale,
              exact.numerator * (divider / shared) * scale,
              0.0,
              true};
    }
  }
  constexpr double kIndistinguishable = 1e-9;
  for (double ms = first; ms <= high; ms += 2) {
    const double x = t.stepHz * ms * *r / t.pllInputHz;  // n/c, ideally
    const Fraction f = Nearest(x, kMaxDenominator);
    const Choice choice{Si5351Method::kPll,  *r,  {static_cast<std::uint64_t>(ms), 1}, f.q, f.p,
                        f.Value() / x - 1.0, true};
    if (Better(choice, best)) best = choice;
    if (std::abs(best.error) <= kIndistinguishable) break;
  }
  return best;
}

// Four PLL numerators over a fractional multisynth chosen so that one step of n/c is the WSPR
// step: multisynth x R = n x input / (c x step).
Choice FractionalPll(const Target& t, const std::optional<int>& r) {
  Choice choice;
  if (!r) return choice;
  const double low = std::max(kVcoLowHz / t.lowHz, kFractionalLow * *r);
  const double high = std::min(kVcoHighHz / t.highHz, kMultisynthHigh * *r);
  const double k = t.pllInputHz / t.stepHz;
  auto fit = Fit(k, low, high);
  if (!fit && low <= high) fit = std::pair{std::uint64_t{1}, kMaxDenominator};  // closest
  if (!fit) return choice;
  const auto [n, c] = *fit;
  const double divider = std::clamp(static_cast<double>(n) * k / static_cast<double>(c), low, high);
  const Fraction ms = Nearest(divider / *r, kMaxDenominator);
  const double step =
      t.pllInputHz * static_cast<double>(n) / (static_cast<double>(c) * ms.Value() * *r);
  return {Si5351Method::kPll, *r, ms, c, n, step / t.stepHz - 1.0, false};
}

// The PLL set once and four multisynth numerators: the PLL chosen so that n units of the
// multisynth's numerator move the output by the step, f^2 R n / (PLL x c).
Choice MultisynthSteps(const Target& t, const std::optional<int>& r) {
  Choice choice;
  if (!r) return choice;
  const double low = std::max(kVcoLowHz, kFractionalLow * *r * t.highHz);
  const double high = std::min(kVcoHighHz, kMultisynthHigh * *r * t.lowHz);
  const double k = t.centreHz * t.centreHz * *r / t.stepHz;
  auto fit = Fit(k, low, high);
  if (!fit && low <= high) fit = std::pair{std::uint64_t{1}, kMaxDenominator};
  if (!fit) return choice;
  const auto [n, c] = *fit;
  const double vco = std::clamp(static_cast<double>(n) * k / static_cast<double>(c), low, high);
  const Fraction pll = Nearest(vco / t.pllInputHz, kMaxDenominator);
  const double pll_hz = t.pllInputHz * pll.Value();
  // Tone 0, the lowest, has the largest divider; the step is the mean of the three.
  const double centre = pll_hz * static_cast<double>(c) / (*r * t.centreHz);
  const double m0 = std::round(centre + 1.5 * static_cast<double>(n));
  const double m3 = m0 - 3.0 * static_cast<double>(n);
  const double step = pll_hz * static_cast<double>(c) * static_cast<double>(n) / (*r * m0 * m3);
  return {Si5351Method::kMultisynth, *r, pll, c, n, step / t.stepHz - 1.0, false};
}

Si5351Ratio RatioOf(std::uint64_t numerator, std::uint64_t c) {
  return {static_cast<std::uint32_t>(numerator / c), static_cast<std::uint32_t>(numerator % c),
          static_cast<std::uint32_t>(c)};
}

double ValueOf(const Si5351Ratio& r) {
  return r.a + static_cast<double>(r.b) / static_cast<double>(r.c);
}

// One frequency's settings, bytes and RF frequency.
Si5351Tone MakeTone(const Si5351Ratio& pll, const Si5351Ratio& ms, int r, double input_hz,
                    double rf_multiplier) {
  Si5351Tone tone;
  tone.pll = pll;
  tone.multisynth = ms;
  tone.pllParameters = detail::Si5351Encode(pll);
  tone.pllRegisters = detail::Si5351Registers(tone.pllParameters);
  tone.multisynthRegisters = detail::Si5351MultisynthRegisters(ms, r, tone.multisynthParameters);
  tone.hz = input_hz * ValueOf(pll) / (ValueOf(ms) * r) * rf_multiplier;
  return tone;
}

// The settings of a choice for the setting and the four tones.
void Settle(const Choice& choice, const Target& t, double rf_multiplier, Si5351Plan& plan) {
  const auto c = static_cast<double>(choice.c);
  const auto n = static_cast<double>(choice.n);
  plan.method = choice.method;
  plan.rDivider = choice.r;
  plan.stepUnits = static_cast<std::uint32_t>(choice.n);
  const auto numerator = [](double value) { return static_cast<std::uint64_t>(value); };
  if (choice.method == Si5351Method::kPll) {
    const Si5351Ratio ms = RatioOf(choice.fixed.p, choice.fixed.q);
    const double per_hz = ValueOf(ms) * choice.r * c / t.pllInputHz;  // PLL numerator per Hz
    const double first = std::round(t.centreHz * per_hz - 1.5 * n);
    plan.setting = MakeTone(RatioOf(numerator(std::round(t.wantedHz * per_hz)), choice.c), ms,
                            choice.r, t.pllInputHz, rf_multiplier);
    for (int k = 0; k < 4; ++k) {
      plan.tones[k] = MakeTone(RatioOf(numerator(first + k * n), choice.c), ms, choice.r,
                               t.pllInputHz, rf_multiplier);
    }
  } else {
    const Si5351Ratio pll = RatioOf(choice.fixed.p, choice.fixed.q);
    const double per_hz = t.pllInputHz * ValueOf(pll) * c / choice.r;  // divider numerator x Hz
    const double first = std::round(per_hz / t.centreHz + 1.5 * n);
    plan.setting = MakeTone(pll, RatioOf(numerator(std::round(per_hz / t.wantedHz)), choice.c),
                            choice.r, t.pllInputHz, rf_multiplier);
    for (int k = 0; k < 4; ++k) {
      plan.tones[k] = MakeTone(pll, RatioOf(numerator(first - k * n), choice.c), choice.r,
                               t.pllInputHz, rf_multiplier);
    }
  }
  plan.pllHz = t.pllInputHz * ValueOf(plan.setting.pll);
  if (choice.method == Si5351Method::kPll) {  // n/c of the PLL through the multisynth and R
    plan.stepHz =
        t.pllInputHz * n / (c * ValueOf(plan.tones[0].multisynth) * choice.r) * rf_multiplier;
  } else {  // (f0 - f3) / 3 for dividers m0 and m3 = m0 - 3n, without the difference's rounding
    const double m0 = ValueOf(plan.tones[0].multisynth) * c;
    const double m3 = ValueOf(plan.tones[3].multisynth) * c;
    plan.stepHz = plan.pllHz * c * n / (choice.r * m0 * m3) * rf_multiplier;
  }
}

// The step is the mode's S/D Hz exactly: input x n x q / (c x p x R) = S / (D m) in whole
// numbers, for a whole crystal, CLKIN divider and RF multiplication.
bool ExactStep(const Choice& choice, const Si5351Plan& plan, const Target& t,
               double rf_multiplier) {
  if (choice.method != Si5351Method::kPll) return false;  // a divider's steps are never equal
  const double whole_limit = 9007199254740992.0;          // 2^53
  if (plan.crystalHz != std::floor(plan.crystalHz) || plan.crystalHz > whole_limit ||
      rf_multiplier != std::floor(rf_multiplier) || rf_multiplier > 1e6) {
    return false;
  }
  std::uint64_t left = t.stepDenominator, right = t.stepNumerator;
  for (const std::uint64_t factor : {static_cast<std::uint64_t>(plan.crystalHz), choice.n,
                                     choice.fixed.q, static_cast<std::uint64_t>(rf_multiplier)}) {
    if (__builtin_mul_overflow(left, factor, &left)) return false;
  }
  for (const std::uint64_t factor : {choice.c, choice.fixed.p, static_cast<std::uint64_t>(choice.r),
                                     static_cast<std::uint64_t>(plan.clkinDivider)}) {
    if (__builtin_mul_overflow(right, factor, &right)) return false;
  }
  return left == right;
}

std::string Mhz(double hz) { return FixedText(hz / 1e6, 6) + " MHz"; }

// The mode's tone step as the texts give it: "1.46484375 Hz" for WSPR, "1.46341463 Hz" for
// FST4W-120.
std::string StepText(beacon::Mode mode) { return FixedText(beacon::ToneStepHz(mode), 8) + " Hz"; }

std::string PercentText(double error) { return FixedText(error * 100.0, 2, true) + " %"; }

// Why the plan takes its way, in one sentence.
std::string Why(const Choice& chosen, const Choice& even, const Choice& other) {
  if (chosen.evenInteger) {
    return "The tones are four PLL A numerators over an even integer multisynth, which keeps the "
           "output cleanest; " +
           std::string(std::abs(chosen.error) * 100.0 <= kCleanPercent
                           ? "the step comes within 0.1 % that way"
                           : "no other way comes closer");
  }
  const std::string no_even = even.error == kInfinity
                                  ? "no even integer multisynth keeps the PLL in range here"
                                  : "no even integer multisynth brings the step within " +
                                        FixedText(kCleanPercent, 1) + " % here (closest " +
                                        PercentText(even.error) + ")";
  const std::string other_text = other.error == kInfinity
                                     ? "cannot be used here"
                                     : "come no closer than " + PercentText(other.error);
  if (chosen.method == Si5351Method::kMultisynth) {
    return "The PLL is set once and the tones are four multisynth numerators: " + no_even +
           ", and PLL numerators over a fractional multisynth " + other_text;
  }
  return "The tones are four PLL A numerators over a fractional multisynth: " + no_even +
         ", and the multisynth's own numerators " + other_text;
}

// The plan, or the reason the chip cannot carry it out.
Si5351Plan Plan(double reference_hz, double wanted_hz, double m, beacon::Mode mode) {
  Si5351Plan plan;
  plan.crystalHz = reference_hz;
  if (!(m > 0)) {
    plan.problem = "The RF multiplication is not positive: there is no frequency for the Si5351";
    return plan;
  }
  if (!(reference_hz >= kReferenceLowHz && reference_hz <= kReferenceHighHz)) {
    plan.problem = "The Si5351 takes a 25 or 27 MHz crystal, or 10 to 100 MHz on CLKIN; " +
                   Mhz(reference_hz) + " is outside that";
    return plan;
  }
  while (reference_hz / plan.clkinDivider > kPllInputHighHz) plan.clkinDivider *= 2;
  const double step_hz = beacon::ToneStepHz(mode);
  const double low_offset_hz = beacon::LowToneBelowReportedHz(mode);
  const std::uint64_t gcd = std::gcd(kSampleRate, std::uint64_t{beacon::SamplesPerSymbol(mode)});
  const Target t{reference_hz,
                 plan.clkinDivider,
                 m,
                 reference_hz / plan.clkinDivider,
                 (wanted_hz - low_offset_hz) / m,
                 (wanted_hz + (3 * step_hz - low_offset_hz)) / m,  // for WSPR + 1.5 steps, exactly
                 wanted_hz / m,
                 step_hz / m,
                 kSampleRate / gcd,
                 beacon::SamplesPerSymbol(mode) / gcd,
                 (wanted_hz + (1.5 * step_hz - low_offset_hz)) / m};  // for WSPR the wanted one
  if (!(t.lowHz >= kOutputLowHz && t.highHz <= kOutputHighHz)) {
    plan.problem = "The Si5351's output, " + Mhz(t.wantedHz) +
                   " before the RF multiplication, must lie between 2.5 kHz and 200 MHz";
    return plan;
  }
  const std::optional<int> r = SmallestR(t);
  const Choice even = EvenIntegerPll(t, r);
  const Choice fractional = FractionalPll(t, r);
  const Choice multisynth = MultisynthSteps(t, r);
  Choice chosen = even;
  if (!(std::abs(even.error) * 100.0 <= kCleanPercent)) {
    chosen = Better(fractional, multisynth) ? fractional : multisynth;
    if (Better(even, chosen)) chosen = even;
  }
  if (chosen.error == kInfinity) {
    plan.problem =
        "No multisynth and R divider put PLL A between 600 and 900 MHz for " + Mhz(t.wantedHz);
    return plan;
  }
  if (!(std::abs(chosen.error) * 100.0 <= kUsablePercent)) {
    plan.problem = "The Si5351 cannot bring the tone step within 1 % of " + StepText(mode) +
                   " at " + Mhz(wanted_hz) + ": the closest it comes is " +
                   PercentText(chosen.error);
    if (t.highHz * kFractionalLow > kVcoHighHz) {
      *plan.problem +=
          ", as its multisynth must be 4 or 6 there and one unit of the PLL "
          "numerator then moves the output by " +
          FixedText(t.pllInputHz / (kMaxDenominator * (kVcoHighHz / t.highHz)) * m, 2) +
          " Hz or more";
    }
    return plan;
  }
  Settle(chosen, t, m, plan);
  plan.exactStep = ExactStep(chosen, plan, t, m);
  plan.stepErrorPercent = plan.exactStep ? 0.0 : (plan.stepHz / step_hz - 1.0) * 100.0;
  if (plan.exactStep) plan.stepHz = step_hz;
  plan.why = Why(chosen, even, chosen.method == Si5351Method::kPll ? multisynth : fractional);
  return plan;
}

}  // namespace

Si5351Plan PlanSi5351(double reference_hz, double wanted_hz, double rf_multiplier,
                      beacon::Mode mode) {
  return Plan(reference_hz, wanted_hz, rf_multiplier, mode);
}

}  // namespace tuneworks
