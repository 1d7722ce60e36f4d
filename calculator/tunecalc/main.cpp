// tunecalc: the TUNEWORKS calculation from the command line, for scripted firmware builds.
#include <cstdio>
#include <string>

#include "arguments.hpp"
#include "output_text.hpp"
#include "tuneworks_core.hpp"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitUsage = 2;
constexpr int kExitOverflow = 3;

void Write(std::FILE* stream, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

int main(int argc, char** argv) {
  const tunecalc::ParseResult parsed = tunecalc::ParseArguments(argc, argv);
  if (!parsed.arguments) {
    Write(stderr, parsed.error + "\n" + tunecalc::UsageText());
    return kExitUsage;
  }
  const tunecalc::Arguments& arguments = *parsed.arguments;
  if (arguments.help || arguments.version || arguments.bands) {
    Write(stdout, arguments.help      ? tunecalc::UsageText()
                  : arguments.version ? tunecalc::VersionText()
                                      : tunecalc::BandsText());
    return kExitDone;
  }
  tuneworks::CalcState state;
  const tuneworks::CalcOutputs out = tuneworks::Calculate(arguments.inputs, state);
  const tuneworks::ActualTones& tones = out.Tones;
  const auto band =
      tones.frequencies ? tuneworks::CheckBand(*tones.frequencies, arguments.band) : std::nullopt;
  Write(stdout, arguments.json ? tunecalc::JsonOutput(out, tones.frequencies, band)
                               : tunecalc::PlainOutput(out, tones, band));
  std::fflush(stdout);
  if (out.Overflow) {
    Write(stderr, "tunecalc: " + out.OverflowMessage +
                      "; the calculation stopped there, only what is printed was produced\n");
    return kExitOverflow;
  }
  return kExitDone;
}
