// Build-time tool: writes the drawn icon as the desktop entry's PNG or as the Windows .ico.
//   write_icon FILE.png     the icon at its design size, 32 pixels
//   write_icon FILE.ico     16, 32, 48 and 256 pixels in one file
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string_view>
#include <vector>

#include "ico_file.hpp"
#include "png_file.hpp"
#include "tuneworks_icon.hpp"

int main(int argc, char** argv) {
  const std::string_view path = argc == 2 ? argv[1] : "";
  std::vector<std::uint8_t> bytes;
  if (path.ends_with(".png")) {
    bytes = tuneworks::EncodePng(tuneworks::DrawTuneworksIcon());
  } else if (path.ends_with(".ico")) {
    std::vector<tuneworks::RgbaImage> images;
    images.reserve(tuneworks::kWindowsIconSizes.size());
    for (const int size : tuneworks::kWindowsIconSizes) {
      images.push_back(tuneworks::DrawTuneworksIcon(size));
    }
    bytes = tuneworks::EncodeIco(images);
  } else {
    std::fprintf(stderr, "usage: write_icon FILE.png|FILE.ico\n");
    return 2;
  }
  std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    std::fprintf(stderr, "cannot write the icon to %s: %s\n", argv[1], std::strerror(errno));
    return 1;
  }
  return 0;
}
