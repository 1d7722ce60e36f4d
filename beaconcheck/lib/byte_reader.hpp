// Little- and big-endian numbers out of a byte string, bounds checked by the caller.
#pragma once

#include <cstdint>
#include <cstring>
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

// The IEEE number whose bits are `bits` (std::bit_cast, which Emscripten 3.1.6's library lacks).
template <typename Number, typename Bits>
Number FromBits(Bits bits) {
  static_assert(sizeof(Number) == sizeof(Bits));
  Number number;
  std::memcpy(&number, &bits, sizeof number);
  return number;
}

inline float LittleEndianFloat(std::span<const std::uint8_t> bytes, std::size_t at) {
  return FromBits<float>(LittleEndian(bytes, at, 4));
}

}  // namespace beaconcheck
