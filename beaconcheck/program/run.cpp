// Carrying out one run: read the recording and --expect's file, analyse, report, plot.
#include "run.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <variant>
#include <vector>

#include "beaconcheck.hpp"
#include "file_start.hpp"
#include "fst4w_encoding.hpp"
#include "fst4w_reading.hpp"
#include "fst4w_report.hpp"
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

// --expect's argument read as a file, when one of that name can be opened; nothing when it is
// a message.
std::optional<wspr::FileStart> ExpectFile(const std::string& expect) {
  std::FILE* probe = std::fopen(expect.c_str(), "rb");
  if (probe == nullptr) return std::nullopt;
  std::fclose(probe);
  return wspr::ReadFileStart(expect, tonepak::kReadLimitBytes);
}

// --expect's argument: a file when one of that name can be read, else a message.
std::optional<tonepak::IntendedTransmissions> Intended(const std::string& expect,
                                                       std::string& problem) {
  if (const auto found = ExpectFile(expect)) {
    const wspr::FileStart& file = *found;
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

// --expect's argument for an FST4W recording: an FST4W wsptones.inc or wsptones.h, else a
// message encoded for `mode`.
std::optional<Fst4wExpected> Fst4wIntended(const std::string& expect, beacon::Mode mode,
                                           std::string& problem) {
  if (const auto found = ExpectFile(expect)) {
    const wspr::FileStart& file = *found;
    if (!file.error.empty()) {
      problem = file.error;
      return std::nullopt;
    }
    const std::string text(file.bytes.begin(), file.bytes.end());
    const tonepak::fst4w::Fst4wReading reading = tonepak::fst4w::ReadFst4wText(text);
    if (!reading.symbols || !reading.message) {
      problem = expect + ": " +
                (reading.problems.empty() ? std::string("it holds no FST4W transmission")
                                          : reading.problems.front());
      return std::nullopt;
    }
    const auto packed = tonepak::fst4w::PackFst4wMessage(reading.message->text);
    Fst4wExpected expected{reading.message->text, {}, *reading.symbols};
    if (const auto* message = std::get_if<tonepak::fst4w::PackedMessage>(&packed)) {
      expected.bits = message->bits;
    }
    return expected;
  }
  const auto packed = tonepak::fst4w::PackFst4wMessage(expect);
  if (const auto* refusal = std::get_if<tonepak::fst4w::PackingRefusal>(&packed)) {
    problem = "--expect \"" + expect + "\": the " + refusal->field + ": " + refusal->reason;
    return std::nullopt;
  }
  const auto& message = std::get<tonepak::fst4w::PackedMessage>(packed);
  const tonepak::fst4w::Fst4wEncoding encoding = tonepak::fst4w::EncodeFst4w(message, mode);
  return Fst4wExpected{message.text, message.bits, encoding.symbols};
}

// With `only_if_heard` (the mode guessed from the length) nothing is printed and -1 returned
// unless an FST4W transmission decoded: the recording is then WSPR's, as long ones can be.
int RunFst4w(const Options& options, const Recording& recording, beacon::Mode mode,
             bool only_if_heard) {
  std::optional<Fst4wExpected> expected;
  if (!options.expect.empty()) {
    std::string problem;
    expected = Fst4wIntended(options.expect, mode, problem);
    if (!problem.empty()) {
      if (only_if_heard) return -1;
      return CannotRead(problem);
    }
  }
  const Fst4wReport report =
      MakeFst4wReport(options.file, recording, mode, options.dial_mhz, expected);
  if (only_if_heard && std::none_of(report.transmissions.begin(), report.transmissions.end(),
                                    [](const Fst4wTransmission& t) { return t.decoded; })) {
    return -1;
  }
  const std::string text = options.json ? Fst4wJsonReport(report) : Fst4wTextReport(report);
  if (Print(stdout, text) != 0) return kCannotReadStatus;
  return Fst4wExitStatus(report);
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
  wspr::FileStart file = wspr::ReadFileStart(options.file, kLargestRecordingBytes);
  if (!file.error.empty()) return CannotRead(file.error);
  if (file.longer) return CannotRead(options.file + ": it is longer than 30 minutes");
  const ReadResult read = ReadRecording(file.bytes);
  // The samples are all the analysis needs: the file's bytes go before it takes its memory.
  file.bytes = std::vector<std::uint8_t>();
  if (!read.recording) return CannotRead(options.file + ": " + read.problem);
  if (options.beacon_mode && *options.beacon_mode != beacon::Mode::kWspr) {
    return RunFst4w(options, *read.recording, *options.beacon_mode, false);
  }
  if (const beacon::Mode guess = ModeForLength(read.recording->Seconds());
      !options.beacon_mode && guess != beacon::Mode::kWspr) {
    if (const int status = RunFst4w(options, *read.recording, guess, true); status >= 0) {
      return status;
    }
  }

  tonepak::IntendedTransmissions intended;
  if (!options.expect.empty()) {
    std::string problem;
    const auto expected_read = Intended(options.expect, problem);
    if (!problem.empty()) return CannotRead(problem);
    intended = *expected_read;
  }

  const Report report =
      MakeReport(options.file, *read.recording, options.dial_mhz, intended, options.channel);

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
