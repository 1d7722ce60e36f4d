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
  const auto arguments = tunecalc::ParseArguments(argc, argv);
  if (!arguments) {
    Write(stderr, "tunecalc: wrong arguments\n" + tunecalc::UsageText());
    return kExitUsage;
  }
  if (arguments->help || arguments->version) {
    Write(stdout, arguments->help ? tunecalc::UsageText() : tunecalc::VersionText());
    return kExitDone;
  }
  tuneworks::CalcState state;
  const tuneworks::CalcOutputs out = tuneworks::Calculate(arguments->inputs, state);
  const auto actual = out.Overflow ? std::nullopt : tuneworks::CalculateActual(arguments->inputs);
  Write(stdout,
        arguments->json ? tunecalc::JsonOutput(out, actual) : tunecalc::PlainOutput(out, actual));
  std::fflush(stdout);
  if (out.Overflow) {
    Write(stderr, "tunecalc: " + out.OverflowMessage +
                      "; the calculation stopped there, only what is printed was produced\n");
    return kExitOverflow;
  }
  return kExitDone;
}
