// The 15-bit hash that a type-3 WSPR message sends in place of the call sign.
#include "call_hash.hpp"

#include <array>

namespace tonepak {
namespace {

constexpr std::uint32_t Rotated(std::uint32_t x, unsigned k) { return (x << k) | (x >> (32 - k)); }

// The three-word state of lookup3; the word order and rotations are the published ones.
struct State {
  std::uint32_t a;
  std::uint32_t b;
  std::uint32_t c;

  void Mix() {
    a -= c;
    a ^= Rotated(c, 4);
    c += b;
    b -= a;
    b ^= Rotated(a, 6);
    a += c;
    c -= b;
    c ^= Rotated(b, 8);
    b += a;
    a -= c;
    a ^= Rotated(c, 16);
    c += b;
    b -= a;
    b ^= Rotated(a, 19);
    a += c;
    c -= b;
    c ^= Rotated(b, 4);
    b += a;
  }

  void Final() {
    c ^= b;
    c -= Rotated(b, 14);
    a ^= c;
    a -= Rotated(c, 11);
    b ^= a;
    b -= Rotated(a, 25);
    c ^= b;
    c -= Rotated(b, 16);
    a ^= c;
    a -= Rotated(c, 4);
    b ^= a;
    b -= Rotated(a, 14);
    c ^= b;
    c -= Rotated(b, 24);
  }

  // Up to twelve bytes, little-endian into a, b and c; missing bytes count as zero.
  void Add(std::span<const std::uint8_t> block) {
    std::array<std::uint32_t, 3> words{};
    for (std::size_t i = 0; i < block.size(); ++i) {
      words[i / 4] += std::uint32_t{block[i]} << (8 * (i % 4));
    }
    a += words[0];
    b += words[1];
    c += words[2];
  }
};

}  // namespace

std::uint32_t HashLittle(std::span<const std::uint8_t> key, std::uint32_t initval) {
  const std::uint32_t start = 0xDEADBEEFU + static_cast<std::uint32_t>(key.size()) + initval;
  State s{start, start, start};
  while (key.size() > 12) {
    s.Add(key.first(12));
    s.Mix();
    key = key.subspan(12);
  }
  if (key.empty()) return s.c;  // an empty last block skips the final mix
  s.Add(key);
  s.Final();
  return s.c;
}

std::uint16_t CallHash(std::string_view call) {
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(call.data()),
                                            call.size());
  return static_cast<std::uint16_t>(HashLittle(bytes, kCallHashInitval) & 0x7FFFU);
}

}  // namespace tonepak
