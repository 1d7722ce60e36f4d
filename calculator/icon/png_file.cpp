// PNG chunks, zlib framing and stored deflate blocks, with their CRC-32 and Adler-32 sums.
#include "png_file.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace tuneworks {

namespace {

using Bytes = std::vector<std::uint8_t>;

// CRC-32 of PNG chunks (the polynomial 0xEDB88320, reflected).
std::uint32_t Crc32(const std::uint8_t* data, std::size_t length) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> entries{};
    for (std::uint32_t n = 0; n < entries.size(); ++n) {
      std::uint32_t c = n;
      for (int bit = 0; bit < 8; ++bit) c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
      entries[n] = c;
    }
    return entries;
  }();
  std::uint32_t crc = 0xFFFFFFFFU;
  for (std::size_t i = 0; i < length; ++i) crc = table[(crc ^ data[i]) & 0xFFU] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFU;
}

std::uint32_t Adler32(const Bytes& data) {
  constexpr std::uint32_t kModulus = 65521;
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (const std::uint8_t byte : data) {
    a = (a + byte) % kModulus;
    b = (b + a) % kModulus;
  }
  return (b << 16) | a;
}

void PutBigEndian(Bytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(Bytes& out, std::string_view type, const Bytes& data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t type_at = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  PutBigEndian(out, Crc32(out.data() + type_at, out.size() - type_at));
}

// zlib stream of `raw` in stored deflate blocks of at most 65535 bytes each.
Bytes StoredZlib(const Bytes& raw) {
  constexpr std::size_t kMaxBlock = 65535;
  Bytes out = {0x78, 0x01};  // deflate, 32 KiB window, no preset dictionary; check bits fit
  std::size_t at = 0;
  do {
    const std::size_t length = std::min(kMaxBlock, raw.size() - at);
    const bool last = at + length == raw.size();
    out.push_back(last ? 1 : 0);  // BFINAL, BTYPE 00 (stored)
    const auto len = static_cast<std::uint16_t>(length);
    const auto nlen = static_cast<std::uint16_t>(~len);
    out.insert(out.end(),
               {static_cast<std::uint8_t>(len & 0xFFU), static_cast<std::uint8_t>(len >> 8),
                static_cast<std::uint8_t>(nlen & 0xFFU), static_cast<std::uint8_t>(nlen >> 8)});
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
               raw.begin() + static_cast<std::ptrdiff_t>(at + length));
    at += length;
  } while (at < raw.size());
  PutBigEndian(out, Adler32(raw));
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const RgbaImage& image) {
  const auto side = static_cast<std::uint32_t>(image.size);
  Bytes header;
  PutBigEndian(header, side);                    // width
  PutBigEndian(header, side);                    // height
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, adaptive filters, none

  // Each row starts with its filter type, 0: the bytes as they are.
  const std::size_t row_bytes = std::size_t{side} * 4;
  Bytes raw;
  raw.reserve(side * (row_bytes + 1));
  for (std::uint32_t y = 0; y < side; ++y) {
    raw.push_back(0);
    const auto row = image.rgba.begin() + static_cast<std::ptrdiff_t>(y * row_bytes);
    raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(row_bytes));
  }

  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", StoredZlib(raw));
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace tuneworks
