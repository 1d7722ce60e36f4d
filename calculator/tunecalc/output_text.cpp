// Plain and JSON renderings of CalcOutputs.
#include "output_text.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "json_writer.hpp"

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

void Ratio(wspr::JsonWriter& json, std::string_view key, const tuneworks::Si5351Ratio& r) {
  json.Key(key).BeginArray().Integer(r.a).Integer(r.b).Integer(r.c).EndArray();
}

void Bytes(wspr::JsonWriter& json, std::string_view key, const std::array<std::uint8_t, 8>& bytes) {
  json.Key(key).BeginArray();
  for (const std::uint8_t byte : bytes) json.Integer(byte);
  json.EndArray();
}

// The Si5351 plan; no tones when it has a problem.
void Si5351(wspr::JsonWriter& json, const std::optional<tuneworks::Si5351Plan>& plan) {
  json.Key("si5351");
  if (!plan) {
    json.Null();
    return;
  }
  const tuneworks::Si5351Plan& p = *plan;
  json.BeginObject();
  json.Key("method").String(p.method == tuneworks::Si5351Method::kPll ? "pll" : "multisynth");
  json.Key("crystalHz").Number(p.crystalHz);
  json.Key("rDivider").Integer(p.rDivider);
  json.Key("tones").BeginArray();
  for (std::size_t k = 0; !p.problem && k < p.tones.size(); ++k) {
    const tuneworks::Si5351Tone& t = p.tones[k];
    json.BeginObject();
    json.Key("hz").Number(t.hz);
    Ratio(json, "pll", t.pll);
    Ratio(json, "multisynth", t.multisynth);
    Bytes(json, "pllRegisters", t.pllRegisters);
    Bytes(json, "multisynthRegisters", t.multisynthRegisters);
    json.EndObject();
  }
  json.EndArray();
  json.Key("stepHz").Number(p.stepHz);
  json.Key("stepErrorPercent").Number(p.stepErrorPercent);
  json.Key("exactStep").Bool(p.exactStep);
  json.Key("problem");
  if (p.problem) {
    json.String(*p.problem);
  } else {
    json.Null();
  }
  json.EndObject();
}

void Channel(wspr::JsonWriter& json, const balloon::Channel& channel) {
  json.Key("channel").BeginObject();
  json.Key("number").Integer(channel.number);
  json.Key("band").String(channel.band);
  json.Key("id").String(channel.id);
  json.Key("regularMinute").Integer(channel.regularMinute);
  json.Key("telemetryMinute").Integer(channel.telemetryMinute);
  json.Key("lane").Integer(channel.lane);
  json.Key("laneCentreHz").Number(channel.dialHz + channel.laneCentreHz);
  json.Key("laneAudioHz").Number(channel.laneCentreHz);
  json.EndObject();
}

// "minute 4 of every ten (04, 14, 24, 34, 44, 54)"
std::string Minutes(int minute) {
  std::string text = "minute ";
  text += std::to_string(minute) + " of every ten (";
  for (int hour_part = 0; hour_part < 60; hour_part += 10) {
    const int at = hour_part + minute;
    text += hour_part == 0 ? "" : ", ";
    text += at < 10 ? "0" : "";
    text += std::to_string(at);
  }
  return text + ")";
}

}  // namespace

std::string ChannelText(const balloon::Channel& channel) {
  const tuneworks::WsprBand* band = tuneworks::FindWsprBand(channel.band);
  const std::string label = band != nullptr ? std::string(band->label) : channel.band;
  std::string call = "??????";  // the telemetry call, its other characters carrying the data
  if (channel.id.size() == 2) {
    call[0] = channel.id[0];
    call[2] = channel.id[1];
  }
  std::string text = "Balloon channel    ";
  text += std::to_string(channel.number) + " on " + label + "\n";
  text += "Telemetry ID       " + channel.id;
  text += " (the telemetry call's first and third characters: " + call + ")\n";
  text += "Regular message    " + Minutes(channel.regularMinute) + "\n";
  text += "Telemetry message  " + Minutes(channel.telemetryMinute) + "\n";
  text += "Lane               " + std::to_string(channel.lane) + " of ";
  text += std::to_string(balloon::kLaneCount) + ", centred on ";
  text += tuneworks::FixedText((channel.dialHz + channel.laneCentreHz) / 1e6, 6) + " MHz (dial + ";
  text += tuneworks::FixedText(channel.laneCentreHz, 0) + " Hz)\n\n";
  return text;
}

std::string JsonOutput(const tuneworks::CalcOutputs& out,
                       const std::optional<tuneworks::ActualFrequencies>& actual,
                       const std::optional<tuneworks::BandCheck>& band,
                       const std::optional<balloon::Channel>& channel) {
  wspr::JsonWriter json;
  json.BeginObject();
  if (actual && actual->mode != beacon::Mode::kWspr) {
    json.Key("mode").String(beacon::NameOf(actual->mode).name);
  }
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
  Si5351(json, out.Si5351);
  if (channel) Channel(json, *channel);
  json.EndObject();
  return json.Text() + "\n";
}

std::string PlainOutput(const tuneworks::CalcOutputs& out, const tuneworks::ActualTones& tones,
                        const std::optional<tuneworks::BandCheck>& band) {
  std::string text;
  if (out.Clock) text += "DDS Clock     " + *out.Clock + "\n";
  if (out.DDSFreq) text += "DDS Output Hz " + *out.DDSFreq + "\n";
  if (out.ResultsColour == tuneworks::kColourRed) {
    text += out.Si5351 ? "Warning: the Si5351 cannot make these tones (the report shows in red)\n"
                       : "Warning: the DDS output is above 0.35 of the DDS clock (the report "
                         "shows in red)\n";
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
    const beacon::Mode mode = tones.frequencies->mode;
    if (band) {
      text += (mode == beacon::Mode::kWspr ? "WSPR band          " : "FST4W band         ") +
              band->note + "\n";
    }
  } else if (tones.fault != tuneworks::ToneFault::kNone) {
    text += "\n" + tuneworks::NoTonesReport(tones.mode) +
            std::string(tuneworks::ToneFaultText(tones.fault)) + "\n";
  }
  return text;
}

}  // namespace tunecalc
