// PNG encoding of an RGBA picture without a compression library: the image data goes into
// stored (uncompressed) deflate blocks, which every PNG reader accepts.
#pragma once

#include <cstdint>
#include <vector>

#include "rgba_image.hpp"

namespace tuneworks {

// The whole PNG file: 8-bit RGBA, no interlace, filter "none" on every row.
std::vector<std::uint8_t> EncodePng(const RgbaImage& image);

}  // namespace tuneworks
