// TONEPAK on the page: a message encoded to its trace and its files, and a file read back to its
// message. The files are a list, so that a run giving more than one transmission lists them all.
#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "call_buffer.hpp"
#include "console_colour.hpp"
#include "encoding.hpp"
#include "field_warnings.hpp"
#include "include_file.hpp"
#include "json_writer.hpp"
#include "message_fields.hpp"
#include "message_unpacking.hpp"
#include "test_audio.hpp"
#include "trace.hpp"
#include "transmission_reading.hpp"

namespace {

using wspr_web::JsonWriter;

struct OutputFile {
  const char* name;
  const char* type;  // the MIME type the page gives its download
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
  json.Integer("attribute", attribute);
  json.String("text", text);
  json.EndObject();
}

}  // namespace

extern "C" {

// Encodes the call sign, locator and power held one after another in the input buffer. Answers
// {"trace":[{"attribute":N,"text":".."}..],"files":[{"name":..,"type":..,"address":..,"size":..}..]}
// in the order and colours tonepak prints them; a warning about a field is a line of its own.
EMSCRIPTEN_KEEPALIVE const char* tp_encode(std::size_t call_size, std::size_t locator_size,
                                           std::size_t power_size) {
  const auto call = wspr_web::InputText(0, call_size);
  const auto locator = wspr_web::InputText(call_size, locator_size);
  const auto power = wspr_web::InputText(call_size + locator_size, power_size);
  const tonepak::MessageFields fields = tonepak::NormaliseMessage(call, locator, power);
  const tonepak::Encoding e = tonepak::EncodeMessage(fields);

  auto& files = Files();
  files.clear();
  files.push_back(
      {tonepak::kIncludeFileName, "text/plain", {e.include_file.begin(), e.include_file.end()}});
  files.push_back({tonepak::kTestAudioFileName, "audio/basic", tonepak::TestAudioFile(e.symbols)});

  JsonWriter json;
  json.BeginObject();
  json.String("message", tonepak::MessageText(fields));
  json.BeginList("trace");
  Piece(json, tonepak::kSummaryYellow, tonepak::SummaryBox(fields));
  for (const std::string& warning : tonepak::FieldWarnings(fields)) {
    Piece(json, tonepak::kSummaryYellow, "tonepak: " + warning + "\n");
  }
  Piece(json, tonepak::kNormalGrey,
        tonepak::SourceTrace(e.source) + tonepak::ConvolutionTrace(e.convolution) +
            tonepak::InterleaverTrace(e.interleaved) + tonepak::ChannelSymbolsTrace(e.symbols));
  Piece(json, tonepak::kPackedBrightWhite, tonepak::PackedSymbolsTrace(e.packed));
  Piece(json, tonepak::kNormalGrey, tonepak::kIncludeFileStoredLine);
  json.EndList();
  json.BeginList("files");
  for (const OutputFile& file : files) {
    json.BeginObject();
    json.String("name", file.name);
    json.String("type", file.type);
    json.Number("address", reinterpret_cast<std::uintptr_t>(file.bytes.data()));
    json.Number("size", file.bytes.size());
    json.EndObject();
  }
  json.EndList();
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
    json.String("message", tonepak::MessageText(*decoded.message));
  } else {
    json.BeginList("problems");
    for (const std::string& problem : decoded.problems) json.String({}, problem);
    json.EndList();
  }
  json.EndObject();
  return wspr_web::Answer(json.Text());
}

// The most of a file that tp_read looks at.
EMSCRIPTEN_KEEPALIVE std::size_t tp_read_limit() { return tonepak::kReadLimitBytes; }

}  // extern "C"
