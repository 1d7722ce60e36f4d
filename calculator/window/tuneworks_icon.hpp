// The program's 32 x 32 greyscale icon, drawn in code: a DDS phase wheel with one cycle of sine.
#pragma once

#include <QImage>

namespace tuneworks {

inline constexpr int kIconSize = 32;

// Draws the icon: grey levels only (red = green = blue), transparent outside the wheel.
QImage DrawTuneworksIcon();

}  // namespace tuneworks
