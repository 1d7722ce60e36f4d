// Decoding: the message from the aligned track's tone powers, through the encoder library's
// soft decoder, with the tones upside down too when the sync says so.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "baseband.hpp"
#include "soft_decoding.hpp"
#include "track.hpp"
#include "transmission.hpp"
#include "wspr_types.hpp"

namespace beaconcheck {

// The tone powers as the decoder takes them (none below 0), tones 3 to 0 when `inverted`.
tonepak::TonePowers ToDecoder(const std::vector<std::array<double, 4>>& powers, bool inverted);

// The message from the 162 slots' tone powers into `t.decoded`, read upside down too when
// `t.sync` is negative.
void Decode(const std::vector<std::array<double, 4>>& powers, Transmission& t,
            const tonepak::DecoderLimits& limits = {});

// The tone of each slot as the decoded message sends it (`t.decoded` set).
tonepak::ChannelSymbols TonesSent(const Transmission& t);

// The track decoded on and the symbols the fits that follow go by: the decoded message's
// tones, or the strongest tone of each slot when nothing decodes.
struct Decoding {
  Track track;
  std::vector<std::uint8_t> symbols;
};

// Decodes on the aligned track (`t.sync`, `t.decoded`, `t.decoded_inverted` set). When the sync
// is clear but the message does not come, the track that fits the sync best is sought from the
// aligned track and from `searched`, on `narrow` (the same band narrowed), tone 0 settled among
// three steps either way by the sync; a strong reading (`snr_db`) whose sync is clear is then
// nudged a fraction of a step and of a second either way. A track decoded on that way is the
// one returned.
Decoding DecodeAligned(const Baseband& baseband, const Baseband& narrow, const Track& aligned,
                       const Track& searched, double snr_db, Transmission& t);

}  // namespace beaconcheck
