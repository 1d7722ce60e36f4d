// A square picture as 8-bit red, green, blue and alpha per pixel, rows from the top.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tuneworks {

struct RgbaImage {
  int size = 0;                    // width and height in pixels
  std::vector<std::uint8_t> rgba;  // size * size * 4 bytes, alpha not premultiplied

  std::size_t Offset(int x, int y) const {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(size) +
            static_cast<std::size_t>(x)) *
           4;
  }
};

}  // namespace tuneworks
