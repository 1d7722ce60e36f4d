// TONEPAK on the page: a message encoded to its trace and its files, and a file read back to its
// message. The files are a list, so that a run giving more than one transmission lists them all.
#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "beacon_mode.hpp"
#include "call_buffer.hpp"
#include "fst4w_reading.hpp"
#include "json_writer.hpp"
#include "message_unpacking.hpp"
#include "run_steps.hpp"
#include "telemetry_run.hpp"
#include "transmission_reading.hpp"

namespace {

using wspr::JsonWriter;

struct OutputFile {
  const char* name;
  std::vector<std::uint8_t> bytes;
};

// The files of the last encoding, alive until the next one so that the script can copy them.
std::vector<OutputFile>& Files() {
  static std::vector<OutputFile> files;
  return files;
}

// The page's style for each role of the trace: a CSS class of page.css; plain text has none.
const char* RoleClass(tonepak::TextRole role) {
  switch (role) {
    case tonepak::TextRole::kHeading:
      return "heading";
    case tonepak::TextRole::kValue:
      return "value";
    case tonepak::TextRole::kWarning:
      return "warning";
    case tonepak::TextRole::kPlain:
      break;
  }
  return "";
}

// One piece of the trace, with the class it is shown in.
void Piece(JsonWriter& json, tonepak::TextRole role, const std::string& text) {
  json.BeginObject();
  json.Key("class").String(RoleClass(role));
  json.Key("text").String(text);
  json.EndObject();
}

// The MIME type the page gives a file's download.
const char* FileType(std::string_view name) {
  if (name.ends_with(".au")) return "audio/basic";
  if (name.ends_with(".h")) return "text/x-c";
  return "text/plain";
}

// The answer to an encoding: the run's trace, complaints and files, and the mode it was in.
std::string RunAnswer(tonepak::RunSteps run, beacon::Mode mode) {
  auto& files = Files();
  files.clear();
  JsonWriter json;
  json.BeginObject();
  json.Key("mode").String(beacon::NameOf(mode).name);
  json.Key("refused").Bool(run.refused);
  std::vector<std::string> complaints;
  json.Key("trace").BeginArray();
  for (tonepak::RunStep& step : run.steps) {
    switch (step.kind) {
      case tonepak::RunStep::Kind::kPrint:
        Piece(json, step.role, step.text);
        break;
      case tonepak::RunStep::Kind::kComplain:
        complaints.push_back(std::move(step.text));
        break;
      case tonepak::RunStep::Kind::kWrite:
        files.push_back({step.file_name, std::move(step.bytes)});
        break;
    }
  }
  json.EndArray();
  json.Key("complaints").BeginArray();
  for (const std::string& complaint : complaints) json.String(complaint);
  json.EndArray();
  json.Key("files").BeginArray();
  for (const OutputFile& file : files) {
    json.BeginObject();
    json.Key("name").String(file.name);
    json.Key("type").String(FileType(file.name));
    json.Key("address").Integer(reinterpret_cast<std::uintptr_t>(file.bytes.data()));
    json.Key("size").Integer(file.bytes.size());
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  return json.Text();
}

// An FST4W file read back: {"mode":"fst4w-300","message":"..","checks":".."} with the checks
// that fail, if any, as "problems"; "mode" is "fst4w" when the file names no period.
std::string Fst4wReadAnswer(const tonepak::fst4w::Fst4wReading& reading) {
  JsonWriter json;
  json.BeginObject();
  json.Key("mode").String(reading.mode ? beacon::NameOf(*reading.mode).name : "fst4w");
  if (reading.message) {
    json.Key("message").String(reading.message->text);
    if (const std::string note = tonepak::TelemetryNote(reading.message->text); !note.empty()) {
      json.Key("telemetry").String(note);
    }
    json.Key("checks").String("sync " + std::to_string(40 - reading.sync_errors) +
                              " of 40, LDPC parity checks 166 of 166, CRC-24 matches");
  }
  if (!reading.problems.empty()) {
    json.Key("problems").BeginArray();
    for (const std::string& problem : reading.problems) json.String(problem);
    json.EndArray();
  }
  json.EndObject();
  return json.Text();
}

}  // namespace

extern "C" {

// Encodes the call sign, locator and power held one after another in the input buffer, as
// `tonepak --c-header` does. Answers
// {"mode":"wspr","refused":B,"trace":[{"class":"heading"|"value"|"warning"|"","text":".."}..],
//  "complaints":[".."..],"files":[{"name":..,"type":..,"address":..,"size":..}..]}
// with the trace in the order tonepak prints it on standard output, each piece in its role's
// class, and what it says on standard error (a warning about a field, a note, a refused call),
// one line each, apart: the page shows those at the box they concern.
EMSCRIPTEN_KEEPALIVE const char* tp_encode(std::size_t call_size, std::size_t locator_size,
                                           std::size_t power_size) {
  const auto call = wspr_web::InputText(0, call_size);
  const auto locator = wspr_web::InputText(call_size, locator_size);
  const auto power = wspr_web::InputText(call_size + locator_size, power_size);
  tonepak::RunSteps run = tonepak::PlanRun(call, locator, power, true);

  return wspr_web::Answer(RunAnswer(std::move(run), beacon::Mode::kWspr));
}

// Encodes an FST4W message in one of its modes: the mode's name ("fst4w-300") and the message
// as fst4sim takes it ("K1ABC FN42 37"), one after another in the input buffer, as
// `tonepak --mode MODE --c-header MESSAGE` does. Answers as tp_encode, "mode" its name; an
// unknown mode is taken as FST4W-120.
EMSCRIPTEN_KEEPALIVE const char* tp_encode_fst4w(std::size_t mode_size, std::size_t message_size) {
  const auto name = wspr_web::InputText(0, mode_size);
  const auto message = wspr_web::InputText(mode_size, message_size);
  beacon::Mode mode = beacon::ModeNamed(name).value_or(beacon::Mode::kFst4w120);
  if (mode == beacon::Mode::kWspr) mode = beacon::Mode::kFst4w120;
  return wspr_web::Answer(RunAnswer(tonepak::PlanFst4wRun(message, mode, true), mode));
}

// A balloon's telemetry message from its measured values, as
// `tonepak --mode MODE --c-header --telemetry ID SUBSQUARE ALTITUDE TEMPERATURE VOLTS KNOTS GPS`
// does: the mode's name and the seven values one after another in the input buffer, each of the
// size given in that order. Answers as tp_encode; a value that cannot be read is refused, with
// the complaint naming its field. An unknown mode is taken as WSPR.
EMSCRIPTEN_KEEPALIVE const char* tp_encode_telemetry(std::size_t mode_size, std::size_t id_size,
                                                     std::size_t subsquare_size,
                                                     std::size_t altitude_size,
                                                     std::size_t temperature_size,
                                                     std::size_t volts_size, std::size_t knots_size,
                                                     std::size_t gps_size) {
  std::size_t at = 0;
  const auto next = [&at](std::size_t size) {
    std::string text(wspr_web::InputText(at, size));
    at += size;
    return text;
  };
  const beacon::Mode mode = beacon::ModeNamed(next(mode_size)).value_or(beacon::Mode::kWspr);
  tonepak::TelemetryWords words;
  words.id = next(id_size);
  words.subsquare = next(subsquare_size);
  words.altitude = next(altitude_size);
  words.temperature = next(temperature_size);
  words.volts = next(volts_size);
  words.knots = next(knots_size);
  words.gps = next(gps_size);
  return wspr_web::Answer(RunAnswer(tonepak::PlanTelemetryRun(words, mode, true), mode));
}

// Reads back the `size` bytes in the input buffer, the start of a file; `longer` says that the
// file goes on beyond them. Answers {"message":"CALL LOC POWER"} or {"problems":[..]}.
EMSCRIPTEN_KEEPALIVE const char* tp_read(std::size_t size, int longer) {
  const auto bytes = wspr_web::Input(0, size);
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (longer == 0 && !text.starts_with(".snd") && tonepak::fst4w::IsFst4wText(text)) {
    return wspr_web::Answer(Fst4wReadAnswer(tonepak::fst4w::ReadFst4wText(text)));
  }
  const tonepak::Decoded decoded = tonepak::ReadTransmission(wspr_web::Input(0, size), longer != 0);
  JsonWriter json;
  json.BeginObject();
  json.Key("mode").String("wspr");
  if (decoded.message) {
    const std::string text = tonepak::MessageText(*decoded.message);
    json.Key("message").String(text);
    if (const std::string note = tonepak::TelemetryNote(text); !note.empty()) {
      json.Key("telemetry").String(note);
    }
  } else {
    json.Key("problems").BeginArray();
    for (const std::string& problem : decoded.problems) json.String(problem);
    json.EndArray();
  }
  json.EndObject();
  return wspr_web::Answer(json.Text());
}

// The most of a file that tp_read looks at.
EMSCRIPTEN_KEEPALIVE std::size_t tp_read_limit() { return tonepak::kReadLimitBytes; }

}  // extern "C"
