// The WSPR tone spacing and the lowest tone's offset, shared by the report and the actual tones.
#pragma once

namespace tuneworks::detail {

constexpr double kToneSpacingHz = 12000.0 / 8192.0;    // 1.46484375
constexpr double kLowToneOffsetHz = 18000.0 / 8192.0;  // 2.197265625: 1.5 spacings below centre

}  // namespace tuneworks::detail
