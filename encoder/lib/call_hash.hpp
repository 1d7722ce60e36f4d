// The 15-bit hash that a type-3 WSPR message sends in place of the call sign.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tonepak {

// Bob Jenkins' lookup3 hash of a byte string ("hashlittle", as he published it in 2006), read
// byte by byte so that it gives the same value on every machine, whatever its byte order.
std::uint32_t HashLittle(std::span<const std::uint8_t> key, std::uint32_t initval);

// WSPR's use of it: the call as a decoder prints it ("PJ4/K1ABC", "K1ABC"), initial value 146,
// the low 15 bits kept. A decoder that heard the call in a type-1 or type-2 message remembers it
// under this number, and fills it in when a type-3 message carries the number.
inline constexpr std::uint32_t kCallHashInitval = 146;
std::uint16_t CallHash(std::string_view call);

}  // namespace tonepak
