// Telemetry frames, their pairs and their faults, read off the decoded transmissions.
#include "balloon_reading.hpp"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <utility>

#include "formatted_text.hpp"
#include "message_unpacking.hpp"
#include "wspr_bands.hpp"

namespace beaconcheck {
namespace {

// The three words of a decoded type-1 message: call, four-character locator, power.
struct StandardWords {
  std::string call;
  std::string locator;
  int power_dbm = 0;
};

std::optional<StandardWords> Words(std::string_view message) {
  std::istringstream in{std::string(message)};
  StandardWords w;
  std::string rest;
  if (!(in >> w.call >> w.locator >> w.power_dbm) || in >> rest || w.locator.size() != 4) {
    return std::nullopt;
  }
  return w;
}

std::optional<StandardWords> Words(const Transmission& t) {
  if (t.carrier || !t.message || t.message->type != tonepak::MessageType::kStandard) {
    return std::nullopt;
  }
  return Words(tonepak::MessageText(*t.message));
}

double CentreHz(const Transmission& t) { return (t.tones_hz[0] + t.tones_hz[3]) / 2.0; }

// The band table's entry the dial frequency is; nothing when none is.
const wspr::WsprBand* BandEntry(double dial_mhz) { return wspr::BandAtDial(dial_mhz * 1e6); }

std::string Label(const Transmission& t, std::size_t n) {
  std::string out;
  AddFormatted(out, "transmission %zu (%s)", n + 1,
               t.message ? tonepak::MessageText(*t.message).c_str() : "not decoded");
  return out;
}

// The regular frame in the telemetry frame's lane whose start is nearest 120 s before it.
struct Nearest {
  std::size_t transmission = 0;
  double seconds_apart = 0.0;
  std::string locator;
};

std::optional<Nearest> NearestRegular(const std::vector<Transmission>& transmissions,
                                      const TelemetryFrame& frame, double band_offset_hz) {
  std::optional<Nearest> best;
  const double telemetry_start = transmissions[frame.transmission].start_s;
  for (std::size_t n = 0; n < transmissions.size(); ++n) {
    const auto words = Words(transmissions[n]);
    if (!words || balloon::IsTelemetryCall(words->call)) continue;
    if (balloon::LaneAt(CentreHz(transmissions[n]) + band_offset_hz) != frame.lane) continue;
    const double apart = telemetry_start - transmissions[n].start_s;
    // A beacon sending in the same slot is another station, not this tracker's regular frame.
    if (std::abs(apart) <= kPairToleranceS) continue;
    if (!best || std::abs(apart - kPairSpacingS) < std::abs(best->seconds_apart - kPairSpacingS)) {
      best = Nearest{n, apart, words->locator};
    }
  }
  return best;
}

void JudgeAgainstChannel(BalloonReading& reading, const TelemetryFrame& f,
                         const std::string& label) {
  const balloon::Channel& c = *reading.expected;
  const std::string id{f.call[0], f.call[2]};
  if (id != c.id) {
    AddFormatted(reading.faults.emplace_back(), "%s has id %s; channel %d's is %s", label.c_str(),
                 id.c_str(), c.number, c.id.c_str());
  }
  if (f.lane && *f.lane != c.lane) {
    AddFormatted(reading.faults.emplace_back(),
                 "%s is in lane %d; channel %d sends in lane %d, around %.0f Hz", label.c_str(),
                 *f.lane, c.number, c.lane, c.laneCentreHz);
  }
  if (f.minute && *f.minute % 10 != c.telemetryMinute) {
    AddFormatted(reading.faults.emplace_back(),
                 "%s began at minute %d; channel %d sends telemetry at minute %d of every ten "
                 "(its regular frame at %d)",
                 label.c_str(), *f.minute, c.number, c.telemetryMinute, c.regularMinute);
  }
}

}  // namespace

std::optional<int> StartMinuteFromName(std::string_view file) {
  if (const auto slash = file.find_last_of("/\\"); slash != std::string_view::npos) {
    file.remove_prefix(slash + 1);
  }
  const auto dot = file.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;
  std::string extension(file.substr(dot + 1));
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension != "wav" && extension != "c2") return std::nullopt;
  const std::string_view stem = file.substr(0, dot);
  constexpr std::string_view kShape = "dddddd_dddd";  // YYMMDD_HHMM
  if (stem.size() < kShape.size()) return std::nullopt;
  const std::string_view stamp = stem.substr(stem.size() - kShape.size());
  for (std::size_t i = 0; i < kShape.size(); ++i) {
    const bool digit = std::isdigit(static_cast<unsigned char>(stamp[i])) != 0;
    if (kShape[i] == 'd' ? !digit : stamp[i] != '_') return std::nullopt;
  }
  const int hour = (stamp[7] - '0') * 10 + (stamp[8] - '0');
  const int minute = (stamp[9] - '0') * 10 + (stamp[10] - '0');
  if (hour > 23 || minute > 59) return std::nullopt;
  return minute;
}

std::string BandAtDial(double dial_mhz) {
  const wspr::WsprBand* band = BandEntry(dial_mhz);
  return band != nullptr ? std::string(band->name) : std::string();
}

