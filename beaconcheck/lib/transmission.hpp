// What beaconcheck measures of one transmission, each figure with its uncertainty where known.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "soft_decoding.hpp"
#include "symbol_faults.hpp"
#include "track.hpp"
#include "wspr_types.hpp"

namespace beaconcheck {

struct Transmission {
  // One steady tone with a transmission's timing: tones_hz all hold its frequency, there is no
  // step, and nothing was heard as symbols.
  bool carrier = false;
  // The track aligned with the sync vector: slot 0 is where the intended first symbol sits.
  Track track;
  long long first_slot = 0;      // the slot where the signal begins (1: the table one late)
  std::size_t symbols_sent = 0;  // slots from first_slot on that carry the signal
  // The recording began after the transmission did (first_slot is then the first slot in the
  // recording, and start_s where the sync vector puts slot 0, before the recording), or ends
  // before it does: what is missing there is no fault of the beacon's.
  bool begins_before_recording = false;
  bool ends_after_recording = false;

  double start_s = 0.0;                    // the signal's first symbol, from the start of the file
  double dt_s = 0.0;                       // as WSJT-X shows it: start - 1 s
  std::array<double, 4> tones_hz{};        // at the start, audio
  std::array<double, 4> tones_sigma_hz{};  // one standard deviation
  double step_hz = 0.0;                    // least-squares line through the four tones
  double step_sigma_hz = 0.0;
  double step_error_percent = 0.0;  // of 12000/8192 Hz
  bool evenly_spaced = true;
  int off_grid_tone = -1;    // the tone that sits off the others' grid, when one does
  double off_grid_hz = 0.0;  // by how much
  double drift_hz = 0.0;     // first symbol to last
  double drift_sigma_hz = 0.0;
  double symbol_ms = 0.0;
  double symbol_error_percent = 0.0;
  double snr_db = 0.0;            // in 2500 Hz
  bool phase_continuous = false;  // tones measured from the phase (finer) or not
  double sync = 0.0;              // normalised sync correlation of the tone powers, -1..1

  tonepak::TonePowers powers{};     // aligned with the sync vector
  tonepak::ChannelSymbols heard{};  // strongest tones, counted from first_slot; 0 beyond
  std::size_t sync_agreeing = 0;    // of the 162 aligned symbols' low bits
  std::optional<tonepak::SoftDecoded> decoded;
  bool decoded_inverted = false;            // decoded only with the tones read upside down
  std::optional<tonepak::Message> message;  // decoded, the pair's call filled in
};

}  // namespace beaconcheck
