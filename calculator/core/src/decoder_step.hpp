// The decoder that a mode's tone step is judged by: wsprd for WSPR, jt9 for FST4W, with the
// tolerance measured for each (common/wsprd_limits, common/jt9_limits).
#pragma once

#include <string_view>

#include "beacon_mode.hpp"
#include "wsprd_limits.hpp"

namespace tuneworks::detail {

// The measured tolerance of a tone step that is off (in % of the mode's step); nullptr for an
// FST4W period whose step was not measured.
const wspr::Tolerance* DecoderStepTolerance(beacon::Mode mode);

// "wsprd" or "jt9", as the figures name it.
std::string_view DecoderProgram(beacon::Mode mode);

// "a WSPR decoder" or "an FST4W decoder", the subject of the warnings.
std::string_view DecoderPhrase(beacon::Mode mode);

}  // namespace tuneworks::detail
