// tunecalc: the TUNEWORKS calculation from the command line, for scripted firmware builds.
#include <cstdio>
#include <string>
#include <vector>

#include "arguments.hpp"
#include "output_text.hpp"
#include "table_file.hpp"
#include "table_text.hpp"
#include "timer_text.hpp"
#include "tuneworks_core.hpp"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitNoTable = 1;
constexpr int kExitUsage = 2;
constexpr int kExitOverflow = 3;

void Write(std::FILE* stream, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

// One calculation: the inputs as given, or at the centre of one band of a hop table.
struct Run {
  std::string band;  // the band to check against; empty for the nearest
  tuneworks::CalcInputs inputs;
};

std::vector<Run> Runs(const tunecalc::Arguments& arguments) {
  if (arguments.bandList.size() <= 1) {
    return {{arguments.bandList.empty() ? std::string() : arguments.bandList.front(),
             arguments.inputs}};
  }
  std::vector<Run> runs;
  for (const std::string& band : arguments.bandList) {
    runs.push_back({band, tunecalc::AtBandCentre(arguments.inputs, band)});
  }
  return runs;
}

// Writes the table files the arguments ask for; an error line when there is no table to write.
std::string WriteTables(const tunecalc::Arguments& arguments, const std::vector<Run>& runs) {
  std::vector<tunecalc::TableEntry> entries;
  for (const Run& run : runs) {
    const tuneworks::ToneTableResult made = tuneworks::MakeToneTable(run.inputs);
    if (!made.table) {
      return "tunecalc: no table written" + (runs.size() > 1 ? " (" + run.band + ")" : "") + ": " +
             std::string(made.problem);
    }
    entries.push_back({*made.table, tuneworks::CheckBand(made.table->actual, run.band)});
  }
  std::vector<tunecalc::FileToWrite> files;
  if (!arguments.includeFile.empty()) {
    files.push_back({arguments.includeFile, tunecalc::IncludeTableText(entries)});
  }
  if (!arguments.cHeaderFile.empty()) {
    files.push_back({arguments.cHeaderFile, tunecalc::CHeaderTableText(entries)});
  }
  const auto failure = tunecalc::WriteFilesWhole(files);
  return failure ? "tunecalc: " + *failure : std::string();
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
                                      : tunecalc::BandsText(arguments.inputs.Mode));
    return kExitDone;
  }
  if (arguments.timerClockHz) {
    const double clock_hz = *arguments.timerClockHz;
    const beacon::Mode mode = arguments.inputs.Mode;
    const auto rows = tuneworks::SymbolTimer(clock_hz, mode);
    Write(stdout, arguments.json ? tunecalc::TimerJson(clock_hz, rows, mode)
                                 : tunecalc::TimerText(clock_hz, rows, mode));
    return kExitDone;
  }

  const std::vector<Run> runs = Runs(arguments);
  bool overflow = false;
  std::string output;
  std::string overflow_line;  // the first overflow's, said after the output
  for (const Run& run : runs) {
    tuneworks::CalcState state;
    const tuneworks::CalcOutputs out = tuneworks::Calculate(run.inputs, state);
    const tuneworks::ActualTones& tones = out.Tones;
    const auto band =
        tones.frequencies ? tuneworks::CheckBand(*tones.frequencies, run.band) : std::nullopt;
    if (runs.size() > 1) {
      if (arguments.json) {
        output += output.empty() ? "[" : ",";
      } else {
        output += (output.empty() ? "Band " : "\nBand ") + run.band + ":\n";
      }
    }
    std::string text = arguments.json
                           ? tunecalc::JsonOutput(out, tones.frequencies, band, arguments.channel)
                           : tunecalc::PlainOutput(out, tones, band);
    if (arguments.channel && !arguments.json) {
      text.insert(0, tunecalc::ChannelText(*arguments.channel));
    }
    if (runs.size() > 1 && arguments.json) text.pop_back();  // its line end
    output += text;
    if (out.Overflow && !overflow) {
      overflow_line = "tunecalc: " + out.OverflowMessage +
                      "; the calculation stopped there, only what is printed was produced\n";
    }
    overflow = overflow || out.Overflow;
  }
  if (runs.size() > 1 && arguments.json) output += "]\n";
  Write(stdout, output);
  std::fflush(stdout);
  Write(stderr, overflow_line);

  if (!arguments.includeFile.empty() || !arguments.cHeaderFile.empty()) {
    const std::string problem = WriteTables(arguments, runs);
    if (!problem.empty()) {
      Write(stderr, problem + "\n");
      if (!overflow) return kExitNoTable;
    }
  }
  return overflow ? kExitOverflow : kExitDone;
}
