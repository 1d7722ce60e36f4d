// TONEPAK on the page: a message encoded to its trace and its files, and a file read back to its
// message. The files are a list, so that a run giving more than one transmission lists them all.
#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "call_buffer.hpp"
#include "console_colour.hpp"
#include "json_writer.hpp"
#include "message_unpacking.hpp"
#include "run_steps.hpp"
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

// One piece of the trace in the console attribute it is printed in.
void Piece(JsonWriter& json, std::uint8_t attribute, const std::string& text) {
  json.BeginObject();
  json.Key("attribute").Integer(attribute);
  json.Key("text").String(text);
  json.EndObject();
}

// The MIME type the page gives a file's download.
const char* FileType(std::string_view name) {
  if (name.ends_with(".au")) return "audio/basic";
  if (name.ends_with(".h")) return "text/x-c";
  return "text/plain";
}

}  // namespace

extern "C" {

// Encodes the call sign, locator and power held one after another in the input buffer, as
// `tonepak --c-header` does. Answers
// {"refused":B,"trace":[{"attribute":N,"text":".."}..],
//  "files":[{"name":..,"type":..,"address":..,"size":..}..]}
// with the trace in the order and colours tonepak prints it; what tonepak says on standard error
// (a warning about a field, a note, a refused call) is a yellow line of its own.
EMSCRIPTEN_KEEPALIVE const char* tp_encode(std::size_t call_size, std::size_t locator_size,
                                           std::size_t power_size) {
  const auto call = wspr_web::InputText(0, call_size);
  const auto locator = wspr_web::InputText(call_size, locator_size);
  const auto power = wspr_web::InputText(call_size + locator_size, power_size);
  tonepak::RunSteps run = tonepak::PlanRun(call, locator, power, true);

  auto& files = Files();
  files.clear();
  JsonWriter json;
  json.BeginObject();
  json.Key("refused").Bool(run.refused);
  json.Key("trace").BeginArray();
  for (tonepak::RunStep& step : run.steps) {
    switch (step.kind) {
      case tonepak::RunStep::Kind::kPrint:
        Piece(json, step.attribute, step.text);
        break;
      case tonepak::RunStep::Kind::kComplain:
        Piece(json, tonepak::kSummaryYellow, "tonepak: " + step.text + "\n");
        break;
      case tonepak::RunStep::Kind::kWrite:
        files.push_back({step.file_name, std::move(step.bytes)});
        break;
    }
  }
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
  return wspr_web::Answer(json.Text());
}

// Reads back the `size` bytes in the input buffer, the start of a file; `longer` says that the
// file goes on beyond them. Answers {"message":"CALL LOC POWER"} or {"problems":[..]}.
EMSCRIPTEN_KEEPALIVE const char* tp_read(std::size_t size, int longer) {
  const tonepak::Decoded decoded = tonepak::ReadTransmission(wspr_web::Input(0, size), longer != 0);
  JsonWriter json;
  json.BeginObject();
  if (decoded.message) {
    json.Key("message").String(tonepak::MessageText(*decoded.message));
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
