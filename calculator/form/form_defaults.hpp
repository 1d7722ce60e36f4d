// What the calculator starts with: the four boxes' initial texts and the three selections that
// Form_Load makes. The window and tunecalc both start from these.
#pragma once

#include <cstdint>
#include <string_view>

#include "tuneworks_core.hpp"

namespace tuneworks {

inline constexpr std::string_view kDefaultRef = "20";  // MHz
inline constexpr std::string_view kDefaultPLLMult = "1";
inline constexpr std::string_view kDefaultFout = "1";  // MHz
inline constexpr std::string_view kDefaultRFMult = "1";
inline constexpr std::int16_t kDefaultClkUnits = 2;    // MHz
inline constexpr std::int16_t kDefaultFunits = 2;      // MHz
inline constexpr std::int16_t kDefaultResolution = 1;  // 32 bit, AD9850/51

// The inputs the window shows once it has loaded.
CalcInputs DefaultInputs();

}  // namespace tuneworks
