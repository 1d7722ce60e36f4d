// What beaconcheck measures of one FST4W transmission.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "beacon_mode.hpp"
#include "fst4w_types.hpp"
#include "ldpc_decoder.hpp"

namespace beaconcheck {

struct Fst4wTransmission {
  beacon::Mode mode = beacon::Mode::kFst4w120;
  double start_s = 0.0;              // the first symbol's start, from the start of the file
  double dt_s = 0.0;                 // as WSJT-X shows it: start - 1 s
  std::array<double, 4> tones_hz{};  // audio, at the middle of the transmission
  double step_hz = 0.0;              // least-squares line through the four tones
  double step_error_percent = 0.0;   // of 12000 / samples-per-symbol Hz
  double drift_hz = 0.0;             // first symbol to last
  double symbol_ms = 0.0;
  double symbol_error_percent = 0.0;
  double snr_db = 0.0;  // in 2500 Hz
  double sync = 0.0;    // share of the sync symbols' power in their own tone, 0.25 for noise

  tonepak::fst4w::ChannelSymbols heard{};  // strongest tones
  std::size_t sync_errors = 0;             // of the 40 sync symbols heard
  std::optional<tonepak::fst4w::LdpcDecoded> decoded;
  tonepak::fst4w::ChannelSymbols sent{};  // re-encoded from the decoded message, when decoded
  std::size_t symbol_errors = 0;          // heard symbols that differ from those sent
  std::string message;                    // as a decoder shows it, when decoded
};

}  // namespace beaconcheck
