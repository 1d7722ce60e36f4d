// The waterfall picture as a PNG file, through stb's PNG writer.
#include "plot.hpp"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "waterfall.hpp"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include "stb_image_write.h"

namespace beaconcheck {
namespace {

void Collect(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(context);
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

std::string WritePlot(const std::string& name, const Recording& recording, const Transmission& t,
                      const Verdict& verdict, const tonepak::IntendedTransmissions& intended) {
  const Waterfall image = DrawWaterfall(recording, t, verdict, intended);
  std::vector<std::uint8_t> png;
  if (stbi_write_png_to_func(Collect, &png, image.width, image.height, 3, image.rgb.data(),
                             image.width * 3) == 0) {
    return "cannot write " + name + ": the PNG could not be made";
  }
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (file == nullptr) return "cannot write " + name + ": " + std::strerror(errno);
  const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  const int error = errno;
  if (std::fclose(file) != 0 || !written) {
    return "cannot write " + name + ": " + std::strerror(written ? errno : error);
  }
  return {};
}

}  // namespace beaconcheck
