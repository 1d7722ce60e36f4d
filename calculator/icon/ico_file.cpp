// The icon directory, its entries, and each picture as a bottom-up BGRA bitmap or a PNG.
#include "ico_file.hpp"

#include <cstddef>

#include "png_file.hpp"

namespace tuneworks {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kPngFromSize = 256;

void Put16(Bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFFU));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFFU));
}

void Put32(Bytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFFU);
  Put16(out, value >> 16);
}

// BITMAPINFOHEADER, the colour rows from the bottom up as blue, green, red, alpha, then the
// one-bit AND mask (set where the picture is fully transparent), each mask row padded to 32 bits.
Bytes IconBitmap(const RgbaImage& image) {
  const auto side = static_cast<std::uint32_t>(image.size);
  const std::uint32_t mask_row_bytes = (side + 31) / 32 * 4;
  Bytes out;
  Put32(out, 40);        // header size
  Put32(out, side);      // width
  Put32(out, side * 2);  // height of colour and mask together
  Put16(out, 1);         // planes
  Put16(out, 32);        // bits per pixel
  Put32(out, 0);         // no compression
  Put32(out, side * side * 4 + mask_row_bytes * side);
  for (int unused = 0; unused < 4; ++unused) Put32(out, 0);
  for (int y = image.size - 1; y >= 0; --y) {
    for (int x = 0; x < image.size; ++x) {
      const std::size_t at = image.Offset(x, y);
      out.insert(out.end(),
                 {image.rgba[at + 2], image.rgba[at + 1], image.rgba[at], image.rgba[at + 3]});
    }
  }
  for (int y = image.size - 1; y >= 0; --y) {
    Bytes row(mask_row_bytes, 0);
    for (int x = 0; x < image.size; ++x) {
      if (image.rgba[image.Offset(x, y) + 3] == 0) {
        row[static_cast<std::size_t>(x) / 8] |= static_cast<std::uint8_t>(0x80U >> (x % 8));
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodeIco(const std::vector<RgbaImage>& images) {
  std::vector<Bytes> pictures;
  pictures.reserve(images.size());
  for (const RgbaImage& image : images) {
    pictures.push_back(image.size >= kPngFromSize ? EncodePng(image) : IconBitmap(image));
  }

  Bytes out;
  Put16(out, 0);  // reserved
  Put16(out, 1);  // icon, not cursor
  Put16(out, static_cast<std::uint32_t>(images.size()));
  auto offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    // A width or height of 256 is written as 0.
    const auto side =
        static_cast<std::uint8_t>(images[i].size >= kPngFromSize ? 0 : images[i].size);
    out.insert(out.end(), {side, side, 0, 0});  // no palette, reserved
    Put16(out, 1);                              // planes
    Put16(out, 32);                             // bits per pixel
    Put32(out, static_cast<std::uint32_t>(pictures[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(pictures[i].size());
  }
  for (const Bytes& picture : pictures) out.insert(out.end(), picture.begin(), picture.end());
  return out;
}

}  // namespace tuneworks
