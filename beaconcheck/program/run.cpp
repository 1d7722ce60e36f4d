// Carrying out one run: read the recording and --expect's file, analyse, report, plot.
#include "run.hpp"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "beaconcheck.hpp"
#include "file_start.hpp"
#include "intended_transmissions.hpp"
#include "options.hpp"
#include "plot.hpp"
#include "report.hpp"
#include "transmission_reading.hpp"

namespace beaconcheck {
namespace {

// A 30-minute recording at 192000 Hz in 16-bit stereo, and some to spare.
constexpr std::size_t kLargestRecordingBytes = std::size_t{1} << 30;

int Print(std::FILE* stream, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  return std::fflush(stream) == 0 ? 0 : 1;
}

int CannotRead(const std::string& line) {
  Print(stderr, "beaconcheck: " + line + "\n");
  return kCannotReadStatus;
}

// --expect's argument: a file when one of that name can be read, else a message.
std::optional<tonepak::IntendedTransmissions> Intended(const std::string& expect,
                                                       std::string& problem) {
  if (std::FILE* probe = std::fopen(expect.c_str(), "rb")) {
    std::fclose(probe);
    const wspr::FileStart file = wspr::ReadFileStart(expect, tonepak::kReadLimitBytes);
    if (!file.error.empty()) {
      problem = file.error;
      return std::nullopt;
    }
    tonepak::IntendedTransmissions intended = tonepak::IntendedFromFile(file.bytes, file.longer);
    if (intended.count == 0) problem = expect + ": " + intended.problem;
    return intended;
  }
  tonepak::IntendedTransmissions intended = tonepak::IntendedFromText(expect);
  if (intended.count == 0) problem = "--expect \"" + expect + "\": " + intended.problem;
  return intended;
}

}  // namespace

int RunBeaconcheck(int argc, const char* const* argv) {
  const Options options = ParseOptions(argc, argv);
  switch (options.mode) {
    case Mode::kHelp:
      return Print(stdout, HelpText());
    case Mode::kVersion:
      return Print(stdout, VersionText());
    case Mode::kUsageError:
      Print(stderr, "beaconcheck: " + options.problem + "\n" + HelpText());
      return kCannotReadStatus;
    case Mode::kCheck:
      break;
  }
  tonepak::IntendedTransmissions intended;
  if (!options.expect.empty()) {
    std::string problem;
    const auto read = Intended(options.expect, problem);
    if (!problem.empty()) return CannotRead(problem);
    intended = *read;
  }
  wspr::FileStart file = wspr::ReadFileStart(options.file, kLargestRecordingBytes);
  if (!file.error.empty()) return CannotRead(file.error);
  if (file.longer) return CannotRead(options.file + ": it is longer than 30 minutes");
  const ReadResult read = ReadRecording(file.bytes);
  // The samples are all the analysis needs: the file's bytes go before it takes its memory.
  file.bytes = std::vector<std::uint8_t>();
  if (!read.recording) return CannotRead(options.file + ": " + read.problem);

  const Report report = MakeReport(options.file, *read.recording, options.dial_mhz, intended);

  if (!options.plot.empty() && !report.transmissions.empty()) {
    const std::size_t first = ShownOrder(report).front();  // the expected beacon's, if heard
    if (const std::string error =
            WritePlot(options.plot, *read.recording, report.transmissions[first],
                      report.verdicts[first], intended);
        !error.empty()) {
      return CannotRead(error);
    }
  }
  const std::string text = options.json ? JsonReport(report) : TextReport(report, options.verbose);
  if (Print(stdout, text) != 0) {
    return kCannotReadStatus;
  }
  return ExitStatus(report);
}

}  // namespace beaconcheck
