// What a beacon is meant to send, from a message text or from a file tonepak wrote.
#include "intended_transmissions.hpp"

#include <algorithm>
#include <vector>

#include "c_header_reading.hpp"
#include "decoding.hpp"
#include "encoding.hpp"
#include "transmission_reading.hpp"
#include "transmissions.hpp"

namespace tonepak {
namespace {

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const std::size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

std::string Joined(const std::vector<std::string>& sentences) {
  std::string out;
  for (const std::string& s : sentences) out += (out.empty() ? "" : "; ") + s;
  return out;
}

// Appended piece by piece: "\"" + text trips GCC 12's false -Wrestrict alarm at -O2.
std::string Quoted(std::string_view text) {
  std::string out = "\"";
  out.append(text).append("\"");
  return out;
}

IntendedTransmissions Problem(std::string why) {
  IntendedTransmissions out;
  out.problem = std::move(why);
  return out;
}

}  // namespace

IntendedTransmissions IntendedFromText(std::string_view text) {
  const std::vector<std::string_view> words = Words(text);
  if (words.size() < 2 || words.size() > 3) {
    return Problem(Quoted(text).append(
        " is no message: give call, locator and power as one argument, e.g. \"K1ABC FN42 37\""));
  }
  // A decoder shows the power as a number of dBm from 0 to 60: anything else is a word left
  // out ("K1ABC FN42") or mistyped, not a message to compare with.
  const std::string_view power = words.back();
  if (power.empty() || power.size() > 2 ||
      !std::all_of(power.begin(), power.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
      std::stoi(std::string(power)) > 60) {
    return Problem(Quoted(text)
                       .append(" is no message: its power ")
                       .append(Quoted(power))
                       .append(" is no number of dBm from 0 to 60 (give call, locator and power,"
                               " e.g. \"K1ABC FN42 37\")"));
  }
  std::string_view call = words[0];
  const bool hashed_only = call.size() > 2 && call.front() == '<' && call.back() == '>';
  if (hashed_only) call = call.substr(1, call.size() - 2);
  const std::string_view locator = words.size() == 3 ? words[1] : std::string_view{};
  const Transmissions chosen = ChooseTransmissions(call, locator, words.back());
  if (chosen.count == 0) return Problem(chosen.refusal);

  IntendedTransmissions out;
  for (const Message& m : chosen.List()) {
    if (hashed_only && m.type != MessageType::kHashed) continue;
    out.messages[out.count] = m;
    out.symbols[out.count] = EncodeMessage(m).symbols;
    ++out.count;
  }
  if (out.count == 0) {
    return Problem(Quoted(text).append(
        ": a call in <> stands for a type-3 message, which needs a six-character locator"));
  }
  return out;
}

IntendedTransmissions IntendedFromFile(std::span<const std::uint8_t> start, bool longer) {
  const std::string_view text(reinterpret_cast<const char*>(start.data()), start.size());
  IntendedTransmissions out;
  if (!text.starts_with(".snd") && !longer && IsCHeaderText(text)) {
    const CHeaderReading reading = ReadCHeaderText(text);
    if (reading.count == 0) return Problem(reading.problem);
    for (std::size_t t = 0; t < reading.count; ++t) {
      const Decoded decoded = DecodeSymbols(reading.symbols[t]);
      if (!decoded.message) {
        return Problem(std::string(t == 0 ? "wspr_symbols" : "wspr_symbols_2") +
                       " is no transmission: " + Joined(decoded.problems));
      }
      out.messages[t] = *decoded.message;
      out.symbols[t] = reading.symbols[t];
    }
    out.count = reading.count;
    return out;
  }
  const Decoded decoded = ReadTransmission(start, longer);
  if (!decoded.message) return Problem(Joined(decoded.problems));
  out.messages[0] = *decoded.message;
  // The reading succeeds only for symbols that are exactly this message's transmission.
  out.symbols[0] = EncodeMessage(*decoded.message).symbols;
  out.count = 1;
  return out;
}

}  // namespace tonepak
