// The modes a beacon sends: WSPR, or FST4W with one of its four periods. Each tool takes the
// mode by the one name here and finds its numbers through it.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "fst4w_constants.hpp"

namespace beacon {

enum class Mode { kWspr, kFst4w120, kFst4w300, kFst4w900, kFst4w1800 };

struct ModeName {
  Mode mode;
  std::string_view name;   // "fst4w-300": what --mode takes and the JSON reports show
  std::string_view label;  // "FST4W-300": what the texts show
};

inline constexpr std::array<ModeName, 5> kModeNames{{
    {Mode::kWspr, "wspr", "WSPR"},
    {Mode::kFst4w120, "fst4w-120", "FST4W-120"},
    {Mode::kFst4w300, "fst4w-300", "FST4W-300"},
    {Mode::kFst4w900, "fst4w-900", "FST4W-900"},
    {Mode::kFst4w1800, "fst4w-1800", "FST4W-1800"},
}};

// The mode a name names, upper or lower case; nothing for a name that is none of them.
constexpr std::optional<Mode> ModeNamed(std::string_view name) {
  for (const ModeName& entry : kModeNames) {
    if (entry.name.size() != name.size()) {
      continue;
    }
    bool same = true;
    for (std::size_t i = 0; i < name.size(); ++i) {
      char c = name[i];
      if (c >= 'A' && c <= 'Z') {
        c = static_cast<char>(c - 'A' + 'a');
      }
      same = same && c == entry.name[i];
    }
    if (same) {
      return entry.mode;
    }
  }
  return std::nullopt;
}

constexpr const ModeName& NameOf(Mode mode) {
  for (const ModeName& entry : kModeNames) {
    if (entry.mode == mode) {
      return entry;
    }
  }
  return kModeNames[0];
}

// FST4W's period for an FST4W mode; nothing for WSPR.
constexpr std::optional<fst4w::Period> Fst4wPeriodOf(Mode mode) {
  switch (mode) {
    case Mode::kFst4w120:
      return fst4w::kPeriods[0];
    case Mode::kFst4w300:
      return fst4w::kPeriods[1];
    case Mode::kFst4w900:
      return fst4w::kPeriods[2];
    case Mode::kFst4w1800:
      return fst4w::kPeriods[3];
    case Mode::kWspr:
      break;
  }
  return std::nullopt;
}

// The FST4W mode of a period in seconds; nothing for any other length.
constexpr std::optional<Mode> Fst4wModeOf(int period_s) {
  constexpr std::array<Mode, 4> kModes{Mode::kFst4w120, Mode::kFst4w300, Mode::kFst4w900,
                                       Mode::kFst4w1800};
  for (std::size_t i = 0; i < fst4w::kPeriods.size(); ++i) {
    if (fst4w::kPeriods[i].seconds == period_s) {
      return kModes[i];
    }
  }
  return std::nullopt;
}

}  // namespace beacon
