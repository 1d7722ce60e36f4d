// FST4W's 24-bit CRC, bit by bit: the message is short, and this reads like the division it is.
#include "crc24.hpp"

#include <algorithm>

namespace tonepak::fst4w {
namespace {

constexpr std::uint32_t kPolynomial = 0x65B;  // x^24 + x^10 + x^9 + x^6 + x^4 + x^3 + x + 1
constexpr std::uint32_t kMask = 0xFFFFFF;

}  // namespace

std::uint32_t Crc24(const MessageBits& message) {
  std::uint32_t remainder = 0;
  for (std::uint8_t bit : message) {
    const bool top = ((remainder >> 23U) & 1U) != (bit & 1U);
    remainder = (remainder << 1U) & kMask;
    if (top) {
      remainder ^= kPolynomial;
    }
  }
  return remainder;
}

InfoBits WithCrc(const MessageBits& message) {
  InfoBits info{};
  std::copy(message.begin(), message.end(), info.begin());
  const std::uint32_t crc = Crc24(message);
  for (std::size_t i = 0; i < ::fst4w::kCrcBitCount; ++i) {
    info[kMessageBitCount + i] = static_cast<std::uint8_t>((crc >> (23U - i)) & 1U);
  }
  return info;
}

bool CrcMatches(const InfoBits& info) {
  MessageBits message{};
  std::copy_n(info.begin(), kMessageBitCount, message.begin());
  return WithCrc(message) == info;
}

}  // namespace tonepak::fst4w
