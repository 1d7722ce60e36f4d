// The Channel box and its band: the balloon channel they name, or why they name none, and the
// channel's findings in the strip's wordings.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "balloon_channels.hpp"
#include "beacon_mode.hpp"
#include "status_line.hpp"

namespace tuneworks {

struct ChannelChoice {
  bool given = false;                       // the box holds more than blanks
  std::optional<balloon::Channel> channel;  // what it names, when it names one
  StatusLine problem;                       // otherwise why not, in red, naming the box's text
};

// The channel that `channel_text` (a whole number 0 to 599, blanks around it allowed) names on
// the band `band_text` names ("20 m", "20m", "20"), for a beacon of `mode` (WSPR's plan only).
ChannelChoice ReadChannel(std::string_view channel_text, std::string_view band_text,
                          beacon::Mode mode);

// The RF frequency at the centre of the channel's lane in MHz, as the wanted frequency shows it:
// "14.097020".
std::string LaneCentreMhzText(const balloon::Channel& channel);

// `status` with the channel's ID, minutes and lane before each of its wordings, then the
// channel alone in fewer words; the channel's whole sentence opens the tooltip.
StatusLine WithChannel(const StatusLine& status, const balloon::Channel& channel);

}  // namespace tuneworks
