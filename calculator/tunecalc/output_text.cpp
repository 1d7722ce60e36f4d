// Plain and JSON renderings of CalcOutputs.
#include "output_text.hpp"

#include <cstddef>
#include <string>
#include <string_view>

#include "json_writer.hpp"
#include "status_line.hpp"

namespace tunecalc {
namespace {

void TextOrNull(wspr::JsonWriter& json, std::string_view key,
                const std::optional<std::string>& text) {
  json.Key(key);
  if (text) {
    json.String(*text);
  } else {
    json.Null();
  }
}

// Numbers in the shortest form that reads back as the same double; the core gives only finite
// values.
void Actual(wspr::JsonWriter& json, const std::optional<tuneworks::ActualFrequencies>& actual) {
  json.Key("actual");
  if (!actual) {
    json.Null();
    return;
  }
  const tuneworks::ActualFrequencies& a = *actual;
  json.BeginObject();
  json.Key("settingHz").Number(a.settingHz);
  json.Key("settingErrorHz").Number(a.settingErrorHz);
  json.Key("tonesHz").BeginArray();
  for (const double tone : a.tonesHz) json.Number(tone);
  json.EndArray();
  json.Key("stepHz").Number(a.stepHz);
  json.Key("stepErrorPercent").Number(a.stepErrorPercent);
  json.Key("centreErrorHz").Number(a.centreErrorHz);
  json.Key("decoderLossDb");
  if (a.decoderLossDb) {
    json.Number(*a.decoderLossDb);
  } else {
    json.Null();
  }
  json.Key("decodable").Bool(a.decodable);
  json.EndObject();
}

void Band(wspr::JsonWriter& json, const std::optional<tuneworks::BandCheck>& band) {
  json.Key("band");
  if (!band) {
    json.Null();
    return;
  }
  json.BeginObject();
  json.Key("name").String(band->band.name);
  json.Key("dialHz").Number(band->band.dialHz);
  json.Key("windowLowHz").Number(band->windowLowHz);
  json.Key("windowHighHz").Number(band->windowHighHz);
  json.Key("audioHz").Number(band->audioHz);
  json.Key("inside").Bool(band->inside);
  json.Key("marginHz").Number(band->marginHz);
  json.Key("note").String(band->note);
  json.EndObject();
}

}  // namespace

std::string JsonOutput(const tuneworks::CalcOutputs& out,
                       const std::optional<tuneworks::ActualFrequencies>& actual,
                       const std::optional<tuneworks::BandCheck>& band) {
  wspr::JsonWriter json;
  json.BeginObject();
  TextOrNull(json, "clock", out.Clock);
  TextOrNull(json, "ddsFreq", out.DDSFreq);
  json.Key("colour");
  if (out.ResultsColour) {
    json.Integer(*out.ResultsColour);
  } else {
    json.Null();
  }
  TextOrNull(json, "results", out.Results);
  json.Key("overflow").Bool(out.Overflow);
  Actual(json, actual);
  Band(json, actual ? band : std::nullopt);
  json.EndObject();
  return json.Text() + "\n";
}

std::string PlainOutput(const tuneworks::CalcOutputs& out, const tuneworks::ActualTones& tones,
                        const std::optional<tuneworks::BandCheck>& band) {
  std::string text;
  if (out.Clock) text += "DDS Clock     " + *out.Clock + "\n";
  if (out.DDSFreq) text += "DDS Output Hz " + *out.DDSFreq + "\n";
  if (out.ResultsColour == tuneworks::kColourRed) {
    text += "Warning: the DDS output is above 0.35 of the DDS clock (the report shows in red)\n";
  }
  if (out.Results) {
    text += '\n';
    const std::string_view report = *out.Results;
    for (std::size_t i = 0; i < report.size(); ++i) {
      if (report[i] == '\r' && i + 1 < report.size() && report[i + 1] == '\n') continue;
      text += report[i];
    }
    if (text.back() != '\n') text += '\n';  // the finished report has no line end of its own
  }
  if (tones.frequencies) {
    text += "\nWhat these words give at the RF output:\n" +
            tuneworks::ActualFiguresText(*tones.frequencies);
    if (band) text += "WSPR band          " + band->note + "\n";
  } else if (tones.fault != tuneworks::ToneFault::kNone) {
    text += "\n" + std::string(tuneworks::kNoTonesReport) +
            std::string(tuneworks::ToneFaultText(tones.fault)) + "\n";
  }
  return text;
}

}  // namespace tunecalc
