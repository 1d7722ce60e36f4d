// Little- and big-endian numbers out of a byte string, bounds checked by the caller.
#pragma once

#include <bit>
#include <cstdint>
#include <span>

namespace beaconcheck {

inline std::uint32_t LittleEndian(std::span<const std::uint8_t> bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

inline std::uint32_t BigEndian(std::span<const std::uint8_t> bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

inline float LittleEndianFloat(std::span<const std::uint8_t> bytes, std::size_t at) {
  return std::bit_cast<float>(LittleEndian(bytes, at, 4));
}

}  // namespace beaconcheck
