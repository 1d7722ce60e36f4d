// BEACONCHECK on the page: a recording's bytes checked as the program checks a file, answered
// with the program's text report and the waterfall of each transmission.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "beaconcheck.hpp"
#include "call_buffer.hpp"
#include "dial_frequency.hpp"
#include "fst4w_encoding.hpp"
#include "fst4w_reading.hpp"
#include "fst4w_report.hpp"
#include "intended_transmissions.hpp"
#include "json_writer.hpp"
#include "report.hpp"
#include "summary_table.hpp"
#include "waterfall.hpp"

namespace {

using wspr::JsonWriter;

// The largest recording the page takes: its bytes and its samples as floats must fit the
// WebAssembly's memory (at most 2 GB) together with the analysis; 400 MB is 30 minutes at
// 48000 Hz in 16-bit stereo, or at 96000 Hz in 16-bit mono, and some to spare.
constexpr std::size_t kLargestRecordingBytes = std::size_t{400} << 20;

// The pictures of the last check, alive until the next one so that the script can draw them.
std::vector<beaconcheck::Waterfall>& Pictures() {
  static std::vector<beaconcheck::Waterfall> pictures;
  return pictures;
}

// The answer when something given cannot be used: which box it came from and why.
const char* Refuse(const char* about, const std::string& problem) {
  JsonWriter json;
  json.BeginObject();
  json.Key("about").String(about);
  json.Key("problem").String(problem);
  json.EndObject();
  return wspr_web::Answer(json.Text());
}

// The table that opens the report of a crowded band, its cells as the text report has them:
// {"headings":[..],"rows":[{"expected":B,"cells":[..]}..],"legend":".."}, or null when the
// report has none.
void AddSummary(JsonWriter& json, const beaconcheck::Report& report) {
  if (!beaconcheck::ShowsSummary(report)) {
    json.Null();
    return;
  }
  const beaconcheck::SummaryTable table = beaconcheck::Summary(report);
  json.BeginObject();
  json.Key("headings").BeginArray();
  for (const std::string& heading : table.headings) json.String(heading);
  json.EndArray();
  json.Key("rows").BeginArray();
  for (const beaconcheck::SummaryTable::Row& row : table.rows) {
    json.BeginObject();
    json.Key("expected").Bool(row.expected);
    json.Key("cells").BeginArray();
    for (const std::string& cell : row.cells) json.String(cell);
    json.EndArray();
    json.EndObject();
  }
  json.EndArray();
  json.Key("legend").String(table.legend);
  json.EndObject();
}

// What is expected of an FST4W recording: an FST4W file tonepak wrote (`expect_kind` 1 or 2),
// else a message encoded for `mode`; nothing when none is given. `problem` says what is wrong.
std::optional<beaconcheck::Fst4wExpected> ExpectedFst4w(std::string_view bytes, int expect_kind,
                                                        beacon::Mode mode, std::string& problem) {
  if (bytes.empty()) return std::nullopt;
  std::string text(bytes);
  if (expect_kind != 0) {
    const tonepak::fst4w::Fst4wReading reading = tonepak::fst4w::ReadFst4wText(text);
    if (!reading.symbols || !reading.message) {
      problem =
          reading.problems.empty() ? "It holds no FST4W transmission." : reading.problems.front();
      return std::nullopt;
    }
    text = reading.message->text;
  }
  const auto packed = tonepak::fst4w::PackFst4wMessage(text);
  if (const auto* refusal = std::get_if<tonepak::fst4w::PackingRefusal>(&packed)) {
    problem = "The " + refusal->field + ": " + refusal->reason;
    return std::nullopt;
  }
  const auto& message = std::get<tonepak::fst4w::PackedMessage>(packed);
  return beaconcheck::Fst4wExpected{message.text, message.bits,
                                    tonepak::fst4w::EncodeFst4w(message, mode).symbols};
}

const char* Fst4wAnswer(const beaconcheck::Fst4wReport& report) {
  JsonWriter json;
  json.BeginObject();
  json.Key("report").String(beaconcheck::Fst4wTextReport(report));
  json.Key("table").Null();
  json.Key("status").Integer(beaconcheck::Fst4wExitStatus(report));
  json.Key("pictures").BeginArray().EndArray();
  json.EndObject();
  return wspr_web::Answer(json.Text());
}

}  // namespace

