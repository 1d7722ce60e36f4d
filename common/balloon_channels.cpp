// The balloon channel plan on each band: ids, minutes and frequency lanes.
#include "balloon_channels.hpp"

#include <array>
#include <cmath>

#include "wspr_bands.hpp"

namespace balloon {
namespace {

constexpr std::array<char, 3> kIdFirst{'0', '1', 'Q'};
constexpr int kSlots = 5;                    // regular-message minutes a lane and id share
constexpr int kPerId = kLaneCount * kSlots;  // 20 channels an id
constexpr int kPerIdFirst = 10 * kPerId;     // 200 channels each of 0, 1 and Q

// The lanes' centres above the dial: the window's fifths but the middle one.
constexpr std::array<double, kLaneCount> kLaneCentresHz{1420.0, 1460.0, 1540.0, 1580.0};

// Each band's first regular-message minute, that of channels 0, 5, 10 ...; the plan staggers
// neighbouring bands so that a tracker hopping bands keeps its slots apart.
struct BandStart {
  std::string_view band;
  int firstMinute;
};
constexpr std::array<BandStart, 17> kBandStarts{{
    {"2200m", 0},
    {"630m", 4},
    {"160m", 8},
    {"80m", 2},
    {"60m", 6},
    {"40m", 0},
    {"30m", 4},
    {"20m", 8},
    {"17m", 2},
    {"15m", 6},
    {"12m", 0},
    {"10m", 4},
    {"6m", 8},
    {"4m", 2},
    {"2m", 6},
    {"70cm", 0},
    {"23cm", 4},
}};

const BandStart* StartOn(std::string_view band) {
  for (const BandStart& start : kBandStarts) {
    if (start.band == band) return &start;
  }
  return nullptr;
}

// The band's dial the plan counts from: the first the band table lists under that name.
double DialOf(std::string_view band) {
  for (const wspr::WsprBand& entry : wspr::kWsprBands) {
    if (entry.name == band) return entry.dialHz;
  }
  return 0.0;
}

}  // namespace

std::optional<Channel> ChannelOn(int number, std::string_view band) {
  const BandStart* start = StartOn(band);
  if (start == nullptr || number < 0 || number >= kChannelCount) return std::nullopt;
  Channel c;
  c.number = number;
  c.band = std::string(band);
  c.id = {kIdFirst[static_cast<std::size_t>(number / kPerIdFirst)],
          static_cast<char>('0' + (number % kPerIdFirst) / kPerId)};
  const int slot = number % kSlots;
  c.regularMinute = (start->firstMinute + 2 * slot) % 10;
  c.telemetryMinute = (c.regularMinute + 2) % 10;
  c.lane = (number % kPerId) / kSlots + 1;
  c.laneCentreHz = kLaneCentresHz[static_cast<std::size_t>(c.lane - 1)];
  c.dialHz = DialOf(band);
  return c;
}

std::optional<int> LaneAt(double audio_hz) {
  for (std::size_t i = 0; i < kLaneCentresHz.size(); ++i) {
    if (std::abs(audio_hz - kLaneCentresHz[i]) <= kLaneWidthHz / 2) {
      return static_cast<int>(i) + 1;
    }
  }
  return std::nullopt;
}

std::optional<int> ChannelNamed(std::string_view id, int lane, int regular_minute,
                                std::string_view band) {
  const BandStart* start = StartOn(band);
  if (start == nullptr || id.size() != 2 || id[1] < '0' || id[1] > '9' || lane < 1 ||
      lane > kLaneCount || regular_minute < 0 || regular_minute % 2 != 0) {
    return std::nullopt;
  }
  int first = -1;
  for (std::size_t i = 0; i < kIdFirst.size(); ++i) {
    if (kIdFirst[i] == id[0]) first = static_cast<int>(i);
  }
  if (first < 0) return std::nullopt;
  const int slot = ((regular_minute % 10 - start->firstMinute + 10) % 10) / 2;
  return first * kPerIdFirst + (id[1] - '0') * kPerId + (lane - 1) * kSlots + slot;
}

}  // namespace balloon
