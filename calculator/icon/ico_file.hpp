// Windows icon (.ico) files holding one picture per size.
#pragma once

#include <cstdint>
#include <vector>

#include "rgba_image.hpp"

namespace tuneworks {

// The whole .ico file. Pictures below 256 pixels are stored as 32-bit bitmaps with their AND
// mask, which every Windows reads; a 256-pixel picture as PNG, as Windows expects at that size.
std::vector<std::uint8_t> EncodeIco(const std::vector<RgbaImage>& images);

}  // namespace tuneworks
