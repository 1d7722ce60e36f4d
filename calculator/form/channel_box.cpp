// Reading the Channel box and saying what its channel is.
#include "channel_box.hpp"

#include <charconv>
#include <system_error>
#include <utility>
#include <vector>

#include "ascii_text.hpp"
#include "tuneworks_core.hpp"

namespace tuneworks {
namespace {

constexpr std::size_t kQuotedMax = 12;  // of a long text, the start and an ellipsis

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::string Quoted(std::string_view text) {
  std::string quoted(1, '"');
  if (text.size() <= kQuotedMax) return quoted.append(text) + '"';
  std::size_t cut = kQuotedMax;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0U) == 0x80U) --cut;  // UTF-8
  return quoted.append(text.substr(0, cut)) + "\u2026\"";
}

std::optional<int> WholeNumber(std::string_view text) {
  for (const char c : text) {
    if (!wspr::ascii::IsDigit(c)) return std::nullopt;
  }
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

// A red finding about the box, its whole sentence in the tooltip.
ChannelChoice Problem(std::string text, std::string shorter) {
  ChannelChoice choice;
  choice.given = true;
  std::string tip = text;
  choice.problem = StatusLine{std::move(text), true, std::move(tip), {std::move(shorter)}};
  return choice;
}

}  // namespace

ChannelChoice ReadChannel(std::string_view channel_text, std::string_view band_text,
                          beacon::Mode mode) {
  const std::string_view text = Trim(channel_text);
  if (text.empty()) return {};
  const std::string quoted = Quoted(channel_text);
  const auto number = WholeNumber(text);
  if (!number || *number >= balloon::kChannelCount) {
    return Problem(
        "Channel " + quoted + " is not a balloon channel: a whole number, 0 to " +
            std::to_string(balloon::kChannelCount - 1),
        "Channel " + quoted + ": not 0 to " + std::to_string(balloon::kChannelCount - 1));
  }
  if (mode != beacon::Mode::kWspr) {
    return Problem("Channel " + quoted + " is a WSPR balloon channel: choose WSPR as the mode",
                   "Channel " + quoted + ": WSPR only");
  }
  const WsprBand* band = FindWsprBand(band_text);
  std::optional<balloon::Channel> channel;
  if (band != nullptr) channel = balloon::ChannelOn(*number, band->name);
  if (!channel) {
    return Problem("Channel " + quoted + ": the band " + Quoted(band_text) +
                       " is not a WSPR band with balloon channels",
                   "Channel " + quoted + ": no such band");
  }
  ChannelChoice choice;
  choice.given = true;
  choice.channel = std::move(channel);
  return choice;
}

std::string LaneCentreMhzText(const balloon::Channel& channel) {
  return FixedText((channel.dialHz + channel.laneCentreHz) / 1e6, 6);
}

StatusLine WithChannel(const StatusLine& status, const balloon::Channel& channel) {
  const WsprBand* band = FindWsprBand(channel.band);
  const std::string label = band != nullptr ? std::string(band->label) : channel.band;
  const std::string number = std::to_string(channel.number);
  const std::string regular = std::to_string(channel.regularMinute);
  const std::string telemetry = std::to_string(channel.telemetryMinute);
  const std::string lane = std::to_string(channel.lane);
  const std::string whole = "Channel " + number + " on " + label + ": ID " + channel.id +
                            ", minute " + regular + " regular, " + telemetry + " telemetry, lane " +
                            lane;
  const std::string brief = "Ch " + number + ": ID " + channel.id + ", min " + regular + "/" +
                            telemetry + ", lane " + lane;
  StatusLine line{whole, status.warning, {}, {}};
  line.tool_tip = "Balloon channel " + number + " on " + label + ": telemetry ID " + channel.id +
                  ", regular message at minute " + regular + " and telemetry at minute " +
                  telemetry + " of every ten, lane " + lane + " centred on " +
                  LaneCentreMhzText(channel) + " MHz";
  if (!status.tool_tip.empty()) line.tool_tip += "\n" + status.tool_tip;
  if (status.text.empty()) {
    line.shorter.push_back(brief);
    return line;
  }
  const auto before = [](const std::string& channel_words, const std::string& finding) {
    std::string text = channel_words;
    text += "; ";
    text += finding;
    return text;
  };
  line.text = before(whole, status.text);
  line.shorter.push_back(before(brief, status.text));
  for (const std::string& shorter : status.shorter) line.shorter.push_back(before(brief, shorter));
  line.shorter.push_back(brief);
  return line;
}

}  // namespace tuneworks
