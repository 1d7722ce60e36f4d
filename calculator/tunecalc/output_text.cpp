// Plain and JSON renderings of CalcOutputs.
#include "output_text.hpp"

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>

#include "status_line.hpp"

namespace tunecalc {
namespace {

// Length of the well-formed UTF-8 sequence at the start of `bytes`, or 0 when it is not one.
std::size_t Utf8SequenceLength(std::string_view bytes) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (bytes.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

std::string JsonTextOrNull(const std::optional<std::string>& text) {
  return text ? JsonString(*text) : "null";
}

// The shortest decimal that reads back as the same double; the core gives only finite values.
std::string JsonNumber(double value) {
  char buffer[32];
  return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr};
}

std::string JsonActual(const std::optional<tuneworks::ActualFrequencies>& actual) {
  if (!actual) return "null";
  const tuneworks::ActualFrequencies& a = *actual;
  std::string json = "{\"settingHz\":" + JsonNumber(a.settingHz);
  json += ",\"settingErrorHz\":" + JsonNumber(a.settingErrorHz);
  json += ",\"tonesHz\":[";
  for (std::size_t k = 0; k < a.tonesHz.size(); ++k) {
    json += (k == 0 ? "" : ",") + JsonNumber(a.tonesHz[k]);
  }
  json += "],\"stepHz\":" + JsonNumber(a.stepHz);
  json += ",\"stepErrorPercent\":" + JsonNumber(a.stepErrorPercent);
  json += ",\"centreErrorHz\":" + JsonNumber(a.centreErrorHz);
  json += ",\"decoderLossDb\":" + (a.decoderLossDb ? JsonNumber(*a.decoderLossDb) : "null");
  json += ",\"decodable\":";
  json += a.decodable ? "true}" : "false}";
  return json;
}

std::string JsonBand(const std::optional<tuneworks::BandCheck>& band) {
  if (!band) return "null";
  std::string json = "{\"name\":" + JsonString(band->band.name);
  json += ",\"dialHz\":" + JsonNumber(band->band.dialHz);
  json += ",\"windowLowHz\":" + JsonNumber(band->windowLowHz);
  json += ",\"windowHighHz\":" + JsonNumber(band->windowHighHz);
  json += ",\"audioHz\":" + JsonNumber(band->audioHz);
  json += ",\"inside\":";
  json += band->inside ? "true" : "false";
  json += ",\"marginHz\":" + JsonNumber(band->marginHz);
  json += ",\"note\":" + JsonString(band->note) + "}";
  return json;
}

std::string JsonRatio(const tuneworks::Si5351Ratio& r) {
  return "[" + std::to_string(r.a) + "," + std::to_string(r.b) + "," + std::to_string(r.c) + "]";
}

std::string JsonBytes(const std::array<std::uint8_t, 8>& bytes) {
  std::string json = "[";
  for (std::size_t k = 0; k < bytes.size(); ++k) {
    json += (k == 0 ? "" : ",") + std::to_string(bytes[k]);
  }
  return json + "]";
}

std::string JsonSi5351(const std::optional<tuneworks::Si5351Plan>& plan) {
  if (!plan) return "null";
  const tuneworks::Si5351Plan& p = *plan;
  std::string json = "{\"method\":";
  json += p.method == tuneworks::Si5351Method::kPll ? "\"pll\"" : "\"multisynth\"";
  json += ",\"crystalHz\":" + JsonNumber(p.crystalHz);
  json += ",\"rDivider\":" + std::to_string(p.rDivider);
  json += ",\"tones\":[";
  for (std::size_t k = 0; !p.problem && k < p.tones.size(); ++k) {  // no tones for a refusal
    const tuneworks::Si5351Tone& t = p.tones[k];
    json += (k == 0 ? "{\"hz\":" : ",{\"hz\":") + JsonNumber(t.hz);
    json += ",\"pll\":" + JsonRatio(t.pll) + ",\"multisynth\":" + JsonRatio(t.multisynth);
    json += ",\"pllRegisters\":" + JsonBytes(t.pllRegisters);
    json += ",\"multisynthRegisters\":" + JsonBytes(t.multisynthRegisters) + "}";
  }
  json += "],\"stepHz\":" + JsonNumber(p.stepHz);
  json += ",\"stepErrorPercent\":" + JsonNumber(p.stepErrorPercent);
  json += ",\"exactStep\":";
  json += p.exactStep ? "true" : "false";
  json += ",\"problem\":" + (p.problem ? JsonString(*p.problem) : "null") + "}";
  return json;
}

}  // namespace

std::string JsonString(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string json = "\"";
  json.reserve(bytes.size() + 16);
  for (std::size_t i = 0; i < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x80) {
      const std::size_t length = Utf8SequenceLength(bytes.substr(i));
      if (length == 0) {
        json += "\\ufffd";
        ++i;
      } else {
        json.append(bytes.substr(i, length));
        i += length;
      }
      continue;
    }
    switch (c) {
      case '"':
        json += "\\\"";
        break;
      case '\\':
        json += "\\\\";
        break;
      case '\r':
        json += "\\r";
        break;
      case '\n':
        json += "\\n";
        break;
      case '\t':
        json += "\\t";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          json += "\\u00";
          json += kHex[c >> 4];
          json += kHex[c & 0xF];
        } else {
          json += static_cast<char>(c);
        }
    }
    ++i;
  }
  json += '"';
  return json;
}

std::string JsonOutput(const tuneworks::CalcOutputs& out,
                       const std::optional<tuneworks::ActualFrequencies>& actual,
                       const std::optional<tuneworks::BandCheck>& band) {
  std::string json = "{\"clock\":" + JsonTextOrNull(out.Clock);
  json += ",\"ddsFreq\":" + JsonTextOrNull(out.DDSFreq);
  json += ",\"colour\":" + (out.ResultsColour ? std::to_string(*out.ResultsColour) : "null");
  json += ",\"results\":" + JsonTextOrNull(out.Results);
  json += ",\"overflow\":";
  json += out.Overflow ? "true" : "false";
  json += ",\"actual\":" + JsonActual(actual);
  json += ",\"band\":" + JsonBand(actual ? band : std::nullopt);
  json += ",\"si5351\":" + JsonSi5351(out.Si5351);
  json += "}\n";
  return json;
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
    if (band) text += "WSPR band          " + band->note + "\n";
  } else if (tones.fault != tuneworks::ToneFault::kNone) {
    text += "\n" + std::string(tuneworks::kNoTonesReport) +
            std::string(tuneworks::ToneFaultText(tones.fault)) + "\n";
  }
  return text;
}

}  // namespace tunecalc
