// The drawn icon in Qt's forms, for the window and the application.
#pragma once

#include <QIcon>
#include <QImage>

#include "rgba_image.hpp"

namespace tuneworks {

// A copy of the picture as a QImage (RGBA, 8 bits per channel).
QImage ToQImage(const RgbaImage& image);

// The icon at 16, 32, 48 and 256 pixels, so that every place that shows it gets a drawn size.
QIcon TuneworksIcon();

}  // namespace tuneworks