std::optional<TelemetryFrame> TelemetryFrameOf(std::string_view message, double audio_centre_hz,
                                               std::optional<double> dial_mhz) {
  const auto words = Words(message);
  if (!words || !balloon::IsTelemetryCall(words->call)) return std::nullopt;
  TelemetryFrame f;
  f.call = words->call;
  f.telemetry = balloon::Decode(words->call, words->locator, words->power_dbm);
  // The lanes lie above the band's own dial; a receiver tuned a little off it hears them moved.
  const wspr::WsprBand* band = dial_mhz ? BandEntry(*dial_mhz) : nullptr;
  f.centre_hz = audio_centre_hz + (band != nullptr ? *dial_mhz * 1e6 - band->dialHz : 0.0);
  f.lane = balloon::LaneAt(f.centre_hz);
  return f;
}

std::string TelemetryLines(const TelemetryFrame& f, const std::string& band) {
  std::string out;
  if (f.telemetry) {
    AddFormatted(out, "  balloon     %s\n", balloon::Describe(*f.telemetry).c_str());
  } else {
    AddFormatted(out, "  balloon     %s is shaped as telemetry, but is no basic telemetry\n",
                 f.call.c_str());
  }
  if (f.lane) {
    AddFormatted(out, "  lane        %d, %.1f Hz above the dial\n", *f.lane, f.centre_hz);
  } else {
    AddFormatted(out, "  lane        none, %.1f Hz above the dial\n", f.centre_hz);
  }
  if (f.channel && f.lane && f.minute) {
    AddFormatted(out, "  channel     %d on %s (id %c%c, lane %d, telemetry at minute %d)\n",
                 *f.channel, band.c_str(), f.call[0], f.call[2], *f.lane, *f.minute);
  }
  return out;
}

BalloonReading ReadBalloon(const std::vector<Transmission>& transmissions,
                           std::optional<double> dial_mhz, std::optional<int> start_minute,
                           std::optional<int> expected_channel) {
  BalloonReading reading;
  const wspr::WsprBand* band = dial_mhz ? BandEntry(*dial_mhz) : nullptr;
  if (band != nullptr) reading.band = band->name;
  const double band_offset_hz = band != nullptr ? *dial_mhz * 1e6 - band->dialHz : 0.0;
  if (expected_channel && !reading.band.empty()) {
    reading.expected = balloon::ChannelOn(*expected_channel, reading.band);
  }

  for (std::size_t n = 0; n < transmissions.size(); ++n) {
    const Transmission& t = transmissions[n];
    if (t.carrier || !t.message || t.message->type != tonepak::MessageType::kStandard) continue;
    auto frame = TelemetryFrameOf(tonepak::MessageText(*t.message), CentreHz(t), dial_mhz);
    if (!frame) continue;
    TelemetryFrame& f = reading.frames.emplace_back(std::move(*frame));
    f.transmission = n;
    if (start_minute) {
      // A frame begins a second into its even minute; half a minute either way still names it.
      const auto offset = static_cast<int>(std::floor((t.start_s + 30.0) / 60.0));
      f.minute = ((*start_minute + offset) % 60 + 60) % 60;
    }
    if (f.lane && f.minute && !reading.band.empty()) {
      f.channel = balloon::ChannelNamed(std::string{f.call[0], f.call[2]}, *f.lane,
                                        (*f.minute + 8) % 10, reading.band);
    }

    const std::string label = Label(t, n);
    if (!f.lane) {
      const bool inside = f.centre_hz >= wspr::kWindowLowHz && f.centre_hz <= wspr::kWindowHighHz;
      AddFormatted(
          reading.faults.emplace_back(), "%s lies in no lane: %.1f Hz is %s", label.c_str(),
          f.centre_hz,
          inside ? "in the middle fifth of the window, between the lanes" : "outside the window");
    }
    if (f.minute && *f.minute % 2 != 0) {
      AddFormatted(reading.faults.emplace_back(),
                   "%s began at minute %d, an odd one: WSPR frames begin at even minutes",
                   label.c_str(), *f.minute);
    }
    if (reading.expected) JudgeAgainstChannel(reading, f, label);
    if (!f.lane) continue;

    const auto regular = NearestRegular(transmissions, f, band_offset_hz);
    if (!regular) continue;  // the regular frame is not in this recording
    if (std::abs(regular->seconds_apart - kPairSpacingS) <= kPairToleranceS) {
      std::string locator = regular->locator;
      if (f.telemetry) locator += f.telemetry->subsquare;
      reading.pairs.push_back(BalloonPair{regular->transmission, n, reading.frames.size() - 1,
                                          *f.lane, regular->seconds_apart, locator});
    } else {
      const Transmission& r = transmissions[regular->transmission];
      AddFormatted(reading.faults.emplace_back(),
                   "%s began %.1f s %s the regular frame nearest it in lane %d, %s; a tracker "
                   "sends telemetry 120 s after its regular frame",
                   label.c_str(), std::abs(regular->seconds_apart),
                   regular->seconds_apart > 0 ? "after" : "before", *f.lane,
                   Label(r, regular->transmission).c_str());
    }
  }
  return reading;
}

}  // namespace beaconcheck
