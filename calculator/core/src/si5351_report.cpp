// The Si5351 report in Results: the settings, P1 to P3, the register bytes and the reminders
// that matter on a real chip.
#include <cstdint>
#include <string>

#include "tuneworks_core.hpp"

namespace tuneworks {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string Whole(std::uint64_t value) { return std::to_string(value); }

std::string RatioText(const Si5351Ratio& r) {
  return Whole(r.a) + " + " + Whole(r.b) + "/" + Whole(r.c);
}

std::string ParametersText(const Si5351Parameters& p) {
  return "P1 " + Whole(p.p1) + "  P2 " + Whole(p.p2) + "  P3 " + Whole(p.p3);
}

std::string BytesText(const std::array<std::uint8_t, 8>& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (const std::uint8_t byte : bytes) {
    text += ' ';
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0xF];
  }
  return text;
}

void Line(std::string& report, const std::string& text) {
  report += text;
  report += kLineEnd;
}

}  // namespace

std::string Si5351Report(const Si5351Plan& plan, double pll_multiplier) {
  std::string report;
  if (plan.problem) {
    report = *plan.problem + ".";
  } else {
    const bool pll_steps = plan.method == Si5351Method::kPll;
    const Si5351Tone& first = plan.tones[0];
    std::string input = NumberText(plan.crystalHz);
    if (input.front() == ' ') input.erase(0, 1);  // the blank that holds a sign's place
    Line(report, "Si5351 CLK0: multisynth 0 on PLL A, input " + input + " Hz" +
                     (plan.clkinDivider > 1 ? " on CLKIN divided by " + Whole(plan.clkinDivider) +
                                                  " (register 15: CLKIN_DIV, PLLA_SRC)"
                                            : ""));
    Line(report, plan.why + ".");
    if (pll_steps) {
      Line(report, "Multisynth 0  " + RatioText(first.multisynth) + ", R " + Whole(plan.rDivider));
      Line(report, "  " + ParametersText(first.multisynthParameters));
      Line(report, "  registers 42-49" + BytesText(first.multisynthRegisters));
      Line(report, "PLL A for each tone:");
    } else {
      Line(report, "PLL A  " + RatioText(first.pll));
      Line(report, "  " + ParametersText(first.pllParameters));
      Line(report, "  registers 26-33" + BytesText(first.pllRegisters));
      Line(report, "Multisynth 0 for each tone, R " + Whole(plan.rDivider) + ":");
    }
    for (std::size_t k = 0; k < plan.tones.size(); ++k) {
      const Si5351Tone& tone = plan.tones[k];
      Line(report, "Tone " + Whole(k) + "  " + FixedText(tone.hz, 4) + " Hz  " +
                       RatioText(pll_steps ? tone.pll : tone.multisynth));
      Line(report,
           "  " + ParametersText(pll_steps ? tone.pllParameters : tone.multisynthParameters));
      Line(report, std::string(pll_steps ? "  registers 26-33" : "  registers 42-49") +
                       BytesText(pll_steps ? tone.pllRegisters : tone.multisynthRegisters));
    }
    Line(report, "Step " + Whole(plan.stepUnits) + " of " +
                     Whole(pll_steps ? first.pll.c : first.multisynth.c) + " in the " +
                     (pll_steps ? "PLL" : "multisynth") +
                     " numerator: " + FixedText(plan.stepHz, 8) + " Hz" +
                     (plan.exactStep ? ", exact"
                                     : " (" + FixedText(plan.stepErrorPercent, 4, true) + " %)"));
    if (pll_steps && first.multisynth.b == 0 && first.multisynth.a % 2 == 0) {
      Line(report, "Even integer multisynth: set MS0_INT, register 16 bit 6");
    }
    Line(report, "Spread spectrum off: register 149 bit 7 clear (newer chips start with it on)");
    report += "No PLL reset (register 177) between tones: it would click";
  }
  if (pll_multiplier != 1) {
    report += kLineEnd;
    report += "The PLL Multiplier box is not used: the Si5351's own PLL is set above.";
  }
  return report;
}

}  // namespace tuneworks
