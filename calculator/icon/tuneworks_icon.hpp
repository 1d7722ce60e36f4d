// The program's greyscale icon, drawn in code at any size without a toolkit: a DDS phase wheel
// with one cycle of sine. The windows, the desktop PNG and the Windows .ico all come from here.
#pragma once

#include <array>

#include "rgba_image.hpp"

namespace tuneworks {

// The size the picture is designed at; other sizes scale it.
inline constexpr int kIconSize = 32;

// The sizes a Windows icon file carries.
inline constexpr std::array<int, 4> kWindowsIconSizes = {16, 32, 48, 256};

// Draws the icon `size` pixels square: grey levels only (red = green = blue), anti-aliased,
// transparent outside the wheel.
RgbaImage DrawTuneworksIcon(int size = kIconSize);

}  // namespace tuneworks