extern "C" {

// Checks the recording whose `recording_size` bytes start the input buffer, as
// `beaconcheck [--dial MHZ] [--expect MESSAGE|FILE] NAME` does. After the recording come its
// name, then what is expected (`expect_kind` 0: a message as text, or none when empty; 1: the
// bytes of a file tonepak wrote; 2: the same, and the file goes on beyond them), then the dial
// frequency as typed (none when empty), then the mode's name as --mode takes it (from the
// recording's length when empty). Answers
//   {"about":"recording"|"expect"|"dial","problem":".."}     with what cannot be used, or
//   {"report":"..","table":{..}|null,"status":N,"pictures":[{"width":W,"height":H,"address":A}..]}
// with the text beaconcheck prints, the table it opens with (see AddSummary), its exit status,
// and each transmission's waterfall, in the order they begin, as W * H RGB pixels at A in the
// memory.
EMSCRIPTEN_KEEPALIVE const char* bc_check(std::size_t recording_size, std::size_t name_size,
                                          std::size_t expect_size, int expect_kind,
                                          std::size_t dial_size, std::size_t mode_size) {
  Pictures().clear();
  const std::string name(wspr_web::InputText(recording_size, name_size));
  const std::size_t expect_at = recording_size + name_size;
  const std::string dial(wspr_web::InputText(expect_at + expect_size, dial_size));
  const std::string mode_name(wspr_web::InputText(expect_at + expect_size + dial_size, mode_size));
  const std::optional<beacon::Mode> mode = beacon::ModeNamed(mode_name);
  if (!mode_name.empty() && !mode) return Refuse("recording", "No such mode: " + mode_name + ".");

  std::optional<double> dial_mhz;
  if (!dial.empty() && !(dial_mhz = beaconcheck::ParseDialMhz(dial))) {
    return Refuse("dial", std::string("Type ") + beaconcheck::kDialHint + ".");
  }
  // An FST4W recording's expectation is judged once the mode is known, after the reading.
  const std::string expect_bytes(wspr_web::InputText(expect_at, expect_size));
  const bool maybe_fst4w = !mode || *mode != beacon::Mode::kWspr;
  tonepak::IntendedTransmissions intended;
  if (maybe_fst4w) {
    // checked below
  } else if (expect_kind != 0) {
    intended = tonepak::IntendedFromFile(wspr_web::Input(expect_at, expect_size), expect_kind == 2);
  } else if (expect_size > 0) {
    intended = tonepak::IntendedFromText(wspr_web::InputText(expect_at, expect_size));
  }
  if (!maybe_fst4w && (expect_kind != 0 || expect_size > 0) && intended.count == 0) {
    return Refuse("expect", intended.problem);
  }
  beaconcheck::ReadResult read = beaconcheck::ReadRecording(wspr_web::Input(0, recording_size));
  if (!read.recording) {
    wspr_web::InputBuffer(0);
    return Refuse("recording", read.problem);
  }
  // A guessed FST4W mode stands only when a transmission decodes: long WSPR recordings have
  // those lengths too.
  const bool guessed = !mode;
  const beacon::Mode used = mode.value_or(beaconcheck::ModeForLength(read.recording->Seconds()));
  if (used != beacon::Mode::kWspr) {
    std::string problem;
    const auto expected = ExpectedFst4w(expect_bytes, expect_kind, used, problem);
    if (!problem.empty() && !guessed) {
      wspr_web::InputBuffer(0);
      return Refuse("expect", problem);
    }
    if (problem.empty()) {
      beaconcheck::Fst4wReport report =
          beaconcheck::MakeFst4wReport(name, *read.recording, used, dial_mhz, expected);
      if (!guessed || std::any_of(report.transmissions.begin(), report.transmissions.end(),
                                  [](const auto& t) { return t.decoded.has_value(); })) {
        wspr_web::InputBuffer(0);
        return Fst4wAnswer(report);
      }
    }
  }
  if (maybe_fst4w) {
    if (expect_kind != 0) {
      intended =
          tonepak::IntendedFromFile(wspr_web::Input(expect_at, expect_size), expect_kind == 2);
    } else if (expect_size > 0) {
      intended = tonepak::IntendedFromText(expect_bytes);
    }
    if ((expect_kind != 0 || expect_size > 0) && intended.count == 0) {
      wspr_web::InputBuffer(0);
      return Refuse("expect", intended.problem);
    }
  }
  wspr_web::InputBuffer(0);  // the samples are read: the file's bytes may go

  const beaconcheck::Report report =
      beaconcheck::MakeReport(name, *read.recording, dial_mhz, intended);
  for (std::size_t n = 0; n < report.transmissions.size(); ++n) {
    Pictures().push_back(beaconcheck::DrawWaterfall(*read.recording, report.transmissions[n],
                                                    report.verdicts[n], intended));
  }
  JsonWriter json;
  json.BeginObject();
  json.Key("report").String(beaconcheck::TextReport(report));
  json.Key("table");
  AddSummary(json, report);
  json.Key("status").Integer(beaconcheck::ExitStatus(report));
  json.Key("pictures").BeginArray();
  for (const beaconcheck::Waterfall& picture : Pictures()) {
    json.BeginObject();
    json.Key("width").Integer(picture.width);
    json.Key("height").Integer(picture.height);
    json.Key("address").Integer(reinterpret_cast<std::uintptr_t>(picture.rgb.data()));
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  return wspr_web::Answer(json.Text());
}

// The largest recording the page gives bc_check, in bytes; it refuses a larger one itself.
EMSCRIPTEN_KEEPALIVE std::size_t bc_largest_recording() { return kLargestRecordingBytes; }

}  // extern "C"
